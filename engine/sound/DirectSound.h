#pragma once
// The DirectSound holder: one object per window owns the sound device of that
// window; the manager singleton finds them by window, refuses a second object for
// one window and reports those still alive when it is destroyed at exit.
#include <cstdint>
#include <memory>

#include "platform/audio/AudioDevice.h"

class CDirectSound {
public:
    enum EOutput { OUTPUT_SYSTEM, OUTPUT_MANUAL };

    CDirectSound();
    ~CDirectSound();
    CDirectSound(const CDirectSound&) = delete;
    CDirectSound& operator=(const CDirectSound&) = delete;

    // Opens the device for `window` and registers with the manager and as the calling
    // thread's DirectSound object (whatever the output).  OUTPUT_MANUAL
    // mixes only when Mix is called (tests).  Without an audio device the game runs
    // silent: one log line, and Create still succeeds.  False when the window
    // already has an object or this one is already created.
    bool Create(const void* window, EOutput output = OUTPUT_SYSTEM);
    void Release();
    bool IsCreated() const { return m_Created; }
    const void* GetWindow() const { return m_Window; }

    CAudioDevice& GetDevice() { return m_Device; }
    // Pulls `frames` stereo frames of the mix (manual output).
    void Mix(int16_t* out, uint32_t frames) { m_Device.Mix(out, frames); }

    // The calling thread's registered object, else the first one created; null when
    // none exists.
    static CDirectSound* GetCurrent();

private:
    CAudioDevice m_Device;
    const void* m_Window = nullptr;
    bool m_Created = false;
    bool m_RegisteredInApp = false;
};
