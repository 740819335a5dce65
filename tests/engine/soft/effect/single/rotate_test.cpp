#include <gtest/gtest.h>

#include "engine/base/SinTable.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFxBlitter.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "engine/soft/effect/SoftFxRotate.h"
#include "tests/engine/soft/effect/single/EffectTestUtil.h"

using namespace fxtest;

namespace {

// A 32-bit source whose pixel (x, y) holds x + 256 * y + 1.
std::unique_ptr<CTestSurface> NumberedSource(int w, int h) {
    auto s = std::make_unique<CTestSurface>(w, h, 32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s->SetPixel(x, y, uint32_t(x + 256 * y + 1));
    return s;
}

uint32_t At32(CTestSurface& s, int x, int y) { return s.GetPixel(x, y); }

// The turned picture over the whole clip, with no bounding box at all.
void ModelRotate(CTestSurface& dst, std::vector<uint8_t>& out, CTestSurface& src, SPoint p, SRect sr, SRect clip,
                 int opacity, int progress) {
    const int depth = dst.GetBitDepth();
    const int bpp = BytesPerPixel(depth);
    const int64_t hw = (sr.right - sr.left) >> 1, hh = (sr.bottom - sr.top) >> 1;
    const int64_t k = progress >> 1;
    const int64_t s = CSinTable::Sin(int32_t(k)), c = CSinTable::Sin(int32_t(k + 128));
    const SSize ds = dst.GetSize();
    for (int y = std::max(clip.top, 0); y < std::min(clip.bottom, ds.cy); ++y) {
        for (int x = std::max(clip.left, 0); x < std::min(clip.right, ds.cx); ++x) {
            const int64_t dx = x - (p.x + hw), dy = y - (p.y + hh);
            const int64_t sx = ((dx * c - dy * s) >> 16) + sr.left + hw;
            const int64_t sy = ((dx * s + dy * c) >> 16) + sr.top + hh;
            if (sx < sr.left || sx >= sr.right || sy < sr.top || sy >= sr.bottom) continue;
            uint8_t* d = out.data() + y * dst.GetPitch() + x * bpp;
            const uint8_t* sp = src.Bytes().data() + sy * src.GetPitch() + sx * bpp;
            const bool alpha = src.HasAlphaPlane() && src.IsAlphaEnabled();
            const int a = alpha ? src.AlphaBytes()[sy * src.GetAlphaPitch() + sx] : 255;
            int w = opacity;
            if (alpha) w = opacity == 255 ? a : a + opacity - 255;
            if (w <= 0) continue;
            if (!alpha && opacity == 255) {
                std::memcpy(d, sp, bpp);
                continue;
            }
            switch (depth) {
            case 15: BlendPixel15(reinterpret_cast<uint16_t*>(d), reinterpret_cast<const uint16_t*>(sp), uint8_t(w)); break;
            case 16: BlendPixel16(reinterpret_cast<uint16_t*>(d), reinterpret_cast<const uint16_t*>(sp), uint8_t(w)); break;
            case 24: BlendPixel24(d, sp, uint8_t(w)); break;
            default: BlendPixel32(d, sp, uint8_t(w)); break;
            }
        }
    }
}

void DrawMode(int mode, CTestSurface& dst, CTestSurface& src, SPoint p, SRect sr, SRect clip, int opacity, int angle) {
    CSurfaceEffectBlitter().DrawEffect(mode, &dst, &src, &p, &sr, &clip, opacity, angle);
}

}  // namespace

TEST(SoftFxRotateSetup, BoxHasItsMarginsAndFollowsTheDrawingAngle) {
    const SoftFxRotatePivot pivot{};
    const SPoint p{10, 10};
    const SRect sr{0, 0, 4, 4};
    SRect box{};
    pivot.SoftFxRotateSetup(&box, nullptr, nullptr, &p, &sr, nullptr, 255, 0);
    EXPECT_EQ(box, (SRect{8, 8, 17, 17}));
    pivot.SoftFxRotateSetup(&box, nullptr, nullptr, &p, &sr, nullptr, 255, 1);
    EXPECT_EQ(box, (SRect{8, 8, 17, 17}));
    // Half a turn maps the corners (-2, -2) and (2, 2) onto each other.
    pivot.SoftFxRotateSetup(&box, nullptr, nullptr, &p, &sr, nullptr, 255, 512);
    EXPECT_EQ(box, (SRect{8, 8, 17, 17}));
    // A wide rectangle a quarter turned stands upright.
    const SRect wide{0, 0, 40, 10};
    pivot.SoftFxRotateSetup(&box, nullptr, nullptr, &p, &wide, nullptr, 255, 256);
    EXPECT_EQ(box.right - box.left, 10 + 5);
    EXPECT_EQ(box.bottom - box.top, 40 + 5);
}

TEST(SoftFxRotate, ExactTurns) {
    auto src = NumberedSource(4, 4);
    for (int progress : {0, 1}) {
        CTestSurface dst(24, 24, 32);
        DrawMode(2, dst, *src, {10, 10}, {0, 0, 4, 4}, {0, 0, 24, 24}, 255, progress);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) EXPECT_EQ(At32(dst, 10 + x, 10 + y), At32(*src, x, y));
        EXPECT_EQ(At32(dst, 9, 10), 0u);
        EXPECT_EQ(At32(dst, 14, 10), 0u);
    }
    CTestSurface q(24, 24, 32);
    DrawMode(2, q, *src, {10, 10}, {0, 0, 4, 4}, {0, 0, 24, 24}, 255, 256);
    EXPECT_EQ(At32(q, 13, 12), At32(*src, 2, 3));
    EXPECT_EQ(At32(q, 12, 13), At32(*src, 1, 2));
    CTestSurface h(24, 24, 32);
    DrawMode(2, h, *src, {10, 10}, {0, 0, 4, 4}, {0, 0, 24, 24}, 255, 512);
    EXPECT_EQ(At32(h, 11, 12), At32(*src, 3, 2));
    // A half turn of an even width covers one column to the right of the unturned picture.
    EXPECT_EQ(At32(h, 10, 12), 0u);
    EXPECT_NE(At32(h, 14, 12), 0u);
    // 45 degrees: ten columns right of the pivot lands seven right and seven below.
    auto big = NumberedSource(40, 40);
    CTestSurface d(40, 40, 32);
    DrawMode(2, d, *big, {0, 0}, {0, 0, 40, 40}, {0, 0, 40, 40}, 255, 128);
    EXPECT_EQ(At32(d, 30, 20), At32(*big, 27, 27));
}

