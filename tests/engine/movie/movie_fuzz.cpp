// Opens and decodes arbitrary bytes as a movie through the player's own source, both
// as pictures and as sound, bounded in pictures and samples.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/base/Log.h"
#include "engine/file/File.h"
#include "engine/movie/MovieFile.h"
#include "engine/movie/MovieSoundDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (SetDebugOutputEnabled(false), true);
    (void)quiet;
    CMovieDecoder video;
    video.SetPictureSize(64, 48);
    auto source = std::make_unique<CFileMovieSource>(std::make_unique<CMemoryFileObject>(data, size));
    if (video.Open(std::move(source), CMovieDecoder::STREAM_VIDEO, nullptr)) {
        SMoviePicture picture;
        for (int i = 0; i < 8 && video.ReadPicture(&picture); ++i) {
        }
    }
    CMovieSoundDecoder sound;
    if (sound.Open(std::make_unique<CMemoryFileObject>(data, size), "fuzz")) {
        std::vector<int16_t> pcm(4096 * 2);
        for (int i = 0; i < 4 && sound.Read(pcm.data(), 4096) > 0; ++i) {
        }
        sound.SeekFrame(100);
    }
    return 0;
}
