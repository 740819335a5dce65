#pragma once
// A sound channel of the game object: one sound with a volume on a 0..1000 scale, a
// pan (hundredths of a decibel), fades of both counted in frames (60 a second) and
// advanced by Update, a fade-in start that may repeat the sound, and a fade-out
// that stops it.  A paused channel still counts as playing.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/base/Counter.h"
#include "engine/sound/Sound.h"

class CDirectSound;

class CFadeSound {
public:
    explicit CFadeSound(CDirectSound* device = nullptr);
    ~CFadeSound();
    CFadeSound(const CFadeSound&) = delete;
    CFadeSound& operator=(const CFadeSound&) = delete;

    // Unloads the previous file first; a missing file leaves the channel silent and
    // nothing is reported.
    bool Load(const std::string& file);
    void Unload();
    // Stops first, then plays looping or once from `startMs` at the set volume.
    bool Play(bool loop, uint32_t startMs = 0);
    // count 0 loops for ever, n plays n times; the volume rises from silence to the
    // set volume over ms.
    bool PlayFadeIn(int count, int ms, uint32_t startMs = 0);
    void Stop();
    void Pause();
    void Resume();
    // Playing or paused.
    bool IsPlaying() const;
    bool IsPaused() const;
    bool IsLoaded() const;

    // 0..1000; cancels a running volume fade.
    void SetVolume(int volume);
    int GetVolume() const { return m_Volume; }
    // Cancels a running pan fade.
    void SetPan(int pan);
    int GetPan() const { return m_Pan; }
    void FadeVolume(int volume, int ms);
    void FadePan(int pan, int ms);
    // Lowers the volume to silence over ms and stops (at once for 0).
    void FadeOut(int ms);
    // A fade-out runs: the channel still plays but is on its way to silence.
    bool IsFadingOut() const { return m_FadingOut; }
    uint32_t GetPosition() const;
    const std::string& GetFileName() const { return m_FileName; }

    // One frame of the fades, repeats and fade-out.
    void Update();

    CSound& GetSound() { return m_Sound; }

private:
    void _Apply();

    CSound m_Sound;
    std::string m_FileName;
    int m_Volume = 1000;
    int m_Pan = 0;
    int m_CurVolume = 1000;
    int m_CurPan = 0;
    bool m_VolFading = false;
    bool m_PanFading = false;
    bool m_FadingOut = false;
    CCounterLinear m_VolFade;
    CCounterLinear m_PanFade;
    CCounterLinear m_OutFade;  // 1000 .. 0
    int m_PlaysLeft = 0;       // further plays after the current one (count > 1)
    bool m_Started = false;
};
