#include "engine/movie/MovieSoundDecoder.h"

#include <algorithm>

#include "engine/base/Log.h"
#include "engine/movie/MovieFile.h"

CMovieSoundDecoder::CMovieSoundDecoder() {
    m_Format.rate = CMovieDecoder::kAudioRate;
    m_Format.channels = CMovieDecoder::kAudioChannels;
    m_Format.bits = 16;
}

bool CMovieSoundDecoder::Open(std::unique_ptr<IFileObject> file, const std::string& name) {
    if (!file) return false;
    return OpenSource(std::make_unique<CFileMovieSource>(std::move(file)), name);
}

bool CMovieSoundDecoder::OpenSource(std::unique_ptr<IMovieSource> source, const std::string& name) {
    std::string error;
    if (!m_Decoder.Open(std::move(source), CMovieDecoder::STREAM_AUDIO, &error)) {
        DebugPrintf("CMovieSoundDecoder::Open() 音声を開けません[%s][%s]", name.c_str(), error.c_str());
        return false;
    }
    m_Total = static_cast<uint64_t>(m_Decoder.GetDurationMs()) * m_Format.rate / 1000;
    if (m_Total == 0) {
        DebugPrintf("CMovieSoundDecoder::Open() 長さが分かりません[%s]", name.c_str());
        m_Decoder.Close();
        return false;
    }
    return true;
}

uint32_t CMovieSoundDecoder::Read(void* out, uint32_t frames) {
    return m_Decoder.ReadAudio(static_cast<int16_t*>(out), frames);
}

bool CMovieSoundDecoder::SeekFrame(uint64_t frame) {
    // Movies are not indexed finely enough to land on a frame: rewind and skip.
    if (!m_Decoder.Rewind()) return false;
    m_Skip.resize(4096 * CMovieDecoder::kAudioChannels);
    while (frame > 0) {
        const uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(frame, 4096));
        const uint32_t got = m_Decoder.ReadAudio(m_Skip.data(), n);
        if (got == 0) break;
        frame -= got;
    }
    return true;
}
