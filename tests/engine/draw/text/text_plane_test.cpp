// Text planes and text surfaces: a golden rendering of our own output and the
// missing-font path.
//
// The golden checksum is FNV-1a (64 bits) over the plane's A8R8G8B8 pixels after
// writing kGoldenText in IPA Gothic 22 with style 8.  When the font or the renderer
// changes on purpose, regenerate it: run
//   PG_PRINT_GOLDEN=1 build/tests/engine/draw/text/test_engine_draw_text --gtest_filter='TextPlane.Golden*'
// and paste the printed value into kGoldenChecksum.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include "engine/base/Log.h"
#include "engine/draw/TextObject.h"
#include "engine/draw/TextPlane.h"
#include "engine/draw/TextSurface.h"
#include "platform/font/FontFace.h"

namespace {

const std::string kGoldenText = "A\x83\x5C\x95\x5C" "b";  // Aソ表b
constexpr uint64_t kGoldenChecksum = 0x173e7c19e81c5a61ull;

uint64_t Fnv1a(const uint32_t* pixels, size_t count) {
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < count; ++i) {
        for (int b = 0; b < 4; ++b) {
            h ^= (pixels[i] >> (8 * b)) & 0xFF;
            h *= 1099511628211ull;
        }
    }
    return h;
}

static_assert(std::is_base_of_v<CSoftSurfaceProxy, CTextSurface>, "text surfaces are software surfaces");
static_assert(std::is_base_of_v<CImagePlane, CTextPlane>, "a text plane is an image plane");

class TextPlane : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CFont::IsAvailable()) GTEST_SKIP() << "IPA Gothic is not installed";
    }
};

TEST_F(TextPlane, GoldenRenderingOfAShortString) {
    CTextPlane plane;
    plane.GetFont().SetSize(22, 0);
    ASSERT_TRUE(plane.Write(kGoldenText, 8));
    // One half, two full, one half cell, plus the shadow's pixel.
    EXPECT_EQ(plane.GetWidth(), 11 + 22 + 22 + 11 + 1);
    EXPECT_EQ(plane.GetHeight(), 22 + 1);
    const uint64_t sum = Fnv1a(plane.GetPixels(), static_cast<size_t>(plane.GetWidth() * plane.GetHeight()));
    if (std::getenv("PG_PRINT_GOLDEN")) {
        // The picture as characters (by alpha, '*' white, 'o' shadow) to look at before
        // taking the new value.
        for (int32_t y = 0; y < plane.GetHeight(); ++y) {
            for (int32_t x = 0; x < plane.GetWidth(); ++x) {
                const uint32_t c = plane.GetPixels()[y * plane.GetWidth() + x];
                std::putchar((c >> 24) < 64 ? '.' : (c & 0xFF) > 128 ? '*' : 'o');
            }
            std::putchar('\n');
        }
        std::printf("golden checksum: 0x%016llxull\n", static_cast<unsigned long long>(sum));
    }
    EXPECT_EQ(sum, kGoldenChecksum);
}

TEST_F(TextPlane, LettersAreWhiteOverTheirShadow) {
    CTextPlane plane;
    plane.GetFont().SetSize(16, 0);
    ASSERT_TRUE(plane.Write("\x95\x5C", 8));  // 表
    const uint32_t* px = plane.GetPixels();
    int white = 0, black = 0;
    for (int32_t i = 0; i < plane.GetWidth() * plane.GetHeight(); ++i) {
        const uint32_t a = px[i] >> 24, rgb = px[i] & 0xFFFFFF;
        if (a == 255 && rgb == 0xFFFFFF) ++white;
        if (a > 0 && rgb == 0) ++black;
        if (a == 0) {
            EXPECT_EQ(rgb, 0u);
        }
    }
    EXPECT_GT(white, 10);
    EXPECT_GT(black, 0);
    // Without the style there is no shadow and the plane is one cell.
    ASSERT_TRUE(plane.Write("\x95\x5C", 0));
    EXPECT_EQ(plane.GetWidth(), 16);
    for (int32_t i = 0; i < plane.GetWidth() * plane.GetHeight(); ++i) {
        const uint32_t c = plane.GetPixels()[i];
        if (c >> 24) {
            EXPECT_EQ(c & 0xFFFFFF, 0xFFFFFFu);
        }
    }
}

