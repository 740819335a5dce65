// The GDI memory layer: sections, contexts, the clipping copy and the desktop depth.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/font/FontFace.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiFont.h"

namespace {

SGdiBitmapInfo Info(int32_t w, int32_t h, int depth) {
    SGdiBitmapInfo info;
    info.width = w;
    info.height = h;
    info.bitCount = static_cast<uint16_t>(depth == 15 ? 16 : depth);
    info.compression = depth == 24 ? SGdiBitmapInfo::COMPRESSION_RGB : SGdiBitmapInfo::COMPRESSION_BITFIELDS;
    if (depth == 15) {
        info.redMask = 0x7C00;
        info.greenMask = 0x03E0;
        info.blueMask = 0x001F;
    } else if (depth == 16) {
        info.redMask = 0xF800;
        info.greenMask = 0x07E0;
        info.blueMask = 0x001F;
    } else if (depth == 32) {
        info.redMask = 0xFF0000;
        info.greenMask = 0x00FF00;
        info.blueMask = 0x0000FF;
    }
    return info;
}

// A context with its own section selected.
struct SBound {
    std::unique_ptr<CGdiBitmap> bitmap;
    std::unique_ptr<CGdiDC> dc;
};

SBound Bound(int32_t w, int32_t h, int depth) {
    SBound b;
    b.bitmap = CGdiBitmap::CreateDIBSection(Info(w, -h, depth));
    b.dc = GdiCreateCompatibleDC(nullptr);
    b.dc->SelectObject(b.bitmap.get());
    return b;
}

// A context that remembers what was drawn into it (as a window context would show it).
class CRecordingDC : public CGdiDC {
public:
    void OnPixelsChanged(const SRect& area) override {
        ++changes;
        last = area;
    }
    int changes = 0;
    SRect last;
};

}  // namespace

TEST(Gdi, PitchesRoundToFourBytes) {
    EXPECT_EQ(GdiDibPitch(1, 16), 4);
    EXPECT_EQ(GdiDibPitch(3, 16), 8);
    EXPECT_EQ(GdiDibPitch(3, 24), 12);
    EXPECT_EQ(GdiDibPitch(5, 24), 16);
    EXPECT_EQ(GdiDibPitch(3, 32), 12);
    EXPECT_EQ(GdiDibPitch(0, 32), 0);
    EXPECT_EQ(GdiDibPitch(INT32_MAX, 32), 0);
}

TEST(Gdi, SectionsAreZeroedAndKnowTheirFormat) {
    const EGdiPixelFormat formats[] = {EGdiPixelFormat::X1R5G5B5, EGdiPixelFormat::R5G6B5, EGdiPixelFormat::B8G8R8,
                                       EGdiPixelFormat::B8G8R8X8};
    const int depths[] = {15, 16, 24, 32};
    for (int i = 0; i < 4; ++i) {
        auto bitmap = CGdiBitmap::CreateDIBSection(Info(7, -3, depths[i]));
        ASSERT_NE(bitmap, nullptr) << depths[i];
        EXPECT_EQ(bitmap->GetFormat(), formats[i]);
        EXPECT_TRUE(bitmap->IsTopDown());
        EXPECT_EQ(bitmap->GetPitch(), GdiDibPitch(7, depths[i] == 15 ? 16 : depths[i]));
        EXPECT_EQ(bitmap->GetByteSize(), static_cast<size_t>(bitmap->GetPitch()) * 3);
        for (size_t b = 0; b < bitmap->GetByteSize(); ++b) ASSERT_EQ(bitmap->GetMemory()[b], 0);
    }
    // 16 bits without masks is 5-5-5, 32 bits without masks is X8R8G8B8.
    SGdiBitmapInfo rgb16 = Info(2, -2, 16);
    rgb16.compression = SGdiBitmapInfo::COMPRESSION_RGB;
    EXPECT_EQ(CGdiBitmap::CreateDIBSection(rgb16)->GetFormat(), EGdiPixelFormat::X1R5G5B5);
}

TEST(Gdi, RefusesWhatItDoesNotKnow) {
    SGdiBitmapInfo info = Info(4, -4, 16);
    info.redMask = 0x0F00;
    EXPECT_EQ(CGdiBitmap::CreateDIBSection(info), nullptr);
    info = Info(4, -4, 24);
    info.compression = SGdiBitmapInfo::COMPRESSION_BITFIELDS;
    EXPECT_EQ(CGdiBitmap::CreateDIBSection(info), nullptr);
    info = Info(4, -4, 32);
    info.bitCount = 8;
    EXPECT_EQ(CGdiBitmap::CreateDIBSection(info), nullptr);
    EXPECT_EQ(CGdiBitmap::CreateDIBSection(Info(0, -4, 32)), nullptr);
    EXPECT_EQ(CGdiBitmap::CreateDIBSection(Info(4, 0, 32)), nullptr);
    EXPECT_EQ(CGdiBitmap::CreateDIBSection(Info(4, INT32_MIN, 32)), nullptr);
    EXPECT_EQ(CGdiBitmap::CreateDIBSection(Info(100000, -100000, 32)), nullptr);
    info = Info(4, -4, 32);
    info.planes = 2;
    EXPECT_EQ(CGdiBitmap::CreateDIBSection(info), nullptr);
}

