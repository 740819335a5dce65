// Row converters, row fillers and the BMP writer against scalar models of their rules.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "engine/soft/PixelPack.h"
#include "engine/soft/PixelRows.h"
#include "engine/soft/SoftSurface.h"
#include "tests/engine/soft/PixelModel.h"

namespace {

using namespace pixelmodel;

const int kDepths[] = {15, 16, 24, 32};

uint64_t Fnv(const std::vector<uint8_t>& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    return h;
}

// Random bytes biased to the extremes, where channel rules go wrong first.
uint8_t RandomByte(std::mt19937& rng) {
    const uint32_t v = rng();
    switch (v & 7) {
    case 0: return 0x00;
    case 1: return 0xFF;
    default: return static_cast<uint8_t>(v >> 8);
    }
}

}  // namespace

TEST(PixelRows, GoldenConversions) {
    // (B, G, R) = (FF, FF, FF) to 16 bits is FFFF; (08, 04, 08) is 0821.
    const uint8_t white[3] = {0xFF, 0xFF, 0xFF};
    const uint8_t dark[3] = {0x08, 0x04, 0x08};
    uint8_t out[2];
    ConvertRows16From24(out, white, 1);
    EXPECT_EQ(Load(out, 2), 0xFFFFu);
    ConvertRows16From24(out, dark, 1);
    EXPECT_EQ(Load(out, 2), 0x0821u);
    // Back to 24 bits: FFFF becomes (F8, FC, F8).
    const uint8_t ffff[2] = {0xFF, 0xFF};
    uint8_t rgb[3];
    ConvertRows24From16(rgb, ffff, 1);
    EXPECT_EQ(rgb[0], 0xF8);
    EXPECT_EQ(rgb[1], 0xFC);
    EXPECT_EQ(rgb[2], 0xF8);
    // Mid grey: 0x8410 at 16 bits and 0x4210 at 15 bits are (80, 80, 80).
    const uint8_t grey[3] = {0x80, 0x80, 0x80};
    ConvertRows16From24(out, grey, 1);
    EXPECT_EQ(Load(out, 2), 0x8410u);
    ConvertRows15From24(out, grey, 1);
    EXPECT_EQ(Load(out, 2), 0x4210u);
    EXPECT_EQ(Expand565To888(0x8410), 0x00808080u);
    EXPECT_EQ(Expand555To888(0x4210), 0x00808080u);
    // 15 <-> 16: green gains or loses its low bit, red and blue stay.
    const uint8_t p565[2] = {0xFF, 0xFF};
    ConvertRows15From16(out, p565, 1);
    EXPECT_EQ(Load(out, 2), 0x7FFFu);
    const uint8_t p555[2] = {0xFF, 0x7F};
    ConvertRows16From15(out, p555, 1);
    EXPECT_EQ(Load(out, 2), 0xFFDFu);
}

TEST(PixelRows, PackHelpersStoreAndReturn) {
    const uint8_t bgr[3] = {0xFF, 0xFF, 0xFF};
    uint16_t pixel = 0;
    EXPECT_EQ(PackRGB555(&pixel, bgr), 0x7FFF);
    EXPECT_EQ(pixel, 0x7FFF);
    EXPECT_EQ(PackRGB565(&pixel, bgr), 0xFFFF);
    EXPECT_EQ(pixel, 0xFFFF);
    const uint8_t mixed[3] = {0x18, 0x34, 0xC8};  // B, G, R
    EXPECT_EQ(PackRGB555(&pixel, mixed), ((0xC8 & 0xF8) << 7) | ((0x34 & 0xF8) << 2) | (0x18 >> 3));
    EXPECT_EQ(PackRGB565(&pixel, mixed), ((0xC8 & 0xF8) << 8) | ((0x34 & 0xFC) << 3) | (0x18 >> 3));
    EXPECT_EQ(PackColor565(0x00C83418), pixel);
}

