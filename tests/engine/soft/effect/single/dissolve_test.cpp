#include <gtest/gtest.h>

#include "engine/base/Random.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFxBlitter.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "tests/engine/soft/effect/single/EffectTestUtil.h"
#include "tests/support/TestSupport.h"

using namespace fxtest;
using testsupport::CSeedScope;

namespace {

// Which cells (col + 4 * row) of a 4x4 tile show the source: draw a white source over a
// black destination at (0, 0) and read the first tile.
uint32_t ShownCells(void (*effect)(CSoftSurface*, CSoftSurface*, const SPoint*, const SRect*, const SRect*, int, int),
                    int progress) {
    CTestSurface dst(8, 8, 32), src(8, 8, 32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) src.SetPixel(x, y, 0xFFFFFF);
    const SPoint p{0, 0};
    const SRect r{0, 0, 8, 8};
    effect(&dst, &src, &p, &r, &r, 255, progress);
    uint32_t cells = 0;
    for (int k = 0; k < 16; ++k) {
        const bool on = dst.GetPixel(k % 4, k / 4) != 0;
        // Every tile repeats the first.
        EXPECT_EQ(on, dst.GetPixel(k % 4 + 4, k / 4 + 4) != 0);
        if (on) cells |= 1u << k;
    }
    return cells;
}

uint32_t Cell(int col, int row) { return 1u << (col + 4 * row); }

}  // namespace

TEST(SoftFxDissolve, OrderedLevels) {
    EXPECT_EQ(ShownCells(SoftFxDissolve7, -5), 0u);
    EXPECT_EQ(ShownCells(SoftFxDissolve7, 0), 0u);
    EXPECT_EQ(ShownCells(SoftFxDissolve7, 63), 0u);
    EXPECT_EQ(ShownCells(SoftFxDissolve7, 64), Cell(2, 0) | Cell(0, 2));
    EXPECT_EQ(ShownCells(SoftFxDissolve7, 192), Cell(2, 0) | Cell(0, 2) | Cell(0, 0) | Cell(2, 2));
    EXPECT_EQ(ShownCells(SoftFxDissolve7, 1023), 0xFFFFu);
    EXPECT_EQ(ShownCells(SoftFxDissolve7, 1024), 0xFFFFu);
    EXPECT_EQ(ShownCells(SoftFxDissolve7, 99999), 0xFFFFu);
}

TEST(SoftFxDissolve, SpiralLevels) {
    EXPECT_EQ(ShownCells(SoftFxPatternDissolve, 31), 0u);
    EXPECT_EQ(ShownCells(SoftFxPatternDissolve, 32), Cell(0, 0));
    EXPECT_EQ(ShownCells(SoftFxPatternDissolve, 96), Cell(0, 0) | Cell(1, 0));
    EXPECT_EQ(ShownCells(SoftFxPatternDissolve, 991), 0xFFFFu & ~Cell(1, 2));
    EXPECT_EQ(ShownCells(SoftFxPatternDissolve, 992), 0xFFFFu);
}

// The phases count from the caller's destination point, wherever the block is cut.
TEST(SoftFxDissolve, PatternAnchoredAtTheDestinationPoint) {
    struct SCase {
        SPoint p;
        SRect r, clip, drawn;
    };
    const SCase cases[] = {
        // The point lies left of and above the clip (5 wide).
        {{-3, -1}, {0, 0, 16, 16}, {2, 2, 7, 12}, {2, 2, 7, 12}},
        // The rectangle starts 3 rows above the source: the block starts 3 rows lower.
        {{1, 2}, {0, -3, 16, 13}, {0, 0, 12, 12}, {1, 5, 12, 12}},
    };
    for (const SCase& c : cases) {
        CTestSurface dst(12, 12, 16), src(16, 16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) src.SetPixel(x, y, 0xFFFFFF);
        SoftFxDissolve7(&dst, &src, &c.p, &c.r, &c.clip, 255, 64);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                const int col = (x - c.p.x) & 3, row = (y - c.p.y) & 3;
                const bool shown = Inside(c.drawn, x, y) && ((col == 2 && row == 0) || (col == 0 && row == 2));
                EXPECT_EQ(dst.GetPixel(x, y) != 0, shown) << "top " << c.r.top << " at " << x << "," << y;
            }
        }
    }
}

