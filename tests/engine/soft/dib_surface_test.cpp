// The system-memory surfaces: layout, pixel access, fills, alpha, restore, device
// contexts and saving.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/base/Log.h"
#include "engine/file/AtomicWrite.h"
#include "engine/soft/DIBSectionSurface.h"
#include "engine/soft/DIBSurface.h"
#include "engine/soft/SurfaceRegistry.h"
#include "tests/support/TestSupport.h"

namespace {

const int kDepths[] = {15, 16, 24, 32};

// Both implementations, made the same way.
std::unique_ptr<CDIBSurface> Make(bool section) {
    std::unique_ptr<CDIBSurface> s;
    if (section) {
        s = std::make_unique<CDIBSectionSurface>(nullptr);
    } else {
        s = std::make_unique<CDIBSurface>(nullptr);
    }
    s->SetAutoRegister(false);
    return s;
}

class DibBoth : public ::testing::TestWithParam<bool> {};

// Restores the desktop depth a test changes.
class CDesktopDepthScope {
public:
    explicit CDesktopDepthScope(int bpp) : m_Old(GdiGetDesktopBitsPerPixel()) { GdiSetDesktopBitsPerPixel(bpp); }
    ~CDesktopDepthScope() { GdiSetDesktopBitsPerPixel(m_Old); }

private:
    int m_Old;
};

}  // namespace

TEST_P(DibBoth, NewSurfaceIsEmpty) {
    auto s = Make(GetParam());
    EXPECT_FALSE(s->IsCreated());
    EXPECT_EQ(s->GetFormatFlags(), -1);
    EXPECT_EQ(s->GetBits(), nullptr);
    EXPECT_EQ(s->GetSize(), (SSize{0, 0}));
    EXPECT_EQ(s->GetBitDepth(), 0);
    EXPECT_EQ(s->GetColorKey(), 0u);
    EXPECT_FALSE(s->Lock());
    EXPECT_EQ(s->GetPixel(0, 0), 0u);
    EXPECT_EQ(s->GetDC(), nullptr);
    EXPECT_FALSE(s->SaveBitmap("never.bmp"));
}

TEST_P(DibBoth, PitchTableAndZeroedPixels) {
    // Width 3: pitch 8 at 15 and 16 bits, 12 at 24 and 32.
    const int expect[] = {8, 8, 12, 12};
    for (int i = 0; i < 4; ++i) {
        auto s = Make(GetParam());
        ASSERT_TRUE(s->Create(3, 5, kDepths[i], GetParam()));
        EXPECT_EQ(s->GetPitch(), expect[i]) << kDepths[i];
        EXPECT_EQ(s->GetBitDepth(), kDepths[i]);
        EXPECT_EQ(s->GetColorKey(), 0x00FF00u);
        const uint8_t* bits = s->GetBits();
        for (int b = 0; b < s->GetPitch() * 5; ++b) ASSERT_EQ(bits[b], 0) << b;
    }
}

TEST_P(DibBoth, DepthZeroTakesTheDesktopDepth) {
    for (int depth : kDepths) {
        CDesktopDepthScope scope(depth);
        auto s = Make(GetParam());
        ASSERT_TRUE(s->Create(4, 4, 0, GetParam()));
        EXPECT_EQ(s->GetBitDepth(), depth);
    }
}

TEST_P(DibBoth, FormatFlags) {
    const bool section = GetParam();
    const int32_t dc = section ? 0x10 : 0;
    auto s = Make(section);
    ASSERT_TRUE(s->Create(4, 4, 32, section));
    EXPECT_EQ(s->GetFormatFlags(), 0x0C | dc);
    s->SetColorKeyEnabled(true);
    EXPECT_EQ(s->GetFormatFlags(), 0x0D | dc);
    // Colour key and alpha enabled with a plane: alpha wins.
    s->SetAlphaEnabled(true);
    EXPECT_TRUE(s->HasAlphaPlane());
    EXPECT_EQ(s->GetFormatFlags(), 0x0E | dc);
    // Alpha disabled: colour key again, plane or not.
    s->SetAlphaEnabled(false);
    EXPECT_TRUE(s->HasAlphaPlane());
    EXPECT_EQ(s->GetFormatFlags(), 0x0D | dc);

    auto t = Make(section);
    ASSERT_TRUE(t->Create(4, 4, 16, section));
    t->SetAlphaEnabled(true);
    EXPECT_EQ(t->GetFormatFlags(), 0x06 | dc);  // 0x16 for a 16-bit DIB section with alpha
    t->Release();
    EXPECT_EQ(t->GetFormatFlags(), -1);
    EXPECT_FALSE(t->IsAlphaEnabled());
}