// The whole turned picture is drawn at every angle, also for large rectangles: the
// bounding box turns the same way the kernels map back.
TEST(SoftFxRotate, NoOuterPixelsLostAtAnyAngle) {
    BuildBlendTables();
    for (int depth : {16, 32}) {
        for (int progress = 0; progress < 1024; progress += 7) {
            auto src = MakeRandom(150, 70, depth, 77u + progress);
            auto dst = MakeRandom(220, 220, depth, 99u + progress);
            std::vector<uint8_t> expected = dst->Bytes();
            const SPoint p{35, 75};
            const SRect sr{0, 0, 150, 70};
            const SRect clip{0, 0, 220, 220};
            ModelRotate(*dst, expected, *src, p, sr, clip, 255, progress);
            DrawMode(2, *dst, *src, p, sr, clip, 255, progress);
            ASSERT_EQ(dst->Bytes(), expected) << "depth " << depth << " progress " << progress;
        }
    }
    // A large picture, where one angle step moves the outer corners by several pixels.
    // (These angles lost pixels at the tips when the box was turned one step too far.)
    for (int progress : {100, 106, 114}) {
        auto src = MakeRandom(800, 60, 32, 5u + progress);
        auto dst = MakeRandom(820, 820, 32, 6u + progress);
        std::vector<uint8_t> expected = dst->Bytes();
        const SPoint p{10, 380};
        const SRect sr{0, 0, 800, 60};
        const SRect clip{0, 0, 820, 820};
        ModelRotate(*dst, expected, *src, p, sr, clip, 255, progress);
        DrawMode(2, *dst, *src, p, sr, clip, 255, progress);
        ASSERT_EQ(dst->Bytes(), expected) << "progress " << progress;
    }
}

