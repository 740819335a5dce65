// The entry members, the first stage and the per-kind dispatchers: validation, the
// equal-size blit, the filter choice, notifications, locks, kinds, keys and opacity.
#include <gtest/gtest.h>

#include <memory>

#include "engine/base/Log.h"
#include "engine/soft/DirtyRectSurface.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/blit/SoftStretch.h"
#include "tests/engine/soft/stretch/StretchTestSurface.h"

namespace stretch_test {
namespace {

class StretchDispatch : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildBlendTables(); }
};

void FillRaw(CStretchTestSurface& s, uint32_t v) {
    const SSize size = s.GetSize();
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) s.SetRaw(x, y, v);
    }
}

std::unique_ptr<CStretchTestSurface> Gradient(int w, int h, int depth) {
    auto s = std::make_unique<CStretchTestSurface>(w, h, depth);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) s->SetRaw(x, y, uint32_t(x * 37 + y * 11 + 5) * 0x010203u);
    }
    return s;
}

TEST_F(StretchDispatch, EqualSizesAreABlitWithItsNotification) {
    auto src = Gradient(10, 8, 32);
    CStretchTestSurface viaStretch(20, 20, 32), viaBlt(20, 20, 32);
    viaStretch.StretchBlt(src.get(), {4, 5, 14, 13}, {0, 0, 10, 8}, {0, 0, 12, 20}, 200);
    const SPoint p{4, 5};
    const SRect sr{0, 0, 10, 8};
    const SRect clip{0, 0, 12, 20};
    viaBlt.Blt(src.get(), &p, &sr, &clip, 200, 0);
    EXPECT_EQ(viaStretch.Bytes(), viaBlt.Bytes());
    EXPECT_TRUE(viaStretch.stretchNotes.empty());
    ASSERT_EQ(viaStretch.notes.size(), 1u);
    EXPECT_EQ(viaStretch.notes[0].drawn, viaBlt.notes.at(0).drawn);
    EXPECT_EQ(viaStretch.notes[0].drawn, (SRect{4, 5, 12, 13}));
}

TEST_F(StretchDispatch, RejectedRectanglesDrawAndNotifyNothing) {
    auto src = Gradient(10, 10, 32);
    CStretchTestSurface d(20, 20, 32);
    const std::vector<uint8_t> before = d.Bytes();
    d.StretchBlt(nullptr, {0, 0, 20, 20}, {0, 0, 10, 10}, {0, 0, 20, 20}, 255);
    d.StretchBlt(src.get(), {0, 0, -1, 20}, {0, 0, 10, 10}, {0, 0, 20, 20}, 255);     // right < 0
    d.StretchBlt(src.get(), {0, 0, 20, 20}, {0, -5, 10, -1}, {0, 0, 20, 20}, 255);    // bottom < 0
    d.StretchBlt(src.get(), {5, 0, 5, 20}, {0, 0, 10, 10}, {0, 0, 20, 20}, 255);      // no width
    d.StretchBlt(src.get(), {0, 0, 20, 20}, {0, 0, 10, 10}, {0, 9, 20, 9}, 255);      // clip empty
    d.StretchDraw(src.get(), {0, 0, 20, 20}, {3, 3, 2, 9}, 255);
    EXPECT_EQ(d.Bytes(), before);
    EXPECT_TRUE(d.stretchNotes.empty());
    EXPECT_TRUE(d.notes.empty());
}

TEST_F(StretchDispatch, OnePixelWideSourceDrawsNothingButNotifies) {
    auto src = Gradient(1, 10, 32);
    CStretchTestSurface d(20, 20, 32);
    const std::vector<uint8_t> before = d.Bytes();
    d.StretchBlt(src.get(), {5, 2, 15, 30}, {0, 0, 1, 10}, {0, 0, 12, 20}, 255);
    EXPECT_EQ(d.Bytes(), before);
    ASSERT_EQ(d.stretchNotes.size(), 1u);
    EXPECT_EQ(d.stretchNotes[0].drawn, (SRect{5, 2, 12, 20}));
    EXPECT_EQ(d.stretchNotes[0].source, src.get());
    EXPECT_EQ(d.stretchNotes[0].opacity, 255);
}