// Every depth pair on random images: rows flipped, each pixel by its rule, the
// destination's padding untouched.  A failure names the seed.
TEST(PixelRows, EveryPairMatchesModelOnRandomImages) {
    uint64_t combined = 0;
    for (int dd : kDepths) {
        for (int sd : kDepths) {
            ASSERT_NE(GetConvertRowsFunc(dd, sd), nullptr) << dd << " from " << sd;
            for (uint32_t seed = 1; seed <= 40; ++seed) {
                std::mt19937 rng(seed * 7919u + static_cast<uint32_t>(dd * 100 + sd));
                const int width = seed <= 3 ? 1000 + static_cast<int>(seed) : 1 + static_cast<int>(rng() % 67);
                const int height = 1 + static_cast<int>(rng() % 5);
                const int sourcePitch = width * Bpp(sd) + static_cast<int>(rng() % 9);
                const int destPitch = width * Bpp(dd) + static_cast<int>(rng() % 9);
                std::vector<uint8_t> source(static_cast<size_t>(sourcePitch) * height);
                for (auto& b : source) b = RandomByte(rng);
                std::vector<uint8_t> dest(static_cast<size_t>(destPitch) * height, 0xCD);
                std::vector<uint8_t> expect = dest;
                for (int y = 0; y < height; ++y) {
                    const uint8_t* srow = source.data() + static_cast<size_t>(height - 1 - y) * sourcePitch;
                    uint8_t* drow = expect.data() + static_cast<size_t>(y) * destPitch;
                    for (int x = 0; x < width; ++x) ModelPixel(dd, sd, srow + x * Bpp(sd), drow + x * Bpp(dd));
                }
                ConvertPixelRows(dest.data(), source.data(), dd, sd, destPitch, sourcePitch, width, height);
                ASSERT_EQ(Fnv(dest), Fnv(expect)) << dd << " from " << sd << " seed " << seed << " width " << width;
                combined ^= Fnv(dest) + seed;
            }
        }
    }
    EXPECT_NE(combined, 0u);
}

TEST(PixelRows, FirstSourceRowLandsAtTheBottom) {
    // Two rows of 24-bit pixels; the first row in memory is the image's bottom row.
    const uint8_t source[2][4] = {{1, 2, 3, 0}, {4, 5, 6, 0}};
    uint8_t dest[2][4] = {};
    ConvertPixelRows(&dest[0][0], &source[0][0], 24, 24, 4, 4, 1, 2);
    EXPECT_EQ(dest[0][0], 4);
    EXPECT_EQ(dest[1][0], 1);
}

TEST(PixelRows, TailAfterStepsOfEight) {
    // Width 9: one step of eight and one tail pixel; the tenth pixel stays.
    std::vector<uint8_t> source(10 * 4);
    for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<uint8_t>(i * 13 + 1);
    std::vector<uint8_t> dest(10 * 2, 0xAA);
    ConvertRows16From32(dest.data(), source.data(), 9);
    for (int x = 0; x < 9; ++x) {
        uint8_t expect[2];
        ModelPixel(16, 32, source.data() + 4 * x, expect);
        EXPECT_EQ(dest[2 * x], expect[0]) << x;
        EXPECT_EQ(dest[2 * x + 1], expect[1]) << x;
    }
    EXPECT_EQ(dest[18], 0xAA);
    EXPECT_EQ(dest[19], 0xAA);
}

TEST(PixelRows, UnsupportedPairsChangeNothing) {
    std::vector<uint8_t> source(64, 0x55);
    std::vector<uint8_t> dest(64, 0x11);
    ConvertPixelRows(dest.data(), source.data(), 32, 8, 16, 16, 4, 4);
    ConvertPixelRows(dest.data(), source.data(), 8, 32, 16, 16, 4, 4);
    ConvertPixelRows(dest.data(), source.data(), 32, 33, 16, 16, 4, 4);
    ConvertPixelRows(dest.data(), source.data(), 32, 32, 16, 16, 0, 4);
    ConvertPixelRows(dest.data(), nullptr, 32, 32, 16, 16, 4, 4);
    for (uint8_t b : dest) ASSERT_EQ(b, 0x11);
    EXPECT_EQ(GetConvertRowsFunc(32, 8), nullptr);
}