TEST(Gdi, BottomUpSectionsShowTheirTopRowFirst) {
    auto bitmap = CGdiBitmap::CreateDIBSection(Info(2, 3, 32));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_FALSE(bitmap->IsTopDown());
    const SGdiPixels p = bitmap->GetPixels();
    EXPECT_EQ(p.Row(0), bitmap->GetMemory() + 2 * bitmap->GetPitch());
    EXPECT_EQ(p.Row(2), bitmap->GetMemory());
}

TEST(Gdi, SelectionRules) {
    auto bitmap = CGdiBitmap::CreateDIBSection(Info(2, -2, 32));
    auto other = CGdiBitmap::CreateDIBSection(Info(2, -2, 32));
    auto dc = GdiCreateCompatibleDC(nullptr);
    auto dc2 = GdiCreateCompatibleDC(dc.get());
    EXPECT_FALSE(dc->GetPixels().IsValid());
    EXPECT_EQ(dc->GetBitsPerPixel(), GdiGetDesktopBitsPerPixel());
    EXPECT_EQ(dc->SelectObject(bitmap.get()), nullptr);
    EXPECT_TRUE(dc->GetPixels().IsValid());
    // A bitmap is in one context at a time.
    EXPECT_EQ(dc2->SelectObject(bitmap.get()), nullptr);
    EXPECT_EQ(dc2->GetSelected(CGdiObject::EKind::Bitmap), nullptr);
    EXPECT_EQ(dc->SelectObject(other.get()), bitmap.get());
    EXPECT_EQ(dc2->SelectObject(bitmap.get()), nullptr);  // free again: selected, nothing before
    EXPECT_EQ(dc2->GetSelected(CGdiObject::EKind::Bitmap), bitmap.get());
    EXPECT_EQ(dc->SelectObject(nullptr), nullptr);
    // Deleting a selected bitmap leaves its context empty, not dangling.
    other.reset();
    EXPECT_EQ(dc->GetSelected(CGdiObject::EKind::Bitmap), nullptr);
    EXPECT_FALSE(dc->GetPixels().IsValid());
    // Deleting a context frees its bitmap for another.
    dc2.reset();
    EXPECT_EQ(dc->SelectObject(bitmap.get()), nullptr);
    EXPECT_EQ(dc->SelectNone(CGdiObject::EKind::Bitmap), bitmap.get());
}

TEST(Gdi, CopyClipsToBothContexts) {
    SBound dst = Bound(4, 3, 32);
    SBound src = Bound(3, 3, 32);
    uint8_t* s = src.bitmap->GetMemory();
    for (int i = 0; i < 3 * 12; ++i) s[i] = static_cast<uint8_t>(i + 1);
    // Far larger than either: clipped to what both hold.
    ASSERT_TRUE(GdiBitBlt(dst.dc.get(), -1, 1, 100, 100, src.dc.get(), 0, 0));
    // Destination (0,1) receives source (1,0); the block is 2 wide (source) and 2 high (destination).
    const uint8_t* d = dst.bitmap->GetMemory();
    EXPECT_EQ(d[16 + 0], s[4]);
    EXPECT_EQ(d[16 + 4], s[8]);
    EXPECT_EQ(d[16 + 8], 0);
    EXPECT_EQ(d[32 + 0], s[12 + 4]);
    EXPECT_EQ(d[0], 0);
    // Empty and outside requests succeed without drawing; bad ones fail.
    EXPECT_TRUE(GdiBitBlt(dst.dc.get(), 0, 0, 0, 5, src.dc.get(), 0, 0));
    EXPECT_TRUE(GdiBitBlt(dst.dc.get(), 10, 10, 5, 5, src.dc.get(), 0, 0));
    EXPECT_TRUE(GdiBitBlt(dst.dc.get(), 0, 0, 5, 5, src.dc.get(), INT32_MIN, INT32_MAX));
    EXPECT_FALSE(GdiBitBlt(nullptr, 0, 0, 1, 1, src.dc.get(), 0, 0));
    auto empty = GdiCreateCompatibleDC(nullptr);
    EXPECT_FALSE(GdiBitBlt(empty.get(), 0, 0, 1, 1, src.dc.get(), 0, 0));
    EXPECT_FALSE(GdiBitBlt(dst.dc.get(), 0, 0, 1, 1, src.dc.get(), 0, 0, static_cast<EGdiRop>(0x00EE0086)));
}

