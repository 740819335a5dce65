// The zoom transitions: eased rectangles and what each mode shows at its ends.
#include <gtest/gtest.h>

#include <random>

#include "engine/base/Counter.h"
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

struct SScene {
    std::unique_ptr<CFxSurface> dst, a, b;
};

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

TEST(Zoom, EveryPassStaysInsideTheClip) {
    for (int mode = 23; mode <= 30; ++mode) {
        for (int p : {100, 512, 900}) {
            SScene s = MakeScene(24, static_cast<uint32_t>(mode + p));
            const SPoint dp{10, 8}, ap{3, 2}, bp{1, 4};
            const SSize size{30, 24};
            const SRect clip{12, 9, 38, 30};
            const auto before = s.dst->Snapshot();
            SoftFx3Zoom(mode, s.dst.get(), s.a.get(), s.b.get(), &dp, &ap, &bp, &size, &clip, p);
            EXPECT_EQ(CompareOutside(*s.dst, before, clip), "") << "mode " << mode << " p " << p;
        }
    }
}

}  // namespace
