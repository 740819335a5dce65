// One movie frame of 800 × 600: decoded (MPEG-1), converted to 32-bit pixels and
// uploaded into the player's texture; and the three parts apart.  Milliseconds per
// frame are the time per iteration.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DTexture.h"
#include "engine/file/File.h"
#include "engine/movie/MovieFile.h"
#include "engine/movie/MoviePlayer.h"
#include "tools/movie/ClipWriter.h"

namespace {

const std::vector<uint8_t>& Clip() {
    static const std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> out;
        std::string error;
        movieclip::EncodeClip(movieclip::SClip{.width = 800, .height = 600, .frames = 50, .audio = false}, &out,
                              &error);
        return out;
    }();
    return bytes;
}

std::unique_ptr<CMovieDecoder> OpenClip(uint32_t width, uint32_t height) {
    auto decoder = std::make_unique<CMovieDecoder>();
    decoder->SetPictureSize(width, height);
    auto source = std::make_unique<CFileMovieSource>(std::make_unique<CMemoryFileObject>(Clip()));
    if (!decoder->Open(std::move(source), CMovieDecoder::STREAM_VIDEO, nullptr)) return nullptr;
    return decoder;
}

// The next picture, starting over at the clip's end.
bool Next(CMovieDecoder& decoder, SMoviePicture* picture) {
    return decoder.ReadPicture(picture) || (decoder.Rewind() && decoder.ReadPicture(picture));
}

void BM_DecodeConvertUpload(benchmark::State& state) {
    auto decoder = OpenClip(CMoviePlayer::kWidth, CMoviePlayer::kHeight);
    CD3DDevice device;
    CD3DTexture texture;
    if (!decoder || !device.Create(nullptr) ||
        !texture.Create(&device, CMoviePlayer::kWidth, CMoviePlayer::kHeight, GFX_FMT_X8R8G8B8)) {
        state.SkipWithError("no clip or device");
        return;
    }
    SMoviePicture picture;
    for (auto _ : state) {
        Next(*decoder, &picture);
        CMoviePlayer::UploadPicture(picture, texture);
    }
}
BENCHMARK(BM_DecodeConvertUpload)->Unit(benchmark::kMillisecond);

// Decoding and a conversion to a 2 × 2 picture: the decode's share.
void BM_DecodeOnly(benchmark::State& state) {
    auto decoder = OpenClip(2, 2);
    if (!decoder) {
        state.SkipWithError("no clip");
        return;
    }
    SMoviePicture picture;
    for (auto _ : state) Next(*decoder, &picture);
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMillisecond);

void BM_UploadOnly(benchmark::State& state) {
    CD3DDevice device;
    CD3DTexture texture;
    if (!device.Create(nullptr) ||
        !texture.Create(&device, CMoviePlayer::kWidth, CMoviePlayer::kHeight, GFX_FMT_X8R8G8B8)) {
        state.SkipWithError("no device");
        return;
    }
    SMoviePicture picture;
    picture.width = CMoviePlayer::kWidth;
    picture.height = CMoviePlayer::kHeight;
    picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, 0xFF336699u);
    for (auto _ : state) CMoviePlayer::UploadPicture(picture, texture);
}
BENCHMARK(BM_UploadOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
