// The zoom transitions: eased rectangles and what each mode shows at its ends.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/base/Counter.h"
#include "engine/soft/effect/SoftFx3Clip.h"
#include "engine/soft/effect/SoftFx3Kernels.h"
#include "tests/engine/soft/effect/three/FxSurface.h"

using namespace fx3_test;

namespace {

TEST(ZoomRect, EndsOfEachCurve) {
    const SPoint at{10, 20};
    const SSize size{40, 30};
    EXPECT_EQ(SoftFx3ZoomRect(23, at, size, 0), (SRect{30, 35, 30, 35}));
    EXPECT_EQ(SoftFx3ZoomRect(23, at, size, 1024), (SRect{10, 20, 50, 50}));
    EXPECT_EQ(SoftFx3ZoomRect(24, at, size, 0), (SRect{10, 20, 50, 50}));
    EXPECT_EQ(SoftFx3ZoomRect(24, at, size, 1023), (SRect{30, 35, 30, 35}));
    EXPECT_EQ(SoftFx3ZoomRect(25, at, size, 0), (SRect{10, 20, 50, 50}));
    EXPECT_EQ(SoftFx3ZoomRect(25, at, size, 1024), (SRect{-10, 5, 70, 65}));
    EXPECT_EQ(SoftFx3ZoomRect(26, at, size, 0), (SRect{-10, 5, 70, 65}));
    EXPECT_EQ(SoftFx3ZoomRect(26, at, size, 1024), (SRect{10, 20, 50, 50}));
    EXPECT_EQ(SoftFx3ZoomRect(22, at, size, 512), SRect{});
}

TEST(ZoomRect, FollowsTheCountersAndTruncatesMargins) {
    const SPoint at{0, 0};
    for (int p : {1, 100, 333, 512, 900}) {
        CCounterAccel grow;
        grow.Set(0, 11, -1024);
        grow.SetStep(p);
        const SRect r = SoftFx3ZoomRect(23, at, SSize{11, 11}, p);
        EXPECT_EQ(r.Width(), grow.GetValue()) << "p " << p;
        EXPECT_EQ(r.left, (11 - grow.GetValue()) / 2) << "p " << p;
        CCounterSin shrink;
        shrink.Set(11, 0, -1024);
        shrink.SetStep(p);
        EXPECT_EQ(SoftFx3ZoomRect(24, at, SSize{11, 11}, p).Width(), shrink.GetValue());
    }
    // Larger than the block: the smaller overhang on the left.
    const SRect big = SoftFx3ZoomRect(26, at, SSize{11, 11}, 0);  // 22 wide
    EXPECT_EQ(big.left, -5);
    EXPECT_EQ(big.right, 17);
}

SScene MakeScene(int depth, uint32_t seed) {
    std::mt19937 rng(seed);
    return SScene{MakeFilledSurface(60, 50, depth, 0xEE), MakeRandomSurface(rng, 40, 30, depth),
                  MakeRandomSurface(rng, 40, 30, depth)};
}

TEST(Zoom, EndsShowOneSource) {
    for (int depth : {16, 32}) {
        for (int mode = 23; mode <= 30; ++mode) {
            for (int p : {0, 1024}) {
                SScene s = MakeScene(depth, static_cast<uint32_t>(mode * 10 + p));
                const SPoint dp{10, 8}, ap{3, 2}, bp{1, 4};
                const SSize size{30, 24};
                const SRect block{10, 8, 40, 32};
                SoftFx3Zoom(mode, s.dst.get(), s.a.get(), s.b.get(), &dp, &ap, &bp, &size, &block, p);
                CFxSurface& want = p == 0 ? *s.a : *s.b;
                const SPoint from = p == 0 ? ap : bp;
                EXPECT_EQ(CompareBlock(*s.dst, block, want, from), "") << "mode " << mode << " p " << p;
            }
        }
    }
}

// The passes of the zooms from 25 on, drawn one by one with the surface's own blit and
// stretch: 25 and 26 clip their zoomed picture to the clip only, 27 and 28 lay it over
// the other source at (p >> 3) + (p >> 2) and 384 - (p >> 3) - (p >> 2), 29 and 30 clip
// their second pass to the whole destination only.
void ModelZoom(int mode, CSoftSurface* dst, CSoftSurface* a, CSoftSurface* b, SPoint dp, SPoint ap, SPoint bp,
               SSize size, SRect clip, int p) {
    const SRect zoom = SoftFx3ZoomRect(mode, dp, size, p);
    const SRect blockA{ap.x, ap.y, ap.x + size.cx, ap.y + size.cy};
    const SRect blockB{bp.x, bp.y, bp.x + size.cx, bp.y + size.cy};
    switch (mode) {
    case 25:
        if (p == 1024) dst->BltClipped(b, dp.x, dp.y, blockB, clip, 256);
        else dst->StretchBlt(a, zoom, blockA, clip, 256);
        break;
    case 26:
        if (p == 0) dst->BltClipped(a, dp.x, dp.y, blockA, clip, 256);
        else dst->StretchBlt(b, zoom, blockB, clip, 256);
        break;
    case 27:
        dst->BltClipped(a, dp.x, dp.y, blockA, clip, 256);
        dst->StretchBlt(b, zoom, blockB, clip, (p >> 3) + (p >> 2));
        break;
    case 28:
        dst->BltClipped(b, dp.x, dp.y, blockB, clip, 256);
        dst->StretchBlt(a, zoom, blockA, clip, 384 - (p >> 3) - (p >> 2));
        break;
    case 29:
        dst->StretchBlt(a, zoom, blockA, clip, 256);
        dst->BltRect(b, dp.x, dp.y, blockB, p >> 2);
        break;
    case 30:
        dst->BltClipped(a, dp.x, dp.y, blockA, clip, 256);
        dst->StretchDraw(b, zoom, blockB, p >> 2);
        break;
    }
}

TEST(Zoom, PassesKeepToTheirOwnClips) {
    const SPoint dp{10, 8}, ap{3, 2}, bp{1, 4};
    const SSize size{30, 24};
    const SRect block{10, 8, 40, 32};
    for (const SRect& clip : {SRect{12, 9, 38, 30}, SRect{4, 2, 56, 46}}) {
        for (int mode = 23; mode <= 30; ++mode) {
            for (int p : {0, 100, 512, 900, 1024}) {
                for (int depth : {15, 32}) {
                    const uint32_t seed = static_cast<uint32_t>(mode + p + depth);
                    const std::string where = "mode " + std::to_string(mode) + " p " + std::to_string(p) + " depth " +
                                              std::to_string(depth) + " clip " + RectText(clip);
                    SScene s = MakeScene(depth, seed);
                    const auto before = s.dst->Snapshot();
                    s.dst->DrawEffect3(mode, s.a.get(), s.b.get(), dp.x, dp.y, ap.x, ap.y, bp.x, bp.y, size.cx, size.cy,
                                       clip, p);
                    ASSERT_EQ(s.dst->effect3Notes.size(), 1u) << where;
                    const SRect reported = s.dst->effect3Notes[0].drawn;
                    EXPECT_EQ(CompareOutside(*s.dst, before, reported), "") << where;
                    if (mode >= 25) {
                        SScene model = MakeScene(depth, seed);
                        ModelZoom(mode, model.dst.get(), model.a.get(), model.b.get(), dp, ap, bp, size, clip, p);
                        EXPECT_EQ(s.dst->Snapshot(), model.dst->Snapshot()) << where;
                    }
                    if (mode <= 24 || mode == 27 || mode == 28) {
                        // These keep to the block inside the clip.
                        EXPECT_TRUE(RectInside(reported, SoftFxIntersectRect(clip, block))) << where;
                    }
                }
            }
        }
    }
}

TEST(Zoom, ReportedRectanglesGrowWithTheDrawing) {
    const SPoint dp{10, 8}, ap{3, 2}, bp{1, 4};
    const SSize size{30, 24};
    const SRect small{12, 9, 38, 30}, wide{4, 2, 56, 46};
    SScene s = MakeScene(32, 1);
    auto rect = [&](int mode, const SRect& clip, int p) {
        return s.dst->GetEffect3Rect(mode, s.a.get(), s.b.get(), dp.x, dp.y, ap.x, ap.y, bp.x, bp.y, size.cx, size.cy,
                                     clip, p);
    };
    // About twice the block ({-5, -4, 55, 44}) at the start of 26, cut to the clip only.
    EXPECT_EQ(SoftFx3ZoomRect(26, dp, size, 0), (SRect{-5, -4, 55, 44}));
    EXPECT_EQ(rect(26, wide, 1), SoftFxIntersectRect(SoftFx3ZoomRect(26, dp, size, 1), wide));
    EXPECT_EQ(rect(26, small, 1), small);
    EXPECT_EQ(rect(25, wide, 1023), (SRect{10, 8, 40, 32}));  // the second source in place
    EXPECT_EQ(rect(25, wide, 1000), SoftFxIntersectRect(SoftFx3ZoomRect(25, dp, size, 1000), wide));
    // 29 and 30: the second pass ignores the clip but not the destination.
    EXPECT_EQ(rect(29, small, 0), (SRect{10, 8, 40, 32}));
    EXPECT_EQ(rect(30, small, 512), SoftFx3ZoomRect(30, dp, size, 512));
    EXPECT_EQ(rect(30, small, 0), (SRect{0, 0, 55, 44}));
}

}  // namespace
