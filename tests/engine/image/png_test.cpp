// PNG decoding: every colour type and bit depth written with libpng's writer and
// compared pixel by pixel with a model of the expansion, and damaged files.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <array>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/image/ImageFile.h"
#include "tests/engine/image/ImageWriters.h"

using imagetest::CTestRandom;
using imagetest::SPngSpec;
using imagetest::WritePng;

namespace {

struct SPngCase {
    int colorType;
    int bitDepth;
    bool withTrns;
    bool interlaced;
};

std::string CaseName(const SPngCase& c) {
    return "type " + std::to_string(c.colorType) + " depth " + std::to_string(c.bitDepth) +
           (c.withTrns ? " tRNS" : "") + (c.interlaced ? " interlaced" : "");
}

// Samples scaled to 8 bits: low depths stretched to the full range, 16 bits keep
// their high byte.
uint8_t To8(uint16_t v, int depth) {
    if (depth == 16) return static_cast<uint8_t>(v >> 8);
    return static_cast<uint8_t>(v * 255 / ((1 << depth) - 1));
}

// Expected B, G, R, A of one pixel.
std::array<uint8_t, 4> Model(const SPngSpec& spec, const uint16_t* s) {
    const int d = spec.bitDepth;
    switch (spec.colorType) {
    case PNG_COLOR_TYPE_GRAY: {
        uint8_t g = To8(s[0], d);
        uint8_t a = !spec.trns.empty() && s[0] == spec.trns[0] ? 0 : 255;
        return {g, g, g, a};
    }
    case PNG_COLOR_TYPE_GRAY_ALPHA: {
        uint8_t g = To8(s[0], d);
        return {g, g, g, To8(s[1], d)};
    }
    case PNG_COLOR_TYPE_RGB: {
        bool key = spec.trns.size() == 3 && s[0] == spec.trns[0] && s[1] == spec.trns[1] && s[2] == spec.trns[2];
        return {To8(s[2], d), To8(s[1], d), To8(s[0], d), static_cast<uint8_t>(key ? 0 : 255)};
    }
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return {To8(s[2], d), To8(s[1], d), To8(s[0], d), To8(s[3], d)};
    default: {
        uint32_t c = spec.palette[s[0]];
        uint8_t a = s[0] < spec.trns.size() ? static_cast<uint8_t>(spec.trns[s[0]]) : 255;
        return {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16), a};
    }
    }
}

void CheckCase(const SPngCase& c, uint32_t width, uint32_t height, uint32_t seed) {
    SCOPED_TRACE(CaseName(c) + " " + std::to_string(width) + "x" + std::to_string(height) + " seed " +
                 std::to_string(seed));
    CTestRandom rnd(seed);
    SPngSpec spec;
    spec.width = width;
    spec.height = height;
    spec.colorType = c.colorType;
    spec.bitDepth = c.bitDepth;
    spec.interlaced = c.interlaced;
    const int channels = imagetest::PngChannels(c.colorType);
    const uint32_t maxSample = c.colorType == PNG_COLOR_TYPE_PALETTE ? (1u << c.bitDepth) : (1u << c.bitDepth);
    uint32_t paletteSize = 0;
    if (c.colorType == PNG_COLOR_TYPE_PALETTE) {
        paletteSize = std::min<uint32_t>(maxSample, 1 + rnd.Next() % maxSample);
        for (uint32_t i = 0; i < paletteSize; ++i) spec.palette.push_back(rnd.Next() & 0xFFFFFF);
    }
    std::vector<uint16_t> samples(static_cast<size_t>(width) * height * channels);
    for (auto& s : samples) {
        s = static_cast<uint16_t>(rnd.Next() % (paletteSize ? paletteSize : maxSample));
    }
    if (c.withTrns) {
        if (c.colorType == PNG_COLOR_TYPE_PALETTE) {
            // Fewer entries than the palette: the rest stay opaque.
            for (uint32_t i = 0; i < (paletteSize + 1) / 2; ++i) spec.trns.push_back(static_cast<uint16_t>(rnd.Next() & 0xFF));
        } else {
            // The key is a colour that occurs in the picture.
            spec.trns.assign(samples.begin(), samples.begin() + channels);
        }
    }
    auto bytes = WritePng(spec, samples);

    CImageFile image;
    ASSERT_TRUE(image.OpenMemory(bytes.data(), bytes.size(), "a.png"));
    int32_t w = 0, h = 0;
    image.GetImageSize(&w, &h);
    ASSERT_EQ(w, static_cast<int32_t>(width));
    ASSERT_EQ(h, static_cast<int32_t>(height));
    const bool alpha = c.withTrns || c.colorType == PNG_COLOR_TYPE_GRAY_ALPHA || c.colorType == PNG_COLOR_TYPE_RGB_ALPHA;
    const int bpp = alpha ? 4 : 3;
    ASSERT_EQ(image.GetBitCount(), alpha ? 32 : 24);
    ASSERT_EQ(image.GetRowPitch(), static_cast<int32_t>((width * bpp + 3) & ~3u));
    if (alpha) {
        ASSERT_NE(image.GetAlphaPlane(), nullptr);
        ASSERT_EQ(image.GetAlphaRowPitch(), static_cast<int32_t>((width + 3) & ~3u));
    } else {
        ASSERT_EQ(image.GetAlphaPlane(), nullptr);
        ASSERT_EQ(image.GetAlphaRowPitch(), 0);
    }
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            auto want = Model(spec, samples.data() + (static_cast<size_t>(y) * width + x) * channels);
            const uint8_t* p = imagetest::PixelAt(image.GetPixelBits(), image.GetRowPitch(), h, x, y, bpp);
            for (int i = 0; i < bpp; ++i) {
                ASSERT_EQ(p[i], want[i]) << "pixel " << x << "," << y << " byte " << i;
            }
            if (alpha) {
                // The alpha plane runs top row first.
                ASSERT_EQ(image.GetAlphaPlane()[y * image.GetAlphaRowPitch() + x], want[3]) << "alpha " << x << "," << y;
            }
        }
    }
}

