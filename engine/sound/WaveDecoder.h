#pragma once
#include "engine/sound/SoundDecoder.h"

// RIFF WAVE with uncompressed PCM data.
class CWaveDecoder : public ISoundDecoder {
public:
    bool Open(std::unique_ptr<IFileObject> file, const std::string& name) override;
    const SAudioFormat& GetFormat() const override { return m_Format; }
    uint64_t GetTotalFrames() const override { return m_Frames; }
    uint32_t Read(void* out, uint32_t frames) override;
    bool SeekFrame(uint64_t frame) override;
    bool HasFailed() const override { return m_Failed; }

private:
    std::unique_ptr<IFileObject> m_File;
    SAudioFormat m_Format;
    int64_t m_DataOffset = 0;
    uint64_t m_Frames = 0;
    uint64_t m_Pos = 0;
    bool m_Failed = false;
};