TEST(SoftFxRotate, KindsAndOpacitiesMatchModelAndStayInTheReportedBox) {
    BuildBlendTables();
    uint64_t sum = 0;
    for (int depth : kDepths) {
        for (bool alpha : {false, true}) {
            for (int opacity : {0, 90, 255}) {
                for (int progress : {0, 100, 512, 777, 1023}) {
                    const uint32_t seed = uint32_t(depth * 7919 + alpha * 131 + opacity * 17 + progress);
                    SCOPED_TRACE("seed " + std::to_string(seed));
                    auto src = MakeRandom(21, 17, depth, seed, 21 * BytesPerPixel(depth) + 4);
                    if (alpha) {
                        src->MakeAlphaPlane(23);
                        src->SetAlphaEnabled(true);
                        FillAlphaRandom(*src, seed + 1);
                    }
                    auto dst = MakeRandom(40, 36, depth, seed + 2);
                    const auto before = Snapshot(*dst);
                    std::vector<uint8_t> expected = before;
                    const SPoint p{9, 8};
                    const SRect sr{2, 1, 19, 16};
                    const SRect clip{3, 2, 37, 33};
                    ModelRotate(*dst, expected, *src, p, sr, clip, opacity, progress);
                    DrawMode(3, *dst, *src, p, sr, clip, opacity, progress);
                    ASSERT_EQ(dst->Bytes(), expected);
                    ASSERT_EQ(dst->notes.size(), 1u);
                    ASSERT_EQ(ChangesOutside(before, *dst, Intersect(dst->notes[0].drawn, clip)), "");
                    sum += Checksum(dst->Bytes());
                }
            }
        }
    }
    EXPECT_NE(sum, 0u);
}

TEST(SoftFxRotate, ModesTwoAndThreeAgreeAndAnglesAreHeld) {
    for (int angle : {-50, 0, 300, 1023, 5000}) {
        auto src = MakeRandom(30, 20, 24, 5);
        auto a = MakeRandom(50, 50, 24, 6);
        auto b = MakeRandom(50, 50, 24, 6);
        const auto before = Snapshot(*a);
        DrawMode(2, *a, *src, {10, 15}, {0, 0, 30, 20}, {0, 0, 50, 50}, 255, angle);
        DrawMode(3, *b, *src, {10, 15}, {0, 0, 30, 20}, {0, 0, 50, 50}, 255, angle);
        EXPECT_EQ(a->Bytes(), b->Bytes());
        // Out-of-range angles draw as the nearest end of the turn, and the report follows.
        auto c = MakeRandom(50, 50, 24, 6);
        DrawMode(2, *c, *src, {10, 15}, {0, 0, 30, 20}, {0, 0, 50, 50}, 255, std::clamp(angle, 0, 1023));
        EXPECT_EQ(a->Bytes(), c->Bytes());
        EXPECT_EQ(a->notes[0].drawn, c->notes[0].drawn);
        EXPECT_EQ(ChangesOutside(before, *a, a->notes[0].drawn), "");
    }
}

