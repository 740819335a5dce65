// Text drawn through both renderers: the graphics device (read back from its
// render target) and the GDI path's software drawer.
#include <gtest/gtest.h>

#include <vector>

#include "engine/draw/TextObject.h"
#include "engine/draw/TextPlane.h"
#include "engine/soft/SoftSurfaceProxy.h"
#include "tests/engine/draw/DrawTestUtil.h"

namespace {

const std::string kHyo = "\x95\x5C";  // 表

// The box holding every pixel of a colour (each channel within `tolerance`), or an
// empty box.
SRect Extent(const std::vector<uint32_t>& px, uint32_t rgb, int tolerance = 0) {
    auto near = [&](uint32_t p) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int d = static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((rgb >> shift) & 0xFF);
            if (d > tolerance || d < -tolerance) return false;
        }
        return true;
    };
    SRect r{800, 600, 0, 0};
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (near(drawtest::Pixel(px, x, y))) {
                r.left = std::min(r.left, x);
                r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1);
                r.bottom = std::max(r.bottom, y + 1);
            }
        }
    }
    return r;
}

class TextDrawDevice : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CFont::IsAvailable()) GTEST_SKIP() << "IPA Gothic is not installed";
        screen = std::make_unique<drawtest::CTestScreen>();
        device = screen->Device();
        ASSERT_NE(device, nullptr);
        device->Clear(0xFF000000u);
    }
    std::unique_ptr<drawtest::CTestScreen> screen;
    CD3DDevice* device = nullptr;
};

TEST_F(TextDrawDevice, TextPlaneTintedByTheDrawColourLandsInItsCell) {
    CTextPlane plane;
    plane.GetFont().SetSize(22, 0);
    ASSERT_TRUE(plane.Write(kHyo, 0));
    ASSERT_TRUE(plane.Draw(100, 50, 0xFFFFFF00u));
    const std::vector<uint32_t> px = drawtest::ReadTarget(*device);
    const SRect yellow = Extent(px, 0xFFFF00);
    ASSERT_FALSE(yellow.IsEmpty());
    EXPECT_GE(yellow.left, 100);
    EXPECT_GE(yellow.top, 50);
    EXPECT_LE(yellow.right, 122);
    EXPECT_LE(yellow.bottom, 72);
    // Nothing but black and shades of yellow.
    for (uint32_t p : px) EXPECT_EQ(p & 0xFF, 0u);
}

TEST_F(TextDrawDevice, TextObjectDrawsEachRevealedCharacterInItsColourAtItsPlace) {
    CTextObject text;
    text.GetFont().SetSize(22, 0);
    text.SetColour(0xFF00FFFFu);
    text.SetPosition(36, 464);
    text.SetText(kHyo + "  " + kHyo);  // two blanks between: the second 表 starts 44 pixels on
    text.SetCharsPerStep(1);
    text.SetRevealTiming(true, 5);
    text.Start();
    text.Draw();
    SRect first = Extent(drawtest::ReadTarget(*device), 0x00FFFF);
    ASSERT_FALSE(first.IsEmpty());
    EXPECT_GE(first.left, 36);
    EXPECT_LE(first.right, 36 + 22);
    EXPECT_GE(first.top, 464);
    EXPECT_LE(first.bottom, 464 + 22);

    text.Complete();
    device->Clear(0xFF000000u);
    text.Draw();
    const SRect both = Extent(drawtest::ReadTarget(*device), 0x00FFFF);
    EXPECT_EQ(both.left, first.left);
    EXPECT_EQ(both.right, first.right + 44);

    // A half-transparent object draws no full-strength pixel.
    text.SetAlpha(128);
    device->Clear(0xFF000000u);
    text.Draw();
    EXPECT_TRUE(Extent(drawtest::ReadTarget(*device), 0x00FFFF).IsEmpty());
}

TEST_F(TextDrawDevice, LettersWrittenInAColourKeepItWhenDrawnWhite) {
    // The message log writes a name in yellow and draws the plane with 0xFFFFFFFF.
    CTextPlane plane;
    plane.GetFont().SetSize(22, 0);
    ASSERT_TRUE(plane.Write(kHyo, 8, 0xFFFF00));
    ASSERT_TRUE(plane.Draw(36, 438, 0xFFFFFFFFu));
    std::vector<uint32_t> px = drawtest::ReadTarget(*device);
    EXPECT_FALSE(Extent(px, 0xFFFF00).IsEmpty());
    EXPECT_TRUE(Extent(px, 0xFFFFFF).IsEmpty());
    // A draw colour modulates what was written: yellow through cyan is green.
    device->Clear(0xFF000000u);
    ASSERT_TRUE(plane.Draw(36, 438, 0xFF00FFFFu));
    px = drawtest::ReadTarget(*device);
    EXPECT_FALSE(Extent(px, 0x00FF00).IsEmpty());
    EXPECT_TRUE(Extent(px, 0xFFFF00).IsEmpty());
    // Drawing does not change the plane's own letters.
    device->Clear(0xFF000000u);
    ASSERT_TRUE(plane.Draw(36, 438));
    EXPECT_FALSE(Extent(drawtest::ReadTarget(*device), 0xFFFF00).IsEmpty());
}

// A software surface read as 0x00RRGGBB, 800 pixels a row.
std::vector<uint32_t> ReadSurface(CSoftSurface* surface) {
    std::vector<uint32_t> out(800 * 600, 0);
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x = 0; x < 800; ++x) out[static_cast<size_t>(y) * 800 + static_cast<size_t>(x)] = surface->GetPixel(x, y) & 0xFFFFFF;
    }
    return out;
}

TEST(TextDrawGdi, TextPlanesDrawThroughTheSoftwareBackEnd) {
    // What the GDI renderer does with a plane: its software back-end draws it on the
    // frame buffer, a 32-bit software surface, taking the draw's opacity only.
    if (!CFont::IsAvailable()) GTEST_SKIP() << "IPA Gothic is not installed";
    CSoftSurfaceProxy frame(nullptr);
    frame.SetAutoRegister(false);
    ASSERT_TRUE(frame.Create(800, 600, 32, true));
    frame.Clear(0);

    CTextPlane caption;
    caption.GetFont().SetSize(16, 0);
    ASSERT_TRUE(caption.Write(kHyo, 8));
    // The colour of the draw modulates the white letters on this path too.
    ASSERT_TRUE(caption.DrawSoftware(&frame, SRect{10, 580, 10 + caption.GetWidth(), 580 + caption.GetHeight()},
                                     SRect{0, 0, caption.GetWidth(), caption.GetHeight()}, nullptr, 0xFFFF0000u));
    const std::vector<uint32_t> px = ReadSurface(&frame);
    const SRect red = Extent(px, 0xFF0000, 2);  // the software blend may round full strength down
    ASSERT_FALSE(red.IsEmpty());
    EXPECT_GE(red.left, 10);
    EXPECT_LE(red.right, 10 + 16);
    EXPECT_GE(red.top, 580);
    EXPECT_LE(red.bottom, 596);
    // The shadow lies under and beside the letters, black over black: no other colours.
    for (uint32_t p : px) EXPECT_EQ(p & 0x00FFFF, 0u);
}

}  // namespace
