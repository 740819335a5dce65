#pragma once
// The sound bank: three groups (0 music, 1 effects, 2 voices) of 30 slots.  Each
// slot holds one sound with its volume (0..100 of the group's volume) and pan
// (hundredths of a decibel, -10000 left .. 10000 right).  Fades of volume and pan,
// fade-ins and fade-outs are counted in frames (60 a second) and advance in
// Update, which the game calls once per frame.  A group may hold a list of file
// names from which a slot plays its files one after another.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/Counter.h"
#include "engine/sound/Sound.h"

class CDirectSound;

class CSoundBank {
public:
    static constexpr int kGroupCount = 3;
    static constexpr int kSlotCount = 30;
    enum { GROUP_MUSIC = 0, GROUP_EFFECT = 1, GROUP_VOICE = 2 };

    explicit CSoundBank(CDirectSound* device = nullptr);
    ~CSoundBank();
    CSoundBank(const CSoundBank&) = delete;
    CSoundBank& operator=(const CSoundBank&) = delete;

    // Unloads an active slot, stores the name and loads the file; a file that cannot
    // be loaded is reported and leaves the slot silent (its name kept).
    bool Load(int group, int slot, const std::string& file);
    // Stops an active slot, clears its flags and name and unloads it.
    void Unload(int group, int slot);
    void SetVolume(int group, int slot, int volume);
    int GetVolume(int group, int slot) const;
    void SetPan(int group, int slot, int pan);
    int GetPan(int group, int slot) const;
    // once = 0 loops (and marks the slot looping); a non-zero fadeInMs raises the
    // volume from silence over that time; both from `startPos` (ms).  A slot without
    // a sound is silence (false, nothing reported).
    bool Play(int group, int slot, int once, int fadeInMs, int startPos);
    // fadeMs 0 stops and unloads at once; any other time fades out and then stops,
    // leaving the sound loaded (a fade shorter than a frame stops at once, still
    // loaded), so that the slot can be played again.
    void Stop(int group, int slot, int fadeMs);
    void StopGroup(int group, int fadeMs);
    // Moves to a value over ms and stores it as the slot's value.
    void FadeVolume(int group, int slot, int volume, int ms);
    void FadePan(int group, int slot, int pan, int ms);
    // The playing position (ms) of the slot, kept by saves and given back to Play.
    int32_t GetSlotValue(int group, int slot) const;
    bool IsPlaying(int group, int slot) const;
    bool IsLooping(int group, int slot) const;
    const std::string& GetName(int group, int slot) const;

    void SetGroupVolume(int group, int volume);
    int GetGroupVolume(int group) const;

    void ClearGroupList(int group);
    void SetGroupList(int group, const std::vector<std::string>& names);
    const std::vector<std::string>& GetGroupList(int group) const;
    // Loads the slot from the group's list and plays its first file; each file that
    // ends starts the next, and the list starts over while the slot loops.
    bool PlayFromList(int group, int slot);

    // Advances every fade by one frame.
    void Update();
    void UnloadAll();

    // The slot's sound (tests; null for a bad index).
    CSound* GetSound(int group, int slot);

private:
    struct SSlot {
        std::unique_ptr<CSound> sound;
        std::string name;
        int volume = 100;      // stored value
        int pan = 0;
        int curVolume = 100;   // value heard now (differs while a fade runs)
        int curPan = 0;
        bool looping = false;
        bool volFading = false;
        bool panFading = false;
        bool stopping = false;
        CCounterLinear volFade;
        CCounterLinear panFade;
        CCounterLinear stopFade;  // 100 .. 0 while stopping
        std::vector<std::string> list;
        size_t listIndex = 0;
        size_t listFailures = 0;  // files of the list that failed in a row
        bool fromList = false;
        bool started = false;  // played and not stopped (list chaining)
    };

    bool _Check(int group, int slot, const char* where) const;
    SSlot& _Slot(int group, int slot) { return m_Slots[group][slot]; }
    const SSlot& _Slot(int group, int slot) const { return m_Slots[group][slot]; }
    void _Apply(int group, int slot);
    // Stops the slot's sound and clears its play state; `unload` also drops the sound.
    void _StopNow(SSlot& s, bool unload = true);
    bool _LoadInto(int group, int slot, const std::string& file);

    CDirectSound* m_Device;
    SSlot m_Slots[kGroupCount][kSlotCount];
    int m_GroupVolume[kGroupCount] = {100, 100, 100};
    std::vector<std::string> m_Lists[kGroupCount];
};
