// The font layer: Shift-JIS to code points, the IPA Gothic glyphs, glyph drawing into
// a device context, and a missing font file.
#include <gtest/gtest.h>

#include <memory>

#include "platform/font/FontFace.h"
#include "platform/sys/SjisCodec.h"
#include "platform/gdi/GdiFont.h"

namespace {

TEST(SjisCodec, DoubleByteCharactersWithBackslashTrailMapToTheirCodePoints) {
    EXPECT_EQ(SjisCodeToCodePoint(0x835C), 0x30BDu);  // ソ
    EXPECT_EQ(SjisCodeToCodePoint(0x955C), 0x8868u);  // 表
    EXPECT_EQ(SjisCodeToCodePoint(0x82A0), 0x3042u);  // あ
    EXPECT_EQ(SjisCodeToCodePoint(0xB1), 0xFF71u);    // half-width ｱ
    EXPECT_EQ(SjisCodeToCodePoint('A'), 0x41u);
    EXPECT_EQ(SjisCodeToCodePoint(0x8160), 0xFF5Eu);  // ～ as code page 932 maps it
    // Codes the page does not map come back as the replacement character.
    EXPECT_EQ(SjisCodeToCodePoint(0x85), 0xFFFDu);
    EXPECT_EQ(SjisCodeToCodePoint(0x8100), 0xFFFDu);
}

TEST(SjisCodec, CharacterLengthKeepsTheTrailByteWithItsLead) {
    const char text[] = "\x83\x5C" "a\x95";  // ソ, a, and a lead byte cut off at the end
    EXPECT_EQ(SjisCharLength(text, 4, 0), 2u);
    EXPECT_EQ(SjisCharLength(text, 4, 2), 1u);
    EXPECT_EQ(SjisCharLength(text, 4, 3), 1u);
    EXPECT_EQ(SjisCharLength(text, 4, 4), 0u);
}

TEST(SjisCodec, TypedUtf8BecomesShiftJis) {
    EXPECT_EQ(Utf8ToSjis("\xE3\x82\xBD" "A"), std::string("\x83\x5C" "A"));  // ソA
    EXPECT_EQ(Utf8ToSjis("\xF0\x9F\x98\x80" "b"), std::string("?b"));        // an emoji has no Shift-JIS code
}

class FontFaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CFontFace::Get().IsAvailable()) GTEST_SKIP() << "IPA Gothic is not installed";
    }
};

TEST_F(FontFaceTest, GlyphsFitTheirCell) {
    SGlyphImage g;
    ASSERT_TRUE(CFontFace::Get().RenderGlyph(0x8868, 22, 0, &g));  // 表
    EXPECT_GT(g.width, 10);
    EXPECT_LE(g.left + g.width, 22 + 1);
    EXPECT_GE(g.top, 0);
    EXPECT_LE(g.top + g.height, 22 + 1);
    EXPECT_EQ(g.coverage.size(), static_cast<size_t>(g.width) * static_cast<size_t>(g.height));
    // A half-width letter is about half as wide.
    SGlyphImage a;
    ASSERT_TRUE(CFontFace::Get().RenderGlyph('A', 22, 0, &a));
    EXPECT_LE(a.left + a.width, 11 + 1);
    // A space has no ink.
    SGlyphImage space;
    ASSERT_TRUE(CFontFace::Get().RenderGlyph(' ', 22, 0, &space));
    EXPECT_EQ(space.coverage.size(), 0u);
    EXPECT_FALSE(CFontFace::Get().RenderGlyph('A', 0, 0, &space));
}

TEST_F(FontFaceTest, TextOutWritesGlyphsIntoTheSelectedBitmapClipped) {
    SGdiBitmapInfo info;
    info.width = 40;
    info.height = -24;
    info.bitCount = 32;
    info.compression = SGdiBitmapInfo::COMPRESSION_BITFIELDS;
    info.redMask = 0xFF0000;
    info.greenMask = 0xFF00;
    info.blueMask = 0xFF;
    auto bitmap = CGdiBitmap::CreateDIBSection(info);
    ASSERT_TRUE(bitmap);
    auto dc = GdiCreateCompatibleDC(nullptr);
    dc->SelectObject(bitmap.get());
    // Without a font nothing is written.
    EXPECT_FALSE(GdiTextOut(dc.get(), 0, 0, "A", 1, 0xFFFFFF));
    CGdiFont font(22, 0);
    dc->SelectObject(&font);
    const char text[] = "\x95\x5C" "AB";  // 表AB, partly outside the 40-pixel bitmap
    ASSERT_TRUE(GdiTextOut(dc.get(), 10, 0, text, 4, 0xFF0000));
    const SGdiPixels px = dc->GetPixels();
    int red = 0;
    for (int32_t y = 0; y < px.height; ++y) {
        for (int32_t x = 0; x < px.width; ++x) {
            const uint32_t c = GdiReadPixel(px.Row(y) + x * 4, px.format);
            if (x < 10) {
                EXPECT_EQ(c, 0u) << x << "," << y;  // left of the pen nothing
            }
            if (c & 0xFF0000) ++red;
            EXPECT_EQ(c & 0x00FFFF, 0u);
        }
    }
    EXPECT_GT(red, 20);
    const SGlyphImage* glyph = nullptr;
    int32_t cell = 0;
    ASSERT_TRUE(GdiGetGlyphOutline(dc.get(), 0x835C, &glyph, &cell));
    EXPECT_EQ(cell, 22);
    ASSERT_TRUE(GdiGetGlyphOutline(dc.get(), 'x', &glyph, &cell));
    EXPECT_EQ(cell, 11);
    dc->SelectNone(CGdiObject::EKind::Font);
    dc->SelectNone(CGdiObject::EKind::Bitmap);
}

TEST(FontFaceMissing, AMissingFileIsReportedOnceAndNothingRenders) {
    CFontFace& face = CFontFace::Get();
    face.SetFontFile("/nonexistent/folder/ipag.ttf");
    EXPECT_FALSE(face.IsAvailable());
    const std::string error = face.TakeError();
    EXPECT_NE(error.find("/nonexistent/folder/ipag.ttf"), std::string::npos);
    EXPECT_TRUE(face.TakeError().empty());
    SGlyphImage g;
    EXPECT_FALSE(face.RenderGlyph('A', 16, 0, &g));
    EXPECT_TRUE(g.coverage.empty());
    face.SetFontFile("");
}

}  // namespace