const SPngCase kCases[] = {
    {PNG_COLOR_TYPE_GRAY, 1, false, false},       {PNG_COLOR_TYPE_GRAY, 2, false, false},
    {PNG_COLOR_TYPE_GRAY, 4, false, false},       {PNG_COLOR_TYPE_GRAY, 8, false, false},
    {PNG_COLOR_TYPE_GRAY, 16, false, false},      {PNG_COLOR_TYPE_GRAY, 1, true, false},
    {PNG_COLOR_TYPE_GRAY, 8, true, false},        {PNG_COLOR_TYPE_GRAY, 16, true, false},
    {PNG_COLOR_TYPE_RGB, 8, false, false},        {PNG_COLOR_TYPE_RGB, 16, false, false},
    {PNG_COLOR_TYPE_RGB, 8, true, false},         {PNG_COLOR_TYPE_RGB, 16, true, false},
    {PNG_COLOR_TYPE_PALETTE, 1, false, false},    {PNG_COLOR_TYPE_PALETTE, 2, false, false},
    {PNG_COLOR_TYPE_PALETTE, 4, false, false},    {PNG_COLOR_TYPE_PALETTE, 8, false, false},
    {PNG_COLOR_TYPE_PALETTE, 2, true, false},     {PNG_COLOR_TYPE_PALETTE, 8, true, false},
    {PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false}, {PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, false},
    {PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false},  {PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false},
    {PNG_COLOR_TYPE_RGB, 8, false, true},         {PNG_COLOR_TYPE_PALETTE, 4, true, true},
    {PNG_COLOR_TYPE_RGB_ALPHA, 16, false, true},
};

std::vector<uint8_t> SmallRgbPng() {
    SPngSpec spec;
    spec.width = 3;
    spec.height = 2;
    std::vector<uint16_t> samples;
    for (int i = 0; i < 18; ++i) samples.push_back(static_cast<uint16_t>(i * 13));
    return WritePng(spec, samples);
}

void ExpectRefusedPng(const std::vector<uint8_t>& bytes, const char* logText = "CPngDecoder::Decode()") {
    CLogCapture log;
    CImageFile image;
    EXPECT_FALSE(image.OpenMemory(bytes.data(), bytes.size(), "bad.png"));
    EXPECT_TRUE(log.Contains(logText)) << (log.Count() ? log.GetLines()[0] : std::string("no log line"));
    EXPECT_FALSE(image.IsOpen());
    EXPECT_EQ(image.GetPixelBits(), nullptr);
    EXPECT_EQ(image.GetAlphaPlane(), nullptr);
    EXPECT_EQ(image.GetBitCount(), 0);
}

std::vector<uint8_t> HandMadePng(uint32_t width, uint32_t height, const std::vector<uint8_t>& idat, uint8_t depth = 8,
                                 uint8_t colorType = 2, const std::vector<uint8_t>& plte = {}) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    for (uint32_t v : {width, height}) {
        for (int s = 24; s >= 0; s -= 8) ihdr.push_back(static_cast<uint8_t>(v >> s));
    }
    ihdr.insert(ihdr.end(), {depth, colorType, 0, 0, 0});
    std::vector<std::vector<uint8_t>> chunks = {imagetest::PngChunk("IHDR", ihdr)};
    if (!plte.empty()) chunks.push_back(imagetest::PngChunk("PLTE", plte));
    chunks.push_back(imagetest::PngChunk("IDAT", idat));
    chunks.push_back(imagetest::PngChunk("IEND", {}));
    for (const auto& chunk : chunks) out.insert(out.end(), chunk.begin(), chunk.end());
    return out;
}

}  // namespace

