#pragma once
// A sound decoded whole into one buffer of the device (files shorter than 3,000 ms).
#include <memory>
#include <string>

#include "engine/base/CriticalSection.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundDecoder.h"

class CStaticSound : public ISound {
public:
    explicit CStaticSound(CAudioDevice& device) : m_Device(device) {}
    ~CStaticSound() override;

    // Decodes everything; false with a log line when the data is corrupt.
    bool Init(ISoundDecoder& decoder, const std::string& name);

    bool Load(const std::string& /*file*/) override { return false; }
    void Unload() override;
    bool Play(bool loop, uint32_t startMs = 0) override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    uint32_t GetPosition() const override;
    void SetVolume(int32_t volume) override;
    int32_t GetVolume() const override;
    void SetPan(int32_t pan) override;
    int32_t GetPan() const override;
    void SetFrequency(uint32_t hz) override;
    uint32_t GetFrequency() const override;
    bool IsLoaded() const override;
    bool IsPlaying() const override;
    bool IsPaused() const override;
    bool IsLooping() const override;
    uint32_t GetLengthMs() const override { return m_LengthMs; }

private:
    CAudioDevice& m_Device;
    mutable CCriticalSection m_Lock;
    std::shared_ptr<CAudioBuffer> m_Buffer;
    SAudioFormat m_Format;
    uint32_t m_LengthMs = 0;
    bool m_Paused = false;
    bool m_Started = false;
};
