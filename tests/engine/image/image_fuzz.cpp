// The BMP and PNG decoders on arbitrary bytes: never read outside the input, and a
// picture they accept is whole (every row and alpha byte readable), as is a mask
// made from it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/base/Log.h"
#include "engine/image/ImageFile.h"
#include "engine/image/MaskImage.h"

namespace {

uint32_t Read32(const uint8_t* p, bool bigEndian) {
    return bigEndian ? (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3]
                     : p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

// Keeps each input quick: pictures whose header claims more than 2^18 pixels are
// left to the unit tests.
bool TooLarge(const uint8_t* data, size_t size) {
    if (size >= 26 && data[0] == 'B' && data[1] == 'M') {
        int64_t w = static_cast<int32_t>(Read32(data + 18, false));
        int64_t h = static_cast<int32_t>(Read32(data + 22, false));
        if (Read32(data + 14, false) == 12) {
            w = data[18] | (data[19] << 8);
            h = data[20] | (data[21] << 8);
        }
        return std::llabs(w) * std::llabs(h) > (1 << 18);
    }
    if (size >= 24 && data[0] == 0x89) {
        return static_cast<uint64_t>(Read32(data + 16, true)) * Read32(data + 20, true) > (1u << 18);
    }
    return false;
}

void Check(const CImageFile& image) {
    if (!image.IsOpen()) {
        if (image.GetPixelBits() || image.GetAlphaPlane() || image.GetBitCount()) std::abort();
        return;
    }
    int32_t w = 0, h = 0;
    image.GetImageSize(&w, &h);
    const int bits = image.GetBitCount();
    if (w <= 0 || h <= 0 || (bits != 15 && bits != 16 && bits != 24 && bits != 32)) std::abort();
    const int bytes = bits == 15 ? 2 : bits / 8;
    if (image.GetRowPitch() < w * bytes || image.GetRowPitch() % 4) std::abort();
    unsigned sum = 0;
    for (int64_t i = 0; i < int64_t{image.GetRowPitch()} * h; ++i) sum += image.GetPixelBits()[i];
    if (const uint8_t* alpha = image.GetAlphaPlane()) {
        if (image.GetAlphaRowPitch() < w) std::abort();
        for (int64_t i = 0; i < int64_t{image.GetAlphaRowPitch()} * h; ++i) sum += alpha[i];
    }
    volatile unsigned sink = sum;
    (void)sink;

    CMaskImage mask;
    if (!mask.LoadFromImage(image, 0, 0) || !mask.LoadFromImage(image, 3, 5)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = (SetDebugOutputEnabled(false), true);
    (void)quiet;
    if (TooLarge(data, size)) return 0;
    CImageFile image;
    image.OpenMemory(data, size, "fuzz.bmp");
    Check(image);
    image.OpenMemory(data, size, "fuzz.png");
    Check(image);
    return 0;
}