TEST(PngDecoder, EveryColourTypeAndDepthDecodesExactly) {
    uint32_t seed = 1;
    for (const SPngCase& c : kCases) {
        for (auto [w, h] : {std::pair{1u, 1u}, {7u, 5u}, {13u, 3u}}) {
            CheckCase(c, w, h, seed++);
        }
    }
}

TEST(PngDecoder, RefusesEveryTruncation) {
    auto whole = SmallRgbPng();
    SetDebugOutputEnabled(false);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<long>(cut));
        CLogCapture log;
        CImageFile image;
        EXPECT_FALSE(image.OpenMemory(part.data(), part.size(), "a.png")) << "cut at " << cut;
        EXPECT_TRUE(log.Contains("CPngDecoder::Decode()")) << "cut at " << cut;
        EXPECT_EQ(image.GetPixelBits(), nullptr);
    }
    SetDebugOutputEnabled(true);
}

// A flipped bit anywhere either leaves a consistent picture (ancillary data) or is
// refused; one inside the image data or a header is always refused.
TEST(PngDecoder, BitFlipsAreRefusedOrHarmless) {
    auto whole = SmallRgbPng();
    SetDebugOutputEnabled(false);
    for (size_t i = 0; i < whole.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            auto bytes = whole;
            bytes[i] ^= static_cast<uint8_t>(1 << bit);
            CImageFile image;
            if (image.OpenMemory(bytes.data(), bytes.size(), "a.png")) {
                int32_t w = 0, h = 0;
                image.GetImageSize(&w, &h);
                EXPECT_EQ(w, 3);
                EXPECT_EQ(h, 2);
            } else {
                EXPECT_EQ(image.GetPixelBits(), nullptr);
            }
        }
    }
    SetDebugOutputEnabled(true);
    // Byte 41 lies inside the IDAT data (8 signature + 25 IHDR + 8 chunk head).
    auto bytes = whole;
    bytes[41] ^= 0x10;
    ExpectRefusedPng(bytes);
    bytes = whole;
    bytes[17] ^= 0x01;  // IHDR width
    ExpectRefusedPng(bytes);
}

TEST(PngDecoder, RefusesBadSizes) {
    ExpectRefusedPng(HandMadePng(0, 1, {}), "画像サイズが不正です");
    ExpectRefusedPng(HandMadePng(1, 0, {}), "画像サイズが不正です");
    ExpectRefusedPng(HandMadePng(16385, 1, {}), "画像サイズが不正です");
    ExpectRefusedPng(HandMadePng(1, 0x80000000u, {}), "画像サイズが不正です");
    // A header claiming far more pixels than the file could inflate to.
    ExpectRefusedPng(HandMadePng(16384, 16384, {0x78, 0x9C}), "画像データが途切れています");
}

TEST(PngDecoder, RefusesWhatIsNotAPng) {
    ExpectRefusedPng({}, "PNGファイルではありません");
    ExpectRefusedPng(std::vector<uint8_t>(64, 0), "PNGファイルではありません");
    // A BMP named .png is read as what its name says.
    imagetest::SBmpSpec spec;
    ExpectRefusedPng(imagetest::WriteBmp(spec, {0}), "PNGファイルではありません");
    // Valid signature and header but garbage image data.
    ExpectRefusedPng(HandMadePng(2, 2, {1, 2, 3, 4, 5}));
}

TEST(PngDecoder, RefusesPaletteIndexPastThePalette) {
    auto compressed = [](const std::vector<uint8_t>& raw) {
        std::vector<uint8_t> out(compressBound(raw.size()));
        uLongf size = out.size();
        compress(out.data(), &size, raw.data(), raw.size());
        out.resize(size);
        return out;
    };
    const std::vector<uint8_t> plte = {255, 0, 0, 0, 0, 255};  // two entries
    // Row filter 0, then the indices.
    auto ok = HandMadePng(3, 1, compressed({0, 1, 0, 1}), 8, 3, plte);
    CImageFile image;
    ASSERT_TRUE(image.OpenMemory(ok.data(), ok.size(), "a.png"));
    EXPECT_EQ(image.GetBitCount(), 24);
    const uint8_t* p = image.GetPixelBits();
    EXPECT_EQ(p[0], 255);  // blue of entry 1
    EXPECT_EQ(p[5], 255);  // red of entry 0
    ExpectRefusedPng(HandMadePng(3, 1, compressed({0, 1, 5, 1}), 8, 3, plte), "パレットの範囲外の色番号があります");
}
