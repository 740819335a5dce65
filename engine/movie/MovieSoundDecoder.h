#pragma once
// The movie's sound for the sound stream: the audio stream of the movie file decoded
// and resampled to 16-bit stereo at 44.1 kHz, read by the stream's thread on demand.
#include <memory>
#include <string>
#include <vector>

#include "engine/sound/SoundDecoder.h"
#include "platform/movie/MovieDecoder.h"

class CMovieSoundDecoder : public ISoundDecoder {
public:
    CMovieSoundDecoder();
    bool Open(std::unique_ptr<IFileObject> file, const std::string& name) override;
    // The same from a source of the movie file; false (logged) without a sound stream
    // or a known length.
    bool OpenSource(std::unique_ptr<IMovieSource> source, const std::string& name);
    const SAudioFormat& GetFormat() const override { return m_Format; }
    uint64_t GetTotalFrames() const override { return m_Total; }
    uint32_t Read(void* out, uint32_t frames) override;
    bool SeekFrame(uint64_t frame) override;
    bool HasFailed() const override { return m_Decoder.HasFailed(); }

private:
    CMovieDecoder m_Decoder;
    SAudioFormat m_Format;
    uint64_t m_Total = 0;
    std::vector<int16_t> m_Skip;
};