TEST(SoftFxDissolve, BlockDissolveShowsNoneAtZeroAndAllAtFull) {
    BuildBlendTables();
    for (int depth : kDepths) {
        for (uint32_t seed = 1; seed < 40; ++seed) {
            CSeedScope scope(seed);
            auto dst = MakeRandom(33, 9, depth, seed);
            auto src = MakeRandom(33, 9, depth, seed + 100);
            const auto before = Snapshot(*dst);
            const SPoint p{0, 0};
            const SRect r{0, 0, 33, 9};
            SoftFxBlockDissolve(dst.get(), src.get(), &p, &r, &r, 255, 0);
            ASSERT_EQ(dst->Bytes(), before) << "seed " << seed;
            SoftFxBlockDissolve(dst.get(), src.get(), &p, &r, &r, 255, -7);
            ASSERT_EQ(dst->Bytes(), before) << "seed " << seed;
        }
        auto dst = MakeRandom(7, 5, depth, 3);
        auto src = MakeRandom(7, 5, depth, 4);
        const SPoint p{0, 0};
        const SRect r{0, 0, 7, 5};
        // Every block shape (2x2, the odd column's 1x2, the odd row's 2x1, the corner)
        // copies at 255 and blends below.
        for (int progress : {1023, 1024, 5000}) {
            for (int opacity : {255, 1, 100, 254}) {
                auto d = MakeRandom(7, 5, depth, 3);
                auto want = Snapshot(*d);
                SoftFxBlockDissolve(d.get(), src.get(), &p, &r, &r, opacity, progress);
                for (int y = 0; y < 5; ++y)
                    for (int x = 0; x < 7; ++x) BlendInto(want, *d, x, y, PixelAt(src->Bytes(), *src, x, y), opacity);
                ASSERT_EQ(d->Bytes(), want) << "depth " << depth << " opacity " << opacity;
            }
        }
    }
}

TEST(SoftFxDissolve, BlockDissolveIsRepeatableAndBlockwise) {
    // With the same seed the same blocks show; every 2x2 block shows whole or not at all,
    // and the odd column, odd row and corner form blocks of their own.
    for (uint32_t seed : {11u, 12u, 13u}) {
        std::vector<uint8_t> first;
        for (int run = 0; run < 2; ++run) {
            CSeedScope scope(seed);
            CTestSurface dst(5, 5, 32), src(5, 5, 32);
            for (int i = 0; i < 25; ++i) src.SetPixel(i % 5, i / 5, 0xFFFFFF);
            const SPoint p{0, 0};
            const SRect r{0, 0, 5, 5};
            SoftFxBlockDissolve(&dst, &src, &p, &r, &r, 255, 512);
            if (run == 0) {
                first = dst.Bytes();
                for (int by = 0; by < 4; by += 2)
                    for (int bx = 0; bx < 4; bx += 2) {
                        const bool on = dst.GetPixel(bx, by) != 0;
                        EXPECT_EQ(dst.GetPixel(bx + 1, by) != 0, on);
                        EXPECT_EQ(dst.GetPixel(bx, by + 1) != 0, on);
                        EXPECT_EQ(dst.GetPixel(bx + 1, by + 1) != 0, on);
                    }
                EXPECT_EQ(dst.GetPixel(4, 0) != 0, dst.GetPixel(4, 1) != 0);
                EXPECT_EQ(dst.GetPixel(0, 4) != 0, dst.GetPixel(1, 4) != 0);
            } else {
                EXPECT_EQ(dst.Bytes(), first);
            }
        }
    }
}

// The blend tables are left to the effects, which build them before blending: ctest
// runs this case in a process of its own, where nothing else has built them.
TEST(SoftFxDissolve, BlendedAtLowerOpacityAndOnlyOpaqueSources) {
    CTestSurface dst(4, 4, 24), spiral(4, 4, 24), src(4, 4, 24);
    for (int i = 0; i < 16; ++i) src.SetPixel(i % 4, i / 4, 0xFFFFFF);
    const SPoint p{0, 0};
    const SRect r{0, 0, 4, 4};
    SoftFxDissolve7(&dst, &src, &p, &r, &r, 128, 1024);
    EXPECT_EQ(dst.GetPixel(1, 1), 0x808080u);
    SoftFxPatternDissolve(&spiral, &src, &p, &r, &r, 64, 1024);
    EXPECT_EQ(spiral.GetPixel(2, 3), 0x404040u);
    CTestSurface keyed(4, 4, 24);
    keyed.SetColorKeyEnabled(true);
    for (int i = 0; i < 16; ++i) keyed.SetPixel(i % 4, i / 4, 0xFFFFFF);
    CTestSurface d2(4, 4, 24);
    SoftFxDissolve7(&d2, &keyed, &p, &r, &r, 255, 1024);
    SoftFxPatternDissolve(&d2, &keyed, &p, &r, &r, 255, 1024);
    SoftFxBlockDissolve(&d2, &keyed, &p, &r, &r, 255, 1024);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(d2.GetPixel(i % 4, i / 4), 0u);
    EXPECT_EQ(d2.LockCount(), d2.UnlockCount());
}