TEST_F(StretchDispatch, NotificationIsTheIntersectionOfDestinationAndClip) {
    auto src = Gradient(10, 10, 32);
    CStretchTestSurface d(20, 20, 32);
    const SRect dr{10, 10, 50, 40}, sr{0, 0, 10, 10}, far{100, 100, 200, 200}, big{0, 0, 1000, 1000};
    d.StretchBltNearest(src.get(), &dr, &sr, &big, 255, 0);
    d.StretchBltBilinear(src.get(), &dr, &sr, &far, 255, 0);
    d.StretchBltNearest(nullptr, &dr, &sr, &big, 255, 0);  // nothing drawn, still notified
    ASSERT_EQ(d.stretchNotes.size(), 3u);
    EXPECT_EQ(d.stretchNotes[0].drawn, (SRect{10, 10, 50, 40}));  // not clipped to the surface
    EXPECT_EQ(d.stretchNotes[1].drawn, (SRect{}));
    EXPECT_EQ(d.stretchNotes[2].drawn, (SRect{10, 10, 50, 40}));
    // Touching but not overlapping: empty.
    const SRect touching{50, 10, 60, 40};
    d.StretchBltNearest(src.get(), &dr, &sr, &touching, 255, 0);
    ASSERT_EQ(d.stretchNotes.size(), 4u);
    EXPECT_EQ(d.stretchNotes[3].drawn, (SRect{}));
}

TEST_F(StretchDispatch, DirtyRectSurfaceRecordsTheStretch) {
    CDirtyRectSurface frame(nullptr);
    frame.SetAutoRegister(false);
    ASSERT_TRUE(frame.Create(100, 50, 32, false));
    CDirtyRectSurface picture(nullptr);
    picture.SetAutoRegister(false);
    ASSERT_TRUE(picture.Create(10, 10, 32, false));
    picture.Clear(0x00FFFFFF);
    frame.GetUpdateList().Clear();
    frame.StretchBlt(&picture, {90, 40, 130, 60}, {0, 0, 10, 10}, {0, 0, 1000, 1000}, 255);
    ASSERT_EQ(frame.GetUpdateList().GetCount(), 1);
    EXPECT_EQ(frame.GetUpdateList().GetRect(0), (SRect{90, 40, 100, 50}));
    EXPECT_EQ(frame.GetPixel(99, 49), 0x00FFFFFFu);
    EXPECT_EQ(frame.GetPixel(89, 49), 0u);
}

TEST_F(StretchDispatch, SmoothFlagChoosesBilinear) {
    CStretchTestSurface src(3, 2, 32);
    src.SetRaw(0, 0, 0);
    src.SetRaw(1, 0, 200);
    src.SetRaw(2, 0, 200);
    src.SetRaw(0, 1, 0);
    src.SetRaw(1, 1, 200);
    src.SetRaw(2, 1, 200);
    CStretchTestSurface a(5, 2, 32), b(5, 2, 32);
    a.StretchBlt(&src, {0, 0, 5, 2}, {0, 0, 3, 2}, {0, 0, 5, 2}, 255);
    src.smooth = true;
    b.StretchBlt(&src, {0, 0, 5, 2}, {0, 0, 3, 2}, {0, 0, 5, 2}, 255);
    EXPECT_EQ(a.Raw(1, 0), 0u);    // nearest: column 0
    EXPECT_EQ(b.Raw(1, 0), 100u);  // bilinear: halfway between 0 and 200
    EXPECT_EQ(a.stretchNotes.size(), 1u);
    EXPECT_EQ(b.stretchNotes.size(), 1u);
}

