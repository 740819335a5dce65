#pragma once
// What the static and the streamed sound share: one buffer of the device, reached
// under one lock (the stream's thread refills it while the game sets its volume).
// The volume, pan and rate live in the buffer, so a sound without one reports zeros.
#include <memory>
#include <string>

#include "engine/base/CriticalSection.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundDecoder.h"

class CBufferSound : public ISound {
public:
    bool Load(const std::string& /*file*/) override { return false; }
    void SetVolume(int32_t volume) override;
    int32_t GetVolume() const override;
    void SetPan(int32_t pan) override;
    int32_t GetPan() const override;
    void SetFrequency(uint32_t hz) override;
    uint32_t GetFrequency() const override;
    bool IsLoaded() const override;
    uint32_t GetLengthMs() const override { return m_LengthMs; }

protected:
    explicit CBufferSound(CAudioDevice& device) : m_Device(device) {}

    CAudioDevice& m_Device;
    mutable CCriticalSection m_Lock;
    std::shared_ptr<CAudioBuffer> m_Buffer;
    SAudioFormat m_Format;
    uint32_t m_LengthMs = 0;
};
