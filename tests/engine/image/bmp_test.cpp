// BMP decoding: every depth, header kind and row order compared pixel by pixel with
// what our own writer put in the file, and the refusals of damaged files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/image/ImageFile.h"
#include "tests/engine/image/ImageWriters.h"

using imagetest::CTestRandom;
using imagetest::SBmpSpec;
using imagetest::WriteBmp;

namespace {

int32_t Round4(int32_t v) { return (v + 3) & ~3; }

void ExpectEmpty(const CImageFile& image) {
    EXPECT_FALSE(image.IsOpen());
    EXPECT_EQ(image.GetPixelBits(), nullptr);
    EXPECT_EQ(image.GetAlphaPlane(), nullptr);
    EXPECT_EQ(image.GetBitCount(), 0);
    int32_t w = -1, h = -1;
    image.GetImageSize(&w, &h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(image.GetRowPitch(), 0);
    EXPECT_EQ(image.GetAlphaRowPitch(), 0);
}

// Decodes `bytes` expecting failure: false, a log line from the decoder, nothing kept.
void ExpectRefused(const std::vector<uint8_t>& bytes, const char* logText = "CBmpDecoder::Decode()") {
    CLogCapture log;
    CImageFile image;
    EXPECT_FALSE(image.OpenMemory(bytes.data(), bytes.size(), "bad.bmp"));
    EXPECT_TRUE(log.Contains(logText)) << (log.Count() ? log.GetLines()[0] : std::string("no log line"));
    ExpectEmpty(image);
}

// Compares the decoded rows with `expected(x, y)` giving the pixel's bytes.
template <typename F>
void ExpectPixels(const CImageFile& image, int32_t width, int32_t height, int bytesPerPixel, F expected) {
    ASSERT_TRUE(image.IsOpen());
    int32_t w = 0, h = 0;
    image.GetImageSize(&w, &h);
    ASSERT_EQ(w, width);
    ASSERT_EQ(h, height);
    ASSERT_EQ(image.GetRowPitch(), Round4(width * bytesPerPixel));
    EXPECT_EQ(image.GetAlphaPlane(), nullptr);
    EXPECT_EQ(image.GetAlphaRowPitch(), 0);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* p = imagetest::PixelAt(image.GetPixelBits(), image.GetRowPitch(), height, x, y, bytesPerPixel);
            std::vector<uint8_t> want = expected(x, y);
            ASSERT_EQ(0, std::memcmp(p, want.data(), bytesPerPixel)) << "pixel " << x << "," << y;
        }
    }
}

std::vector<uint32_t> RandomValues(CTestRandom& rnd, size_t count, uint32_t mask) {
    std::vector<uint32_t> v(count);
    for (auto& x : v) x = rnd.Next() & mask;
    return v;
}

std::vector<uint8_t> Bytes(uint32_t v, int n) {
    std::vector<uint8_t> b;
    for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return b;
}

}  // namespace

// Palette pictures of every index depth, both row orders and widths that leave
// every amount of row padding come out as 24-bit B, G, R.
TEST(BmpDecoder, PalettePicturesExpandTo24Bits) {
    for (int bpp : {1, 4, 8}) {
        for (bool topDown : {false, true}) {
            for (int32_t width : {1, 2, 3, 5, 8, 9, 17}) {
                uint32_t seed = static_cast<uint32_t>(bpp * 1000 + width * 2 + topDown);
                CTestRandom rnd(seed);
                SBmpSpec spec;
                spec.width = width;
                spec.height = 3;
                spec.bitCount = bpp;
                spec.topDown = topDown;
                spec.palette = RandomValues(rnd, 1u << bpp, 0xFFFFFF);
                auto values = RandomValues(rnd, static_cast<size_t>(width) * 3, (1u << bpp) - 1);
                auto bytes = WriteBmp(spec, values);
                CImageFile image;
                ASSERT_TRUE(image.OpenMemory(bytes.data(), bytes.size(), "a.bmp")) << "seed " << seed;
                EXPECT_EQ(image.GetBitCount(), 24);
                ExpectPixels(image, width, 3, 3, [&](int32_t x, int32_t y) {
                    return Bytes(spec.palette[values[y * width + x]], 3);
                });
            }
        }
    }
}