TEST(SoftFxRotate, ColorKeyAndAlphaToAlpha) {
    // Colour key at 32 bits compares the whole word.
    CTestSurface src(2, 1, 32);
    src.SetColorKeyEnabled(true);
    src.SetColorKey(0x00FF00);
    const uint32_t px[2] = {0x0000FF00u, 0x0100FF00u};
    std::memcpy(src.Bytes().data(), px, 8);
    CTestSurface dst(4, 3, 32);
    DrawMode(2, dst, src, {1, 1}, {0, 0, 2, 1}, {0, 0, 4, 3}, 255, 0);
    EXPECT_EQ(dst.GetPixel(1, 1), 0u);
    EXPECT_EQ(dst.GetPixel(2, 1), 0x0100FF00u);

    // An alpha source onto a destination with its own alpha combines both.
    BuildBlendTables();
    CTestSurface a(3, 3, 32);
    a.MakeAlphaPlane();
    a.SetAlphaEnabled(true);
    for (int i = 0; i < 9; ++i) a.SetPixel(i % 3, i / 3, 0x00804020u);
    std::fill(a.AlphaBytes().begin(), a.AlphaBytes().begin() + a.AlphaAreaSize(), 128);
    CTestSurface d(3, 3, 32);
    d.MakeAlphaPlane();
    d.SetAlphaEnabled(true);
    std::fill(d.AlphaBytes().begin(), d.AlphaBytes().begin() + d.AlphaAreaSize(), 128);
    DrawMode(2, d, a, {0, 0}, {0, 0, 3, 3}, {0, 0, 3, 3}, 255, 0);
    EXPECT_EQ(d.GetAlpha(1, 1), 191);
    EXPECT_TRUE(d.GuardsIntact());
}

TEST(SoftFxRotate, UnequalDepthsAndFailedLocksDrawNothing) {
    auto src = MakeRandom(8, 8, 16, 1);
    auto dst = MakeRandom(16, 16, 32, 2);
    const auto before = Snapshot(*dst);
    DrawMode(2, *dst, *src, {2, 2}, {0, 0, 8, 8}, {0, 0, 16, 16}, 255, 100);
    EXPECT_EQ(dst->Bytes(), before);
    auto same = MakeRandom(8, 8, 32, 3);
    same->SetLockFails(true);
    DrawMode(2, *dst, *same, {2, 2}, {0, 0, 8, 8}, {0, 0, 16, 16}, 255, 100);
    EXPECT_EQ(dst->Bytes(), before);
    EXPECT_EQ(dst->LockCount(), dst->UnlockCount());
    // A source rectangle reaching past the source reads only inside it.
    auto small = MakeRandom(8, 8, 32, 4);
    DrawMode(2, *dst, *small, {0, 0}, {-4, -4, 12, 12}, {0, 0, 16, 16}, 255, 300);
    EXPECT_TRUE(dst->GuardsIntact());
}

TEST(ClipStretchRects, ClipsPairedEdges) {
    CTestSurface dst(100, 100, 32), src(50, 50, 32);
    SRect d{-10, 0, 91, 50}, s{0, 0, 51, 50};
    const SRect clip{0, 0, 100, 100};
    ClipStretchRects(&dst, &src, &d, &s, &clip);
    // (51 - 1) / (101 - 1) = 0.5: ten destination columns are five source columns.
    EXPECT_EQ(d, (SRect{0, 0, 89, 50}));
    EXPECT_EQ(s, (SRect{5, 0, 50, 50}));
    SRect thin{0, 0, 1, 10}, t2{0, 0, 10, 10};
    ClipStretchRects(&dst, &src, &thin, &t2, &clip);
    EXPECT_EQ(thin, SRect{});
    EXPECT_EQ(t2, SRect{});
    SRect a{0, 0, 10, 10}, b{0, 0, 10, 10};
    const SRect negative{0, 0, -1, 10};
    ClipStretchRects(&dst, &src, &a, &b, &negative);
    EXPECT_EQ(a, SRect{});
    EXPECT_EQ(b, (SRect{0, 0, 10, 10}));
}

// An edge cut first by the clip and then by the destination moves its source edge
// twice, each move truncated: 9/29 of 5 columns is 1.55 -> 1, then 1 + 1.55 -> 2
// (one cut of 10 columns would give 3).
TEST(ClipStretchRects, ClipAndSurfaceCutsTruncateInTurn) {
    CTestSurface dst(40, 40, 32), src(40, 40, 32);
    SRect d{-10, 0, 20, 10}, s{0, 0, 10, 10};
    const SRect clip{-5, 0, 40, 40};
    ClipStretchRects(&dst, &src, &d, &s, &clip);
    EXPECT_EQ(d, (SRect{0, 0, 20, 10}));
    EXPECT_EQ(s, (SRect{2, 0, 10, 10}));
}