TEST_P(DibBoth, RefusesBadRequests) {
    CLogCapture log;
    auto s = Make(GetParam());
    EXPECT_FALSE(s->Create(4, 4, 8, GetParam()));
    EXPECT_FALSE(s->Create(-1, 4, 32, GetParam()));
    EXPECT_FALSE(s->Create(100000, 100000, 32, GetParam()));
    EXPECT_FALSE(s->Create(1 << 30, 1, 32, GetParam()));  // a pitch that would wrap in 32 bits
    EXPECT_FALSE(s->Create(INT32_MAX, 0, 32, GetParam()));
    EXPECT_FALSE(s->IsCreated());
    EXPECT_GE(log.Count(), 5u);
    // A failed Create releases what was there.
    ASSERT_TRUE(s->Create(2, 2, 32, GetParam()));
    EXPECT_FALSE(s->Create(2, 2, 12, GetParam()));
    EXPECT_FALSE(s->IsCreated());
}

TEST_P(DibBoth, SetPixelGetPixel) {
    auto s15 = Make(GetParam());
    ASSERT_TRUE(s15->Create(4, 3, 15, GetParam()));
    s15->SetPixel(1, 2, 0x00FFFFFF);
    uint16_t word;
    std::memcpy(&word, s15->GetBits() + 2 * s15->GetPitch() + 2, 2);
    EXPECT_EQ(word, 0x7FFF);
    EXPECT_EQ(s15->GetPixel(1, 2), 0x00F8F8F8u);

    auto s16 = Make(GetParam());
    ASSERT_TRUE(s16->Create(4, 3, 16, GetParam()));
    s16->SetPixel(3, 0, 0x00FFFFFF);
    std::memcpy(&word, s16->GetBits() + 6, 2);
    EXPECT_EQ(word, 0xFFFF);
    EXPECT_EQ(s16->GetPixel(3, 0), 0x00F8FCF8u);

    auto s24 = Make(GetParam());
    ASSERT_TRUE(s24->Create(4, 3, 24, GetParam()));
    s24->SetPixel(2, 1, 0x00123456);
    const uint8_t* p = s24->GetBits() + s24->GetPitch() + 6;
    EXPECT_EQ(p[0], 0x56);
    EXPECT_EQ(p[1], 0x34);
    EXPECT_EQ(p[2], 0x12);
    EXPECT_EQ(s24->GetPixel(2, 1), 0x00123456u);

    auto s32 = Make(GetParam());
    ASSERT_TRUE(s32->Create(4, 3, 32, GetParam()));
    uint8_t* q = s32->GetBits() + 4;
    q[0] = 0x10;
    q[1] = 0x20;
    q[2] = 0x30;
    q[3] = 0x40;
    EXPECT_EQ(s32->GetPixel(1, 0), 0x40302010u);

    // Outside the surface nothing changes and reads give 0.
    const std::vector<uint8_t> before(s32->GetBits(), s32->GetBits() + s32->GetPitch() * 3);
    for (auto [x, y] : {std::pair{-1, 0}, std::pair{4, 0}, std::pair{0, 3}, std::pair{0, -1}}) {
        s32->SetPixel(x, y, 0x00FFFFFF);
        EXPECT_EQ(s32->GetPixel(x, y), 0u);
    }
    EXPECT_EQ(std::vector<uint8_t>(s32->GetBits(), s32->GetBits() + s32->GetPitch() * 3), before);
}

TEST_P(DibBoth, AlphaAccess) {
    auto s = Make(GetParam());
    ASSERT_TRUE(s->Create(5, 2, 32, GetParam()));
    EXPECT_EQ(s->GetAlpha(1, 1), 0);  // no plane
    s->SetAlpha(1, 1, 9);             // no plane: nothing
    EXPECT_FALSE(s->HasAlphaPlane());
    s->SetAlphaEnabled(true);
    ASSERT_TRUE(s->HasAlphaPlane());
    EXPECT_EQ(s->GetAlphaPitch(), 8);
    // A new plane is zero throughout, padding included.
    for (int i = 0; i < 16; ++i) EXPECT_EQ(s->GetAlphaBits()[i], 0);
    s->SetAlpha(4, 1, 200);
    EXPECT_EQ(s->GetAlpha(4, 1), 200);
    EXPECT_EQ(s->GetAlphaBits()[8 + 4], 200);
    s->SetAlpha(5, 1, 1);
    EXPECT_EQ(s->GetAlpha(5, 1), 0);
    EXPECT_EQ(s->GetAlphaBits()[8 + 5], 0);
}