TEST(BmpDecoder, ShortPaletteAndZeroColorsUsed) {
    CTestRandom rnd(7);
    // 8 bits with only 3 colours listed.
    SBmpSpec spec;
    spec.width = 4;
    spec.height = 2;
    spec.bitCount = 8;
    spec.palette = {0x112233, 0x445566, 0x778899};
    std::vector<uint32_t> values = {0, 1, 2, 1, 2, 2, 0, 0};
    auto bytes = WriteBmp(spec, values);
    CImageFile image;
    ASSERT_TRUE(image.OpenMemory(bytes.data(), bytes.size(), "a.bmp"));
    ExpectPixels(image, 4, 2, 3, [&](int32_t x, int32_t y) { return Bytes(spec.palette[values[y * 4 + x]], 3); });

    // colours used 0 means the full 256-entry table.
    spec.palette = RandomValues(rnd, 256, 0xFFFFFF);
    spec.colorsUsed = 0;
    values = RandomValues(rnd, 8, 0xFF);
    bytes = WriteBmp(spec, values);
    ASSERT_TRUE(image.OpenMemory(bytes.data(), bytes.size(), "a.bmp"));
    ExpectPixels(image, 4, 2, 3, [&](int32_t x, int32_t y) { return Bytes(spec.palette[values[y * 4 + x]], 3); });

    // 300 colours declared and written: 8 bits index the first 256 of them.
    spec.palette = RandomValues(rnd, 300, 0xFFFFFF);
    spec.colorsUsed = -1;
    bytes = WriteBmp(spec, values);
    ASSERT_TRUE(image.OpenMemory(bytes.data(), bytes.size(), "a.bmp"));
    ExpectPixels(image, 4, 2, 3, [&](int32_t x, int32_t y) { return Bytes(spec.palette[values[y * 4 + x]], 3); });
}

// 16-bit words are kept as they are; the masks decide between 15 and 16.
TEST(BmpDecoder, SixteenBitPicturesReport15Or16ByTheirMasks) {
    struct SCase {
        uint32_t compression;
        uint32_t headerSize;
        uint32_t r, g, b;
        int bitCount;
    };
    const SCase cases[] = {
        {0, 40, 0, 0, 0, 15},                  // BI_RGB: 555
        {3, 40, 0x7C00, 0x03E0, 0x001F, 15},   // BI_BITFIELDS after the header
        {3, 40, 0xF800, 0x07E0, 0x001F, 16},
        {3, 108, 0xF800, 0x07E0, 0x001F, 16},  // masks inside a V4 header
        {3, 124, 0x7C00, 0x03E0, 0x001F, 15},  // and a V5 one
    };
    for (const SCase& c : cases) {
        for (bool topDown : {false, true}) {
            CTestRandom rnd(c.headerSize + c.r + topDown);
            SBmpSpec spec;
            spec.width = 5;
            spec.height = 4;
            spec.bitCount = 16;
            spec.topDown = topDown;
            spec.compression = c.compression;
            spec.headerSize = c.headerSize;
            spec.masks[0] = c.r;
            spec.masks[1] = c.g;
            spec.masks[2] = c.b;
            auto values = RandomValues(rnd, 20, c.bitCount == 15 ? 0x7FFF : 0xFFFF);
            auto bytes = WriteBmp(spec, values);
            CImageFile image;
            ASSERT_TRUE(image.OpenMemory(bytes.data(), bytes.size(), "a.bmp"));
            EXPECT_EQ(image.GetBitCount(), c.bitCount);
            ExpectPixels(image, 5, 4, 2, [&](int32_t x, int32_t y) { return Bytes(values[y * 5 + x], 2); });
        }
    }
}

TEST(BmpDecoder, TrueColourPicturesKeepTheirBytes) {
    for (int bpp : {24, 32}) {
        for (uint32_t compression : {0u, 3u}) {
            if (bpp == 24 && compression == 3) continue;
            for (bool topDown : {false, true}) {
                for (int32_t width : {1, 2, 3, 7}) {
                    CTestRandom rnd(static_cast<uint32_t>(bpp + width * 10 + topDown * 100 + compression));
                    SBmpSpec spec;
                    spec.width = width;
                    spec.height = 3;
                    spec.bitCount = bpp;
                    spec.topDown = topDown;
                    spec.compression = compression;
                    spec.masks[0] = 0xFF0000;
                    spec.masks[1] = 0x00FF00;
                    spec.masks[2] = 0x0000FF;
                    // The fourth byte of 32-bit pixels is random: it is kept, never taken for alpha.
                    auto values = RandomValues(rnd, static_cast<size_t>(width) * 3, bpp == 32 ? 0xFFFFFFFF : 0xFFFFFF);
                    auto bytes = WriteBmp(spec, values);
                    CImageFile image;
                    ASSERT_TRUE(image.OpenMemory(bytes.data(), bytes.size(), "a.bmp"));
                    EXPECT_EQ(image.GetBitCount(), bpp);
                    ExpectPixels(image, width, 3, bpp / 8,
                                 [&](int32_t x, int32_t y) { return Bytes(values[y * width + x], bpp / 8); });
                }
            }
        }
    }
}

