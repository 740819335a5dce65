#pragma once
// A sound decoded whole into one buffer of the device (files shorter than 3,000 ms).
#include <memory>
#include <string>

#include "engine/sound/BufferSound.h"

class CStaticSound : public CBufferSound {
public:
    explicit CStaticSound(CAudioDevice& device) : CBufferSound(device) {}
    ~CStaticSound() override;

    // Decodes everything; false with a log line when the data is corrupt.
    bool Init(ISoundDecoder& decoder, const std::string& name);

    void Unload() override;
    bool Play(bool loop, uint32_t startMs = 0) override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    uint32_t GetPosition() const override;
    bool IsPlaying() const override;
    bool IsPaused() const override;
    bool IsLooping() const override;

private:
    bool m_Paused = false;
    bool m_Started = false;
};
