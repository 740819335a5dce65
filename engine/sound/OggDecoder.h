#pragma once
#include "engine/sound/SoundDecoder.h"

// Ogg Vorbis through vorbisfile, reading over the file object with read, seek,
// close and tell callbacks.
class COggDecoder : public ISoundDecoder {
public:
    COggDecoder();
    ~COggDecoder() override;
    COggDecoder(const COggDecoder&) = delete;
    COggDecoder& operator=(const COggDecoder&) = delete;

    bool Open(std::unique_ptr<IFileObject> file, const std::string& name) override;
    const SAudioFormat& GetFormat() const override { return m_Format; }
    uint64_t GetTotalFrames() const override { return m_Frames; }
    uint32_t Read(void* out, uint32_t frames) override;
    bool SeekFrame(uint64_t frame) override;
    bool HasFailed() const override { return m_Failed; }

    // True when the last complete Ogg page of the file closes its stream; a file cut
    // short lacks that page.
    static bool _EndsWithLastPage(IFileObject* file);

private:
    void _Close();

    struct SState;
    std::unique_ptr<SState> m_State;
    std::unique_ptr<IFileObject> m_File;
    std::string m_Name;
    SAudioFormat m_Format;
    uint64_t m_Frames = 0;
    uint64_t m_Pos = 0;
    bool m_Failed = false;
    bool m_HoleReported = false;
};