TEST_F(StretchDispatch, LocksDestinationThenSourceAndReleasesInReverse) {
    auto src = Gradient(4, 4, 32);
    CStretchTestSurface d(8, 8, 32);
    auto& log = CStretchTestSurface::LockLog();
    log.clear();
    const SRect dr{0, 0, 8, 8}, sr{0, 0, 4, 4}, clip{0, 0, 8, 8};
    SoftStretchBilinear(&d, src.get(), &dr, &sr, &clip, 255, 0);
    EXPECT_EQ(log, (std::vector<std::pair<int, int>>{{d.Id(), 1}, {src->Id(), 1}, {src->Id(), -1}, {d.Id(), -1}}));

    // An empty clip draws nothing and still releases both.
    log.clear();
    const SRect empty{3, 3, 3, 3};
    SoftStretchNearest(&d, src.get(), &dr, &sr, &empty, 255, 0);
    EXPECT_EQ(log.size(), 4u);

    // The source's lock fails: the destination is released, nothing drawn.
    log.clear();
    const std::vector<uint8_t> before = d.Bytes();
    src->SetLockFails(true);
    SoftStretchNearest(&d, src.get(), &dr, &sr, &clip, 255, 0);
    EXPECT_EQ(log, (std::vector<std::pair<int, int>>{{d.Id(), 1}, {d.Id(), -1}}));
    EXPECT_EQ(d.Bytes(), before);

    // The destination's lock fails: the source is never locked.
    log.clear();
    src->SetLockFails(false);
    d.SetLockFails(true);
    SoftStretchBilinear(&d, src.get(), &dr, &sr, &clip, 255, 0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(d.Bytes(), before);
}

TEST_F(StretchDispatch, DepthMismatchIsRefusedAndLogged) {
    auto src = Gradient(4, 4, 32);
    CStretchTestSurface d(8, 8, 16);
    const std::vector<uint8_t> before = d.Bytes();
    CLogCapture capture;
    d.StretchBlt(src.get(), {0, 0, 8, 8}, {0, 0, 4, 4}, {0, 0, 8, 8}, 255);
    EXPECT_EQ(d.Bytes(), before);
    EXPECT_TRUE(d.GuardsIntact());
    EXPECT_TRUE(capture.Contains("SoftStretchNearestOpaque()"));
}

TEST_F(StretchDispatch, UnsupportedKindsAndDepthsDrawNothing) {
    const SRect dr{0, 0, 8, 8}, sr{0, 0, 4, 4}, clip{0, 0, 8, 8};
    // An Alpha source onto a destination whose kind is 3.
    auto src = Gradient(4, 4, 32);
    src->MakeAlphaPlane();
    src->SetAlphaEnabled(true);
    std::fill(src->AlphaBytes().begin(), src->AlphaBytes().begin() + long(src->AlphaAreaSize()), 255);
    CStretchTestSurface d(8, 8, 32);
    d.ForceFormatFlags(SURFACE_KIND_NONE | 3 << 2);
    const std::vector<uint8_t> before = d.Bytes();
    SoftStretchNearest(&d, src.get(), &dr, &sr, &clip, 255, 0);
    SoftStretchBilinear(&d, src.get(), &dr, &sr, &clip, 255, 0);
    EXPECT_EQ(d.Bytes(), before);
    // A source that is not created (flags -1).
    CStretchTestSurface d2(8, 8, 32);
    auto none = Gradient(4, 4, 32);
    none->ForceFormatFlags(SURFACE_FLAGS_NOT_CREATED);
    SoftStretchNearest(&d2, none.get(), &dr, &sr, &clip, 255, 0);
    EXPECT_EQ(d2.Bytes(), before);
    // An 8-bit pair.
    CStretchTestSurface d8(8, 8, 8), s8(4, 4, 8);
    FillRaw(s8, 0x77);
    const std::vector<uint8_t> before8 = d8.Bytes();
    SoftStretchNearestOpaque(&d8, &s8, &dr, &sr, &clip, 255, 0);
    EXPECT_EQ(d8.Bytes(), before8);
    // Null arguments.
    SoftStretchNearest(nullptr, src.get(), &dr, &sr, &clip, 255, 0);
    SoftStretchBilinear(&d, nullptr, &dr, &sr, &clip, 255, 0);
    SoftStretchBilinearAlpha(&d, src.get(), nullptr, &sr, &clip, 255, 0);
}

TEST_F(StretchDispatch, OpacityIsClamped) {
    auto src = Gradient(4, 4, 32);
    CStretchTestSurface full(8, 8, 32), over(8, 8, 32), none(8, 8, 32);
    FillRaw(none, 0x00404040);
    const std::vector<uint8_t> noneBefore = none.Bytes();
    full.StretchBlt(src.get(), {0, 0, 8, 8}, {0, 0, 4, 4}, {0, 0, 8, 8}, 255);
    over.StretchBlt(src.get(), {0, 0, 8, 8}, {0, 0, 4, 4}, {0, 0, 8, 8}, 300);
    none.StretchBlt(src.get(), {0, 0, 8, 8}, {0, 0, 4, 4}, {0, 0, 8, 8}, -5);
    EXPECT_EQ(over.Bytes(), full.Bytes());
    EXPECT_EQ(none.Bytes(), noneBefore);
    ASSERT_EQ(none.stretchNotes.size(), 1u);
    EXPECT_EQ(none.stretchNotes[0].opacity, -5);  // the notification carries the caller's value
}

// At 32 bits the stretch compares the whole word, X byte included.  (2 onto 3 puts the
// bilinear filter's last column and row exactly on the last source pixel, unfiltered.)
TEST_F(StretchDispatch, ColorKey32ComparesTheXByte) {
    for (bool smooth : {false, true}) {
        const int n = smooth ? 3 : 4;
        CStretchTestSurface src(2, 2, 32);
        src.SetColorKeyEnabled(true);
        src.SetColorKey(0x0000FF00);
        src.smooth = smooth;
        FillRaw(src, 0x0000FF00);      // keyed
        src.SetRaw(1, 1, 0xAB00FF00);  // key colour, other X byte: drawn
        CStretchTestSurface d(n, n, 32);
        FillRaw(d, 0x11111111);
        d.StretchBlt(&src, {0, 0, n, n}, {0, 0, 2, 2}, {0, 0, n, n}, 255);
        EXPECT_EQ(d.Raw(0, 0), 0x11111111u) << smooth;
        EXPECT_EQ(d.Raw(n - 1, n - 1), 0xAB00FF00u) << smooth;  // X byte kept
        // Nearest: (2, 2) samples (0, 0), keyed.  Bilinear: (1, 1) is filtered from four
        // taps, three of them keyed.
        EXPECT_EQ(d.Raw(n - 2, n - 2), 0x11111111u) << smooth;
    }
}

TEST_F(StretchDispatch, ColorKeyAt15And24BitsUsesThePackedKey) {
    CStretchTestSurface s15(2, 2, 15), d15(4, 4, 15);
    s15.SetColorKeyEnabled(true);
    s15.SetColorKey(0x00F80000);  // red: packed 0x7C00
    FillRaw(s15, 0x7C00);
    s15.SetRaw(1, 0, 0x001F);
    FillRaw(d15, 0x1234);
    d15.StretchBlt(&s15, {0, 0, 4, 4}, {0, 0, 2, 2}, {0, 0, 4, 4}, 255);
    EXPECT_EQ(d15.Raw(0, 0), 0x1234u);
    EXPECT_EQ(d15.Raw(3, 0), 0x001Fu);

    CStretchTestSurface s24(2, 2, 24), d24(4, 4, 24);
    s24.SetColorKeyEnabled(true);
    s24.SetColorKey(0xFF102030);  // byte 3 is not part of a 24-bit key
    FillRaw(s24, 0x102030);
    s24.SetRaw(1, 1, 0x102031);
    FillRaw(d24, 0x555555);
    d24.StretchBlt(&s24, {0, 0, 4, 4}, {0, 0, 2, 2}, {0, 0, 4, 4}, 128);
    EXPECT_EQ(d24.Raw(0, 0), 0x555555u);
    EXPECT_NE(d24.Raw(3, 3), 0x555555u);
}

// Opacity 128 leaves e = alpha - 127: only pixels whose alpha exceeds 127 draw, and an
// alpha of 255 blends with weight 128.
TEST_F(StretchDispatch, AlphaAtOpacity128) {
    for (bool smooth : {false, true}) {
        const int n = smooth ? 3 : 4;
        CStretchTestSurface src(2, 2, 32);
        src.MakeAlphaPlane();
        src.SetAlphaEnabled(true);
        src.smooth = smooth;
        FillRaw(src, 0x00FFFFFF);
        src.SetRawAlpha(0, 0, 127);
        src.SetRawAlpha(1, 0, 100);
        src.SetRawAlpha(0, 1, 128);
        src.SetRawAlpha(1, 1, 255);
        CStretchTestSurface d(n, n, 32);
        d.StretchBlt(&src, {0, 0, n, n}, {0, 0, 2, 2}, {0, 0, n, n}, 128);
        EXPECT_EQ(d.Raw(0, 0), 0u) << smooth;                  // 127: e = 0
        EXPECT_EQ(d.Raw(n - 1, 0), 0u) << smooth;              // 100
        EXPECT_EQ(d.Raw(0, n - 1), 0x00010101u) << smooth;     // 128: e = 1, 255 * 1 / 255
        EXPECT_EQ(d.Raw(n - 1, n - 1), 0x00808080u) << smooth; // 255: weight 128
    }
}

TEST_F(StretchDispatch, OpaqueAndKeyedSourcesLeaveADestinationAlphaPlaneAlone) {
    auto src = Gradient(4, 4, 24);
    CStretchTestSurface d(8, 8, 24);
    d.MakeAlphaPlane();
    d.SetAlphaEnabled(true);
    std::fill(d.AlphaBytes().begin(), d.AlphaBytes().begin() + long(d.AlphaAreaSize()), 9);
    const std::vector<uint8_t> alphaBefore = d.AlphaBytes();
    d.StretchBlt(src.get(), {0, 0, 8, 8}, {0, 0, 4, 4}, {0, 0, 8, 8}, 255);
    src->SetColorKeyEnabled(true);
    d.StretchBlt(src.get(), {0, 0, 8, 8}, {0, 0, 4, 4}, {0, 0, 8, 8}, 77);
    EXPECT_EQ(d.AlphaBytes(), alphaBefore);
    EXPECT_EQ(d.Raw(7, 7), src->Raw(3, 3));
}

TEST_F(StretchDispatch, AlphaOntoAlphaCombinesBothPlanes) {
    CStretchTestSurface src(2, 2, 32);
    src.MakeAlphaPlane();
    src.SetAlphaEnabled(true);
    FillRaw(src, 0x00FF0000);
    std::fill(src.AlphaBytes().begin(), src.AlphaBytes().begin() + long(src.AlphaAreaSize()), 128);
    CStretchTestSurface d(4, 4, 32);
    d.MakeAlphaPlane();
    d.SetAlphaEnabled(true);
    std::fill(d.AlphaBytes().begin(), d.AlphaBytes().begin() + long(d.AlphaAreaSize()), 128);
    d.StretchBlt(&src, {0, 0, 4, 4}, {0, 0, 2, 2}, {0, 0, 4, 4}, 255);
    // t = 128 * 127 / 255 = 63, new alpha 191, weights 170 and 84.
    EXPECT_EQ(d.RawAlpha(2, 2), 191);
    EXPECT_EQ(d.Raw(2, 2), 0x00AA0000u);
}

}  // namespace
}  // namespace stretch_test