TEST(BmpDecoder, Os2CoreHeader) {
    CTestRandom rnd(12);
    SBmpSpec spec;
    spec.headerSize = 12;
    spec.width = 6;
    spec.height = 2;
    spec.bitCount = 4;
    spec.palette = RandomValues(rnd, 16, 0xFFFFFF);
    auto values = RandomValues(rnd, 12, 15);
    auto bytes = WriteBmp(spec, values);
    CImageFile image;
    ASSERT_TRUE(image.OpenMemory(bytes.data(), bytes.size(), "a.bmp"));
    ExpectPixels(image, 6, 2, 3, [&](int32_t x, int32_t y) { return Bytes(spec.palette[values[y * 6 + x]], 3); });

    spec.bitCount = 24;
    spec.palette.clear();
    values = RandomValues(rnd, 12, 0xFFFFFF);
    bytes = WriteBmp(spec, values);
    ASSERT_TRUE(image.OpenMemory(bytes.data(), bytes.size(), "a.bmp"));
    ExpectPixels(image, 6, 2, 3, [&](int32_t x, int32_t y) { return Bytes(values[y * 6 + x], 3); });
}

// Some writers leave out the padding of the last row: the pixels are all there.
TEST(BmpDecoder, LastRowWithoutPaddingIsAccepted) {
    SBmpSpec spec;
    spec.width = 1;
    spec.height = 2;
    spec.bitCount = 24;
    std::vector<uint32_t> values = {0x010203, 0x040506};
    auto bytes = WriteBmp(spec, values);
    bytes.pop_back();
    CImageFile image;
    ASSERT_TRUE(image.OpenMemory(bytes.data(), bytes.size(), "a.bmp"));
    ExpectPixels(image, 1, 2, 3, [&](int32_t x, int32_t y) { return Bytes(values[y + x], 3); });
}

TEST(BmpDecoder, RefusesBadSizes) {
    SBmpSpec spec;
    spec.bitCount = 24;
    for (auto [w, h] : {std::pair{0, 1}, {1, 0}, {16385, 1}, {1, 16385}, {-3, 1}}) {
        spec.width = 1;
        spec.height = 1;
        auto bytes = WriteBmp(spec, {0});
        // Patch the header's size fields.
        for (int i = 0; i < 4; ++i) {
            bytes[18 + i] = static_cast<uint8_t>(static_cast<uint32_t>(w) >> (8 * i));
            bytes[22 + i] = static_cast<uint8_t>(static_cast<uint32_t>(h) >> (8 * i));
        }
        ExpectRefused(bytes, "CBmpDecoder::Decode() 画像サイズが不正です");
    }
    // A top-down height of -16385 and the most negative height.
    for (int32_t h : {-16385, INT32_MIN}) {
        auto bytes = WriteBmp(spec, {0});
        for (int i = 0; i < 4; ++i) bytes[22 + i] = static_cast<uint8_t>(static_cast<uint32_t>(h) >> (8 * i));
        ExpectRefused(bytes, "CBmpDecoder::Decode() 画像サイズが不正です");
    }
}

TEST(BmpDecoder, LargestSideIsAccepted) {
    SBmpSpec spec;
    spec.width = 16384;
    spec.height = 1;
    spec.bitCount = 8;
    spec.palette = {0x123456};
    auto bytes = WriteBmp(spec, std::vector<uint32_t>(16384, 0));
    CImageFile image;
    ASSERT_TRUE(image.OpenMemory(bytes.data(), bytes.size(), "a.bmp"));
    EXPECT_EQ(image.GetRowPitch(), 16384 * 3);
}

TEST(BmpDecoder, RefusesPaletteIndexPastThePalette) {
    SBmpSpec spec;
    spec.width = 3;
    spec.height = 2;
    spec.bitCount = 8;
    spec.palette = {0x000000, 0xFFFFFF};
    ExpectRefused(WriteBmp(spec, {0, 1, 0, 1, 2, 0}), "パレットの範囲外");
    // 1-bit picture with a one-entry palette.
    spec.bitCount = 1;
    spec.palette = {0x00FF00};
    ExpectRefused(WriteBmp(spec, {0, 0, 0, 0, 0, 1}), "パレットの範囲外");
}

TEST(BmpDecoder, RefusesTruncatedFiles) {
    CTestRandom rnd(99);
    SBmpSpec spec;
    spec.width = 3;
    spec.height = 3;
    spec.bitCount = 8;
    spec.palette = RandomValues(rnd, 4, 0xFFFFFF);
    auto whole = WriteBmp(spec, RandomValues(rnd, 9, 3));
    // Row stride 4: the last row needs 3 bytes, its padding may go.
    const size_t minimal = imagetest::BmpPixelOffset(whole) + 4 * 2 + 3;
    SetDebugOutputEnabled(false);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<long>(cut));
        CImageFile image;
        bool ok = image.OpenMemory(part.data(), part.size(), "a.bmp");
        EXPECT_EQ(ok, cut >= minimal) << "cut at " << cut;
        if (!ok) ExpectEmpty(image);
    }
    SetDebugOutputEnabled(true);
    std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<long>(minimal - 1));
    ExpectRefused(part, "画素データが途切れています");
}