TEST(Gdi, CopyConvertsFormats) {
    SBound dst = Bound(2, 1, 16);
    SBound src = Bound(2, 1, 24);
    uint8_t* s = src.bitmap->GetMemory();
    s[0] = 0xFF;  // blue
    s[4] = 0x80;  // grey
    s[5] = 0x80;
    s[3 + 0] = 0x80;
    ASSERT_TRUE(GdiBitBlt(dst.dc.get(), 0, 0, 2, 1, src.dc.get(), 0, 0));
    uint16_t px[2];
    std::memcpy(px, dst.bitmap->GetMemory(), 4);
    EXPECT_EQ(px[0], 0x001F);
    EXPECT_EQ(px[1], 0x8410);
}

TEST(Gdi, OverlappingCopyWithinOneSection) {
    SBound b = Bound(1, 4, 32);
    uint8_t* m = b.bitmap->GetMemory();
    for (int y = 0; y < 4; ++y) m[4 * y] = static_cast<uint8_t>(y + 1);
    ASSERT_TRUE(GdiBitBlt(b.dc.get(), 0, 1, 1, 3, b.dc.get(), 0, 0));
    EXPECT_EQ(m[0], 1);
    EXPECT_EQ(m[4], 1);
    EXPECT_EQ(m[8], 2);
    EXPECT_EQ(m[12], 3);
}

TEST(Gdi, CopyTellsTheDestinationWhatChanged) {
    auto bitmap = CGdiBitmap::CreateDIBSection(Info(10, -10, 32));
    CRecordingDC window;
    window.SelectObject(bitmap.get());
    SBound src = Bound(4, 4, 32);
    ASSERT_TRUE(GdiBitBlt(&window, 8, -1, 4, 4, src.dc.get(), 0, 0));
    EXPECT_EQ(window.changes, 1);
    EXPECT_EQ(window.last, (SRect{8, 0, 10, 3}));
    ASSERT_TRUE(GdiBitBlt(&window, 20, 20, 4, 4, src.dc.get(), 0, 0));
    EXPECT_EQ(window.changes, 1);  // nothing drawn, nothing told
}

TEST(Gdi, DesktopDepth) {
    EXPECT_EQ(GdiGetDesktopBitsPerPixel(), 32);
    for (int bpp : {15, 16, 24, 32}) {
        EXPECT_TRUE(GdiSetDesktopBitsPerPixel(bpp));
        EXPECT_EQ(GdiGetDesktopBitsPerPixel(), bpp);
    }
    EXPECT_FALSE(GdiSetDesktopBitsPerPixel(8));
    EXPECT_FALSE(GdiSetDesktopBitsPerPixel(0));
    EXPECT_EQ(GdiGetDesktopBitsPerPixel(), 32);
}

TEST(Gdi, FlushCounts) {
    const uint64_t before = GdiGetFlushCount();
    GdiFlush();
    GdiFlush();
    EXPECT_EQ(GdiGetFlushCount(), before + 2);
}

// Text written from a pen far outside the pixels: nothing lands and nothing wraps (the
// sanitizer build checks the pen arithmetic).
TEST(GdiText, AFarPenWritesNothing) {
    if (!CFontFace::Get().IsAvailable()) GTEST_SKIP() << "the game's font is not installed";
    SBound b = Bound(16, 16, 32);
    CGdiFont font(12, 0);
    b.dc->SelectObject(&font);
    const char text[] = "ABCDEFGH\nABCDEFGH";
    EXPECT_TRUE(GdiTextOut(b.dc.get(), INT32_MAX - 8, 0, text, sizeof(text) - 1, 0xFFFFFF));
    EXPECT_TRUE(GdiTextOut(b.dc.get(), 0, INT32_MAX - 8, text, sizeof(text) - 1, 0xFFFFFF));
    EXPECT_TRUE(GdiTextOut(b.dc.get(), INT32_MIN, INT32_MIN, text, sizeof(text) - 1, 0xFFFFFF));
    const SGdiPixels px = b.dc->GetPixels();
    for (int32_t y = 0; y < px.height; ++y) {
        for (int32_t x = 0; x < px.width; ++x) ASSERT_EQ(GdiReadPixel(px.Row(y) + x * 4, px.format), 0u) << x << "," << y;
    }
    // The same text from the corner does land.
    EXPECT_TRUE(GdiTextOut(b.dc.get(), 0, 0, text, sizeof(text) - 1, 0xFFFFFF));
    bool any = false;
    for (int32_t y = 0; y < px.height; ++y) {
        for (int32_t x = 0; x < px.width; ++x) any = any || GdiReadPixel(px.Row(y) + x * 4, px.format) != 0;
    }
    EXPECT_TRUE(any);
}