TEST_F(TextPlane, EmptyTextLeavesThePlaneEmpty) {
    CTextPlane plane;
    ASSERT_TRUE(plane.Write("abc"));
    EXPECT_TRUE(plane.IsLoaded());
    EXPECT_FALSE(plane.Write(""));
    EXPECT_FALSE(plane.IsLoaded());
    plane.Write("x");
    plane.Clear();
    EXPECT_FALSE(plane.IsLoaded());
    EXPECT_EQ(plane.GetText(), "");
}

TEST_F(TextPlane, SurfacePreparationRefusesWildSizes) {
    CLogCapture log;
    CTextSurface surface;
    EXPECT_FALSE(surface.Prepare(0, 10));
    EXPECT_FALSE(surface.Prepare(10, 100000));
    EXPECT_TRUE(log.Contains("CTextSurface::Prepare()"));
    ASSERT_TRUE(surface.Prepare(30, 20));
    CFont font(16);
    // Characters partly outside the surface are clipped.
    EXPECT_TRUE(surface.DrawChar(font, 0x955C, 20, 10, 0xFF0000, 8));
    EXPECT_TRUE(surface.DrawChar(font, 'A', -5, -5, 0x00FF00, 0));
    // Places at the ends of the int range draw nothing and wrap nowhere.
    std::vector<uint32_t> before;
    ASSERT_TRUE(surface.GetArgb(&before));
    EXPECT_TRUE(surface.DrawChar(font, 0x955C, INT32_MAX, INT32_MAX, 0xFFFFFF, 8));
    EXPECT_TRUE(surface.DrawChar(font, 0x955C, INT32_MAX - 1, INT32_MIN, 0xFFFFFF, 8));
    std::vector<uint32_t> after;
    ASSERT_TRUE(surface.GetArgb(&after));
    EXPECT_EQ(before, after);
    std::vector<uint32_t> argb;
    ASSERT_TRUE(surface.GetArgb(&argb));
    EXPECT_EQ(argb.size(), 600u);
}

class MissingFont : public ::testing::Test {
protected:
    void SetUp() override { CFontFace::Get().SetFontFile("/nonexistent/fonts/ipag.ttf"); }
    void TearDown() override { CFontFace::Get().SetFontFile(""); }
};

TEST_F(MissingFont, IsLoggedAndNothingIsDrawn) {
    CLogCapture log;
    CTextPlane plane;
    EXPECT_FALSE(plane.Write("abc", 8));
    EXPECT_FALSE(plane.IsLoaded());
    plane.Draw(0, 0);
    EXPECT_TRUE(log.Contains("CFont::IsAvailable()"));
    EXPECT_TRUE(log.Contains("/nonexistent/fonts/ipag.ttf"));
    // Logged once, not for every character.
    CTextObject text;
    text.SetDisplayParams(3, 1);
    text.SetText("\x95\x5C\x8E\xA6" "abc");
    text.Start();
    for (int i = 0; i < 20; ++i) {
        text.Update();
        text.Draw();
    }
    EXPECT_TRUE(text.IsHolding());
    size_t lines = 0;
    for (const std::string& l : log.GetLines()) lines += l.find("CFont::IsAvailable()") != std::string::npos;
    EXPECT_EQ(lines, 1u);
    CTextSurface surface;
    ASSERT_TRUE(surface.Prepare(8, 8));
    CFont font;
    EXPECT_FALSE(surface.DrawChar(font, 'A', 0, 0, 0xFFFFFF, 0));
}

}  // namespace