TEST_P(DibBoth, FillGoldenAndPadding) {
    for (int depth : kDepths) {
        auto s = Make(GetParam());
        ASSERT_TRUE(s->Create(3, 2, depth, GetParam()));
        const int pitch = s->GetPitch();
        const int used = 3 * (depth == 15 ? 2 : depth / 8);
        // Non-zero fill: padding untouched.
        std::memset(s->GetBits(), 0xAB, static_cast<size_t>(pitch) * 2);
        s->Clear(0x000000FF);  // red as a COLORREF
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) EXPECT_EQ(s->GetPixel(x, y), 0x00F80000u | (depth >= 24 ? 0x070000u : 0)) << depth;
            for (int b = used; b < pitch; ++b) EXPECT_EQ(s->GetBits()[y * pitch + b], 0xAB) << depth;
        }
        // Zero over the whole surface: padding zeroed too.
        s->Clear(0);
        for (int b = 0; b < pitch * 2; ++b) EXPECT_EQ(s->GetBits()[b], 0) << depth;
    }
}

TEST_P(DibBoth, FillClipsToTheSurface) {
    auto s = Make(GetParam());
    ASSERT_TRUE(s->Create(4, 4, 32, GetParam()));
    s->Fill(0x00FFFFFF, SRect{-5, 2, 2, 100});
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(s->GetPixel(x, y), (y >= 2 && x < 2) ? 0x00FFFFFFu : 0u) << x << "," << y;
    }
    s->Clear(0);
    s->Fill(0x00FFFFFF, SRect{4, 0, 10, 4});   // wholly to the right
    s->Fill(0x00FFFFFF, SRect{2, 2, 1, 3});    // inverted
    s->Fill(0x00FFFFFF, SRect{-9, -9, -1, -1});  // wholly above and left
    for (int b = 0; b < 16 * 4; ++b) EXPECT_EQ(s->GetBits()[b], 0);
    // 32-bit fills leave X = 0.
    s->Fill(0x00112233, SRect{0, 0, 1, 1});
    EXPECT_EQ(s->GetPixel(0, 0), 0x00332211u);
}

TEST_P(DibBoth, FillAlphaCreatesAndClipsThePlane) {
    auto s = Make(GetParam());
    ASSERT_TRUE(s->Create(6, 3, 24, GetParam()));
    s->FillAlpha(77, SRect{4, -2, 50, 2});
    ASSERT_TRUE(s->HasAlphaPlane());
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 6; ++x) EXPECT_EQ(s->GetAlpha(x, y), (x >= 4 && y < 2) ? 77 : 0);
    }
    s->ClearAlpha(255);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(s->GetAlpha(x, 2), 255);
    // Padding of the plane stays zero.
    EXPECT_EQ(s->GetAlphaBits()[6], 0);
}

TEST_P(DibBoth, CopyAlphaOfEqualRectangles) {
    auto src = Make(false);
    ASSERT_TRUE(src->Create(4, 4, 32, false));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            src->SetAlphaEnabled(true);
            src->SetAlpha(x, y, static_cast<uint8_t>(10 * y + x + 1));
        }
    auto dst = Make(GetParam());
    ASSERT_TRUE(dst->Create(4, 4, 32, GetParam()));
    dst->CopyAlpha(src.get(), SRect{1, 1, 3, 3}, SRect{0, 0, 2, 2});
    EXPECT_EQ(dst->GetAlpha(1, 1), 1);
    EXPECT_EQ(dst->GetAlpha(2, 2), 12);
    EXPECT_EQ(dst->GetAlpha(0, 0), 0);
    EXPECT_EQ(dst->GetAlpha(3, 3), 0);
    // A negative destination corner moves the source corner with it.
    dst->ClearAlpha(0);
    dst->CopyAlpha(src.get(), SRect{-1, -2, 3, 2}, SRect{0, 0, 4, 4});
    EXPECT_EQ(dst->GetAlpha(0, 0), 10 * 2 + 1 + 1);
    EXPECT_EQ(dst->GetAlpha(2, 1), 10 * 3 + 3 + 1);
    EXPECT_EQ(dst->GetAlpha(3, 0), 0);
    // A negative source corner moves the destination corner.
    dst->ClearAlpha(0);
    dst->CopyAlpha(src.get(), SRect{0, 0, 4, 4}, SRect{-2, -1, 2, 3});
    EXPECT_EQ(dst->GetAlpha(2, 1), 1);
    EXPECT_EQ(dst->GetAlpha(3, 3), 10 * 2 + 1 + 1);
    EXPECT_EQ(dst->GetAlpha(1, 1), 0);
    // A source without a plane copies nothing.
    auto plain = Make(false);
    ASSERT_TRUE(plain->Create(4, 4, 32, false));
    dst->ClearAlpha(5);
    dst->CopyAlpha(plain.get(), SRect{0, 0, 4, 4}, SRect{0, 0, 4, 4});
    EXPECT_EQ(dst->GetAlpha(0, 0), 5);
    dst->CopyAlpha(nullptr, SRect{0, 0, 4, 4}, SRect{0, 0, 4, 4});
    EXPECT_EQ(dst->GetAlpha(0, 0), 5);
}

