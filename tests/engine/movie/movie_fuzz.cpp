// Opens and decodes bytes as a movie through the player's own source, as pictures and
// as sound, bounded in pictures and samples.  Inputs whose first byte is odd damage a
// small valid clip instead (pairs of offset and value, then a cut), so that the decoders
// behind the container are reached too.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/file/File.h"
#include "engine/movie/MovieFile.h"
#include "engine/movie/MovieSoundDecoder.h"
#include "tools/movie/ClipWriter.h"

namespace {

const std::vector<uint8_t>& SeedClip() {
    static const std::vector<uint8_t> clip = [] {
        std::vector<uint8_t> bytes;
        std::string error;
        movieclip::EncodeClip(movieclip::SClip{.width = 64, .height = 48, .frames = 6}, &bytes, &error);
        return bytes;
    }();
    return clip;
}

std::vector<uint8_t> Damage(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes = SeedClip();
    if (bytes.empty()) return bytes;
    size_t i = 1;
    for (; i + 3 <= size && data[i] != 0xFF; i += 3) {
        const size_t at = (static_cast<size_t>(data[i]) << 8 | data[i + 1]) * 7 % bytes.size();
        bytes[at] = data[i + 2];
    }
    if (i + 2 < size) bytes.resize((static_cast<size_t>(data[i + 1]) << 8 | data[i + 2]) % (bytes.size() + 1));
    return bytes;
}

void Decode(std::vector<uint8_t> bytes) {
    CMovieDecoder video;
    video.SetPictureSize(64, 48);
    auto source = std::make_unique<CFileMovieSource>(std::make_unique<CMemoryFileObject>(bytes));
    if (video.Open(std::move(source), CMovieDecoder::STREAM_VIDEO, nullptr)) {
        SMoviePicture picture;
        for (int i = 0; i < 8 && video.ReadPicture(&picture); ++i) {
        }
        video.Rewind();
        video.ReadPicture(&picture);
    }
    CMovieSoundDecoder sound;
    if (sound.Open(std::make_unique<CMemoryFileObject>(std::move(bytes)), "fuzz")) {
        std::vector<int16_t> pcm(4096 * 2);
        for (int i = 0; i < 4 && sound.Read(pcm.data(), 4096) > 0; ++i) {
        }
        sound.SeekFrame(100);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (SetDebugOutputEnabled(false), true);
    (void)quiet;
    if (size > 0 && (data[0] & 1)) {
        Decode(Damage(data, size));
    } else {
        Decode(std::vector<uint8_t>(data, data + size));
    }
    return 0;
}