TEST(PixelRows, FillersWriteExactlyTheRectangle) {
    for (int depth : kDepths) {
        for (int left = 0; left < 3; ++left) {
            for (int count = 0; count <= 19; ++count) {
                const int width = 24;
                const int pitch = RoundPitch(int64_t{Bpp(depth)} * width) + 4;
                std::vector<uint8_t> bits(static_cast<size_t>(pitch) * 4, 0xEE);
                const SRect rect{left, 1, left + count, 3};
                const uint8_t bgr[3] = {0x12, 0x34, 0x56};
                const uint32_t pixel = depth == 32 ? 0x00563412u : 0xA5C3u;
                if (depth == 24) {
                    FillRows24(bits.data(), pitch, bgr, rect);
                } else if (depth == 32) {
                    FillRows32(bits.data(), pitch, pixel, rect);
                } else {
                    FillRows16(bits.data(), pitch, static_cast<uint16_t>(pixel), rect);
                }
                for (int y = 0; y < 4; ++y) {
                    for (int x = 0; x < pitch / Bpp(depth); ++x) {
                        const uint8_t* p = bits.data() + static_cast<size_t>(y) * pitch + x * Bpp(depth);
                        const bool inside = y >= 1 && y < 3 && x >= left && x < left + count;
                        for (int i = 0; i < Bpp(depth); ++i) {
                            uint8_t expect = 0xEE;
                            if (inside) expect = depth == 24 ? bgr[i] : static_cast<uint8_t>(pixel >> (8 * i));
                            ASSERT_EQ(p[i], expect) << "depth " << depth << " left " << left << " count " << count
                                                    << " at " << x << "," << y;
                        }
                    }
                }
            }
        }
    }
}

TEST(PixelRows, BitmapFileOfOnePixel) {
    const uint8_t pixel[4] = {0x10, 0x20, 0x30, 0x40};  // B, G, R, X
    const std::vector<uint8_t> file = BuildBitmapFile(pixel, 4, 1, 1, 32);
    const std::vector<uint8_t> expect = {
        'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
        40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,  // size, width, height, planes, bits
        0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // compression, image size, resolutions
        0, 0, 0, 0, 0, 0, 0, 0,                          // colours
        0x10, 0x20, 0x30, 0};                            // B, G, R, zero padding
    EXPECT_EQ(file, expect);
    EXPECT_EQ(BitmapRowBytes(1), 4);
    EXPECT_EQ(BitmapRowBytes(3), 12);
    EXPECT_EQ(BitmapRowBytes(4), 12);
}

TEST(PixelRows, BitmapFileRowsBottomUpWithZeroPadding) {
    // 3 × 2 at 16 bits: file row 0 is the surface's bottom row; padding is zero.
    const int pitch = 8;
    std::vector<uint8_t> bits(static_cast<size_t>(pitch) * 2, 0xFF);  // padding of the source is 0xFF
    const uint16_t top[3] = {0xF800, 0x07E0, 0x001F};
    const uint16_t bottom[3] = {0xFFFF, 0x0000, 0x8410};
    std::memcpy(bits.data(), top, 6);
    std::memcpy(bits.data() + pitch, bottom, 6);
    const std::vector<uint8_t> file = BuildBitmapFile(bits.data(), pitch, 3, 2, 16);
    ASSERT_EQ(file.size(), 54u + 12u * 2u);
    const uint8_t row0[12] = {0xF8, 0xFC, 0xF8, 0, 0, 0, 0x80, 0x80, 0x80, 0, 0, 0};
    const uint8_t row1[12] = {0, 0, 0xF8, 0, 0xFC, 0, 0xF8, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(file.data() + 54, row0, 12), 0);
    EXPECT_EQ(std::memcmp(file.data() + 66, row1, 12), 0);
}

TEST(PixelRows, BitmapFileOfUnknownDepthHasZeroPixels) {
    std::vector<uint8_t> bits(64, 0x77);
    const std::vector<uint8_t> file = BuildBitmapFile(bits.data(), 8, 2, 2, 8);
    ASSERT_EQ(file.size(), 54u + 8u * 2u);
    for (size_t i = 54; i < file.size(); ++i) EXPECT_EQ(file[i], 0) << i;
}