TEST_P(DibBoth, CopyAlphaNeverLeavesEitherPlane) {
    // Rectangles of unequal size, far corners and huge extents: the copy stays inside
    // both planes (the bytes around each plane's rows are checked through the padding
    // of a width that is not a multiple of 4, and the sanitizer builds watch the rest).
    auto src = Make(false);
    ASSERT_TRUE(src->Create(5, 5, 16, false));
    src->ClearAlpha(200);
    auto dst = Make(GetParam());
    ASSERT_TRUE(dst->Create(3, 3, 16, GetParam()));
    const SRect cases[][2] = {
        {{0, 0, 3, 3}, {0, 0, 5, 5}},          // source larger than destination
        {{0, 0, 100, 100}, {0, 0, 5, 5}},      // destination larger than the plane
        {{2, 2, 3, 3}, {0, 0, 5, 5}},          // one pixel of room
        {{0, 0, 3, 3}, {4, 4, 100, 100}},      // source reaching past its plane
        {{-100, -100, 3, 3}, {0, 0, 5, 5}},    // far negative destination
        {{0, 0, 3, 3}, {-100, -100, 5, 5}},    // far negative source
        {{INT32_MIN, 0, INT32_MAX, 3}, {0, 0, INT32_MAX, 5}},
        {{3, 3, 9, 9}, {0, 0, 5, 5}},          // wholly outside
    };
    for (const auto& c : cases) {
        dst->ClearAlpha(0);
        dst->CopyAlpha(src.get(), c[0], c[1]);
        // The padding byte after each destination row stays 0.
        for (int y = 0; y < 3; ++y) EXPECT_EQ(dst->GetAlphaBits()[y * dst->GetAlphaPitch() + 3], 0);
    }
    dst->ClearAlpha(0);
    dst->CopyAlpha(src.get(), SRect{0, 0, 3, 3}, SRect{0, 0, 5, 5});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(dst->GetAlpha(x, y), 200);
    // Onto itself, overlapping.
    dst->ClearAlpha(0);
    dst->SetAlpha(0, 0, 7);
    dst->CopyAlpha(dst.get(), SRect{1, 0, 3, 1}, SRect{0, 0, 2, 1});
    EXPECT_EQ(dst->GetAlpha(1, 0), 7);
}

TEST_P(DibBoth, ColorKeyIsStoredAsColourValue) {
    auto s = Make(GetParam());
    ASSERT_TRUE(s->Create(2, 2, 16, GetParam()));
    s->SetColorKey(0x0000FF);
    EXPECT_EQ(s->GetColorKey(), 0x00FF0000u);
    s->SetColorKeyEnabled(true);
    ASSERT_TRUE(s->Restore());
    EXPECT_EQ(s->GetColorKey(), 0x00FF0000u);
    EXPECT_TRUE(s->IsColorKeyEnabled());
}

TEST_P(DibBoth, RestoreTakesTheDesktopDepthAndOpaqueAlpha) {
    auto s = Make(GetParam());
    ASSERT_TRUE(s->Create(3, 2, 16, GetParam()));
    s->SetAlphaEnabled(true);
    s->SetPixel(0, 0, 0x00FFFFFF);
    CDesktopDepthScope scope(24);
    ASSERT_TRUE(s->Restore());
    EXPECT_EQ(s->GetBitDepth(), 24);
    EXPECT_EQ(s->GetSize(), (SSize{3, 2}));
    EXPECT_TRUE(s->IsAlphaEnabled());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(s->GetAlpha(x, y), 255);
    EXPECT_EQ(s->GetPixel(0, 0), 0u);  // contents are not kept
    s->Release();
    EXPECT_FALSE(s->Restore());
}

