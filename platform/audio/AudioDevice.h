#pragma once
// The sound device: secondary buffers of PCM mixed in software into one 16-bit
// stereo 44.1 kHz output.  It stands for the DirectSound device of the game.  The
// mix goes to SDL's audio output, to a silent clock that keeps time when no output
// can be opened, or to nobody at all in manual mode, where the owner pulls samples
// with Mix() (tests).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/AudioBuffer.h"

class CAudioMixerCore;

class CAudioDevice {
public:
    static constexpr uint32_t kOutputRate = 44100;

    CAudioDevice();
    ~CAudioDevice();
    CAudioDevice(const CAudioDevice&) = delete;
    CAudioDevice& operator=(const CAudioDevice&) = delete;

    // Opens SDL's audio output.  When it cannot (or the driver is SDL's silent
    // "dummy"), a silent clock consumes the mix in real time instead, so sounds
    // still end; `note` then says why (empty when a real output opened).
    // `libraryLines` takes what the sound library itself complained of meanwhile
    // (ALSA's lines, which it would otherwise print on standard error).
    // Returns true when some output (real or silent) runs.
    bool OpenOutput(std::string* note, std::vector<std::string>* libraryLines = nullptr);
    // Manual mode: nothing pulls the mix except Mix().
    void OpenManual();
    void Close();
    // True when a real SDL output device plays.
    bool HasRealOutput() const { return m_Device != 0 && !m_Dummy; }
    bool IsManual() const { return m_Manual; }

    // A new buffer of `bytes` (rounded down to whole frames, at least one frame).
    // Null when the format is invalid or bytes are 0.
    std::shared_ptr<CAudioBuffer> CreateBuffer(const SAudioFormat& format, uint32_t bytes);

    // Mixes `frames` stereo frames of every playing buffer into `out` (2 × frames
    // samples), saturating to 16 bits.
    void Mix(int16_t* out, uint32_t frames);
    // Buffers now playing (fading ones included).
    size_t GetPlayingCount() const;

private:
    static void _Callback(void* user, uint8_t* stream, int len);
    void _StopClock();

    std::shared_ptr<CAudioMixerCore> m_Core;
    uint32_t m_Device = 0;
    bool m_Dummy = false;
    bool m_Manual = false;
    bool m_SdlInit = false;
    struct SClock;
    std::unique_ptr<SClock> m_Clock;
};
