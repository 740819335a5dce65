#pragma once
// A secondary buffer of the sound device and the PCM format it holds.  Volume and pan
// are in hundredths of a decibel as DirectSound has them; the play cursor advances
// only while the device's mixer pulls the buffer.
#include <cstdint>
#include <memory>
#include <vector>

struct SAudioFormat {
    uint32_t rate = 44100;   // frames per second
    uint16_t channels = 2;   // 1 or 2
    uint16_t bits = 16;      // 8 (unsigned) or 16 (signed, little-endian)
    uint32_t BlockAlign() const { return static_cast<uint32_t>(channels) * bits / 8; }
    bool IsValid() const;
};

class CAudioMixerCore;

class CAudioBuffer : public std::enable_shared_from_this<CAudioBuffer> {
public:
    static constexpr int32_t kVolumeMin = -10000;   // silence
    static constexpr int32_t kVolumeMax = 0;        // unity gain
    static constexpr int32_t kPanLeft = -10000;
    static constexpr int32_t kPanRight = 10000;

    ~CAudioBuffer();
    CAudioBuffer(const CAudioBuffer&) = delete;
    CAudioBuffer& operator=(const CAudioBuffer&) = delete;

    const SAudioFormat& GetFormat() const { return m_Format; }
    uint32_t GetSize() const { return static_cast<uint32_t>(m_Data.size()); }
    uint32_t GetFrameCount() const { return m_Frames; }

    // Copies bytes in at `offset`, wrapping at the end of the buffer (a ring for
    // streaming).  False when offset is outside or bytes exceed the size.
    bool Write(uint32_t offset, const void* data, uint32_t bytes);
    // Fills with silence from `offset`, wrapping likewise.
    bool WriteSilence(uint32_t offset, uint32_t bytes);

    // Hundredths of a decibel, held to -10000..0.
    void SetVolume(int32_t volume);
    int32_t GetVolume() const;
    // -10000 (left only) .. 0 (centre) .. 10000 (right only); the other side is
    // attenuated by the same number of hundredths of a decibel.
    void SetPan(int32_t pan);
    int32_t GetPan() const;
    // Playback rate in Hz (100..200000); 0 returns to the format's own rate.
    void SetFrequency(uint32_t hz);
    uint32_t GetFrequency() const;

    // Starts (or restarts after Stop) from the play cursor.
    void Play(bool loop);
    // Stops at once, keeping the play cursor.
    void Stop();
    // Lowers the gain linearly to silence over `ms` of output, then stops.
    void StopWithFade(uint32_t ms);
    bool IsPlaying() const;
    bool IsLooping() const;
    bool IsFadingOut() const;

    // The play cursor in bytes (a multiple of the block size).
    uint32_t GetPlayPosition() const;
    // Moves the play cursor (rounded down to a frame); resets the played count.
    void SetPlayPosition(uint32_t bytes);
    // Source frames the cursor has advanced since the last SetPlayPosition (or
    // creation), wraps of a looping buffer included.
    uint64_t GetPlayedFrames() const;

private:
    friend class CAudioMixerCore;
    friend class CAudioDevice;
    CAudioBuffer(std::shared_ptr<CAudioMixerCore> core, const SAudioFormat& format, uint32_t bytes);
    void _UpdateGains();
    // Mixes into `acc` (stereo float); false when the buffer stopped.
    bool _MixInto(float* acc, uint32_t frames);
    int32_t _SampleL(uint32_t frame) const;
    int32_t _SampleR(uint32_t frame) const;
    // Tests place the cursor where hours of play would leave it.
    friend class CAudioBufferTestAccess;

    std::shared_ptr<CAudioMixerCore> m_Core;
    SAudioFormat m_Format;
    std::vector<uint8_t> m_Data;
    uint32_t m_Frames = 0;
    int32_t m_Volume = 0;
    int32_t m_Pan = 0;
    uint32_t m_Frequency = 0;
    float m_GainL = 1.0f;
    float m_GainR = 1.0f;
    bool m_Playing = false;
    bool m_Looping = false;
    uint32_t m_StartFrame = 0;
    // Source frames advanced since m_StartFrame, whole and fraction apart: a 32.32
    // count in one word would wrap after 2^32 frames (27 hours at 44.1 kHz) and jump
    // a looping buffer's cursor and a stream's played count.
    uint64_t m_Played = 0;
    uint32_t m_Frac = 0;
    uint32_t m_FadeTotal = 0;     // output frames of a stop fade, 0 when none runs
    uint32_t m_FadeLeft = 0;
};