TEST(DibSection, DeviceContexts) {
    CDIBSectionSurface s(nullptr);
    s.SetAutoRegister(false);
    ASSERT_TRUE(s.Create(8, 4, 32, true));
    EXPECT_NE(s.GetBitmap(), nullptr);
    EXPECT_EQ(s.GetBits(), s.GetBitmap()->GetMemory());
    DCHandle first = s.GetDC();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetSelected(CGdiObject::EKind::Bitmap), s.GetBitmap());
    // A second GetDC gives the first back before making another: the bitmap is in
    // exactly one context.
    DCHandle second = s.GetDC();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetSelected(CGdiObject::EKind::Bitmap), s.GetBitmap());
    EXPECT_TRUE(s.IsDCOut());
    // Drawing through the context lands in the surface's pixels.
    CDIBSectionSurface other(nullptr);
    other.SetAutoRegister(false);
    ASSERT_TRUE(other.Create(8, 4, 32, true));
    other.Clear(0x00FF0000);  // blue as a COLORREF
    DCHandle otherDC = other.GetDC();
    ASSERT_TRUE(GdiBitBlt(second, 2, 1, 3, 2, otherDC, 0, 0));
    other.ReleaseDC();
    s.ReleaseDC();
    EXPECT_FALSE(s.IsDCOut());
    EXPECT_EQ(s.GetPixel(2, 1), 0x000000FFu);
    EXPECT_EQ(s.GetPixel(4, 2), 0x000000FFu);
    EXPECT_EQ(s.GetPixel(5, 2), 0u);
    // Release with a context out gives it back too.
    EXPECT_NE(s.GetDC(), nullptr);
    s.Release();
    EXPECT_FALSE(s.IsDCOut());
    EXPECT_EQ(s.GetBitmap(), nullptr);
}

TEST(DibSection, LockFlushesOnce) {
    CDIBSectionSurface s(nullptr);
    s.SetAutoRegister(false);
    ASSERT_TRUE(s.Create(2, 2, 16, true));
    const uint64_t before = GdiGetFlushCount();
    EXPECT_TRUE(s.Lock());
    EXPECT_TRUE(s.Lock());
    EXPECT_EQ(GdiGetFlushCount(), before + 1);
    s.Unlock();
    s.Unlock();
    EXPECT_EQ(GdiGetFlushCount(), before + 2);
    EXPECT_FALSE(s.IsLocked());
}

TEST(DibSection, ZeroWidthIsRefused) {
    CDIBSectionSurface s(nullptr);
    s.SetAutoRegister(false);
    CLogCapture log;
    EXPECT_FALSE(s.Create(0, 4, 32, true));
    EXPECT_FALSE(s.IsCreated());
    EXPECT_TRUE(log.Contains("CDIBSectionSurface::Create()"));
}

TEST_P(DibBoth, SaveBitmapWritesExactBytes) {
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    auto s = Make(GetParam());
    ASSERT_TRUE(s->Create(1, 1, 24, GetParam()));
    s->SetPixel(0, 0, 0x00302010);
    ASSERT_TRUE(s->SaveBitmap("one.bmp"));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(testsupport::ReadFileBytes(dir.Path() + "one.bmp", &bytes));
    ASSERT_EQ(bytes.size(), 58u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[2], 58);
    EXPECT_EQ(bytes[34], 4);
    EXPECT_EQ(bytes[54], 0x10);
    EXPECT_EQ(bytes[55], 0x20);
    EXPECT_EQ(bytes[56], 0x30);
    EXPECT_EQ(bytes[57], 0);

    // A file that cannot be written (its folder is a file): false with the writer's line.
    CLogCapture log;
    EXPECT_FALSE(s->SaveBitmap("one.bmp/x.bmp"));
    EXPECT_TRUE(log.Contains("SaveBitmap() 書き込みに失敗しました。<one.bmp/x.bmp>"));

    // A write stopped before its rename (a kill) leaves the old file whole.
    SetAtomicWriteFault(EAtomicWriteFault::STOP_BEFORE_RENAME);
    s->SetPixel(0, 0, 0x00605040);
    EXPECT_FALSE(s->SaveBitmap("one.bmp"));
    SetAtomicWriteFault(EAtomicWriteFault::NONE);
    std::vector<uint8_t> now;
    ASSERT_TRUE(testsupport::ReadFileBytes(dir.Path() + "one.bmp", &now));
    EXPECT_EQ(now, bytes);
}

INSTANTIATE_TEST_SUITE_P(Surfaces, DibBoth, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Section" : "Dib"; });