TEST(BmpDecoder, RefusesWhatItDoesNotRead) {
    SBmpSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.bitCount = 8;
    spec.palette = {0, 0xFFFFFF};
    spec.compression = 1;  // RLE8
    ExpectRefused(WriteBmp(spec, {0, 1, 1, 0}), "RLE");
    spec.bitCount = 4;
    spec.compression = 2;  // RLE4
    ExpectRefused(WriteBmp(spec, {0, 1, 1, 0}), "RLE");
    // A JPEG or PNG held inside a BMP, on a depth that would otherwise be read.
    SBmpSpec embedded;
    embedded.bitCount = 24;
    for (auto [compression, logText] : {std::pair{4u, "未対応の圧縮形式です[bad.bmp][compression:4]"},
                                        {5u, "未対応の圧縮形式です[bad.bmp][compression:5]"}}) {
        embedded.compression = compression;
        ExpectRefused(WriteBmp(embedded, {0x123456}), logText);
    }

    spec.compression = 0;
    spec.bitCount = 2;
    ExpectRefused(WriteBmp(spec, {0, 1, 1, 0}), "未対応の色数");

    SBmpSpec odd;
    odd.width = 2;
    odd.height = 1;
    odd.bitCount = 16;
    odd.compression = 3;
    odd.masks[0] = 0x0F00;  // 4444
    odd.masks[1] = 0x00F0;
    odd.masks[2] = 0x000F;
    ExpectRefused(WriteBmp(odd, {0, 0}), "未対応のビットマスク");
    odd.bitCount = 32;
    odd.masks[0] = 0xFF;
    odd.masks[1] = 0xFF00;
    odd.masks[2] = 0xFF0000;
    ExpectRefused(WriteBmp(odd, {0, 0}), "未対応のビットマスク");
    // Masks on a depth that has none are an unknown compression, logged as such.
    odd.bitCount = 24;
    ExpectRefused(WriteBmp(odd, {0, 0}), "CBmpDecoder::Decode() 未対応の圧縮形式です");
    SBmpSpec palMasks;
    palMasks.width = 2;
    palMasks.height = 1;
    palMasks.bitCount = 8;
    palMasks.palette = {0, 0xFFFFFF};
    palMasks.compression = 3;
    ExpectRefused(WriteBmp(palMasks, {0, 1}), "CBmpDecoder::Decode() 未対応の");

    auto bytes = WriteBmp(SBmpSpec{}, {0});
    bytes[0] = 'X';
    ExpectRefused(bytes, "BMPファイルではありません");
    bytes = WriteBmp(SBmpSpec{}, {0});
    bytes[14] = 20;  // header size neither 12 nor 40 or more
    ExpectRefused(bytes, "未対応のヘッダ");
    bytes = WriteBmp(SBmpSpec{}, {0});
    bytes[10] = 0xFF;  // pixels past the end
    bytes[11] = 0xFF;
    ExpectRefused(bytes, "画素データの位置が不正です");
    bytes = WriteBmp(SBmpSpec{}, {0});
    bytes[10] = 20;  // pixels inside the header
    ExpectRefused(bytes, "画素データの位置が不正です");
    ExpectRefused({}, "BMPファイルではありません");
}

TEST(BmpDecoder, PaletteRunningIntoThePixelsIsCutThere) {
    // Claims 256 colours but the pixels start after two: indices 0 and 1 still work,
    // the rest are past the palette.
    SBmpSpec spec;
    spec.width = 2;
    spec.height = 1;
    spec.bitCount = 8;
    spec.palette = {0x010203, 0x040506};
    spec.colorsUsed = 256;
    auto bytes = WriteBmp(spec, {1, 0});
    CImageFile image;
    ASSERT_TRUE(image.OpenMemory(bytes.data(), bytes.size(), "a.bmp"));
    ExpectPixels(image, 2, 1, 3, [&](int32_t x, int32_t) { return Bytes(spec.palette[1 - x], 3); });
    ExpectRefused(WriteBmp(spec, {1, 2}), "パレットの範囲外");
    // A table cut to nothing: every index lies past it.
    spec.palette.clear();
    ExpectRefused(WriteBmp(spec, {0, 0}), "CBmpDecoder::Decode() パレットの範囲外の色番号があります");
}
