#include <gtest/gtest.h>

#include <algorithm>

#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFxBlitter.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "tests/engine/soft/effect/single/EffectTestUtil.h"

using namespace fxtest;

namespace {
void Draw(int mode, CTestSurface& dst, CTestSurface& src, SPoint p, SRect sr, SRect clip, int opacity, int param) {
    CSurfaceEffectBlitter().DrawEffect(mode, &dst, &src, &p, &sr, &clip, opacity, param);
}
}  // namespace

TEST(SoftFxBlinds, BandsShowTheirFirstRows) {
    for (int depth : kDepths) {
        auto src = MakeRandom(70, 80, depth, 1);
        auto dst = MakeRandom(90, 90, depth, 2);
        const auto before = Snapshot(*dst);
        // progress 300: 9 rows of every band of 32.
        Draw(5, *dst, *src, {5, 3}, {0, 0, 70, 70}, {0, 0, 90, 90}, 255, 300);
        for (int y = 0; y < 70; ++y) {
            const bool shown = y % 32 < 9;
            for (int x = 0; x < 70; x += 7) {
                if (shown) ASSERT_TRUE(PixelsEqual(*dst, 5 + x, 3 + y, *src, x, y)) << y;
                else ASSERT_TRUE(SamePixel(before, dst->Bytes(), *dst, 5 + x, 3 + y)) << y;
            }
        }
        // One notification per band, then the effect's own.
        EXPECT_EQ(dst->notes.size(), 3u + 1u);
        EXPECT_EQ(ChangesOutside(before, *dst, NotedUnion(*dst)), "");
    }
}

TEST(SoftFxBlinds, BelowOneBandNothingAndFullShowsAll) {
    auto src = MakeRandom(40, 40, 16, 3);
    auto dst = MakeRandom(40, 40, 16, 4);
    const auto before = Snapshot(*dst);
    Draw(5, *dst, *src, {0, 0}, {0, 0, 40, 40}, {0, 0, 40, 40}, 255, 31);
    Draw(6, *dst, *src, {0, 0}, {0, 0, 40, 40}, {0, 0, 40, 40}, 255, -100);
    EXPECT_EQ(dst->Bytes(), before);
    EXPECT_EQ(dst->notes.size(), 2u + 1u + 2u + 1u);
    for (int mode : {5, 6}) {
        for (int progress : {1023, 1024, 4096}) {
            auto d = MakeRandom(40, 40, 16, 4);
            Draw(mode, *d, *src, {0, 0}, {0, 0, 40, 40}, {0, 0, 40, 40}, 255, progress);
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 40; ++x) ASSERT_TRUE(PixelsEqual(*d, x, y, *src, x, y));
        }
    }
}

// A block whose height (width) is not a multiple of 32: the last band is a whole band
// too and shows the source rows (columns) below the block as far as the source surface
// has them.  Every destination pixel is checked against the bands as drawn by hand, and
// the effect's report holds them all.
TEST(SoftFxBlinds, LastBandRunsOnPastTheBlock) {
    struct SCase {
        SRect block;  // source rectangle in a 100 x 100 source
        int progress;
    };
    // s = 20 (12 lines past the block), s = 32 (the source's edge cuts the overhang at
    // line 40 of the block's 40 + 32), s = 8 (the last band ends inside the block).
    const SCase cases[] = {{{10, 10, 50, 50}, 640}, {{0, 60, 40, 100}, 1024}, {{10, 10, 50, 50}, 256}};
    for (int mode : {5, 6}) {
        for (const SCase& c : cases) {
            for (int depth : kDepths) {
                const bool vertical = mode == 6;
                SRect block = c.block;
                if (vertical) block = SRect{block.top, block.left, block.bottom, block.right};
                auto src = MakeRandom(100, 100, depth, 5);
                auto dst = MakeRandom(120, 130, depth, 6);
                const auto before = Snapshot(*dst);
                const SPoint at{20, 20};
                Draw(mode, *dst, *src, at, block, {0, 0, 120, 130}, 255, c.progress);
                const int s = c.progress >> 5;
                const int length = vertical ? block.right - block.left : block.bottom - block.top;
                const int start = vertical ? block.left : block.top;
                int far = 0;  // one past the last line drawn, counted from the block's start
                for (int y = 0; y < 130; ++y) {
                    for (int x = 0; x < 120; ++x) {
                        const int along = vertical ? x - at.x : y - at.y;
                        const int across = vertical ? y - at.y : x - at.x;
                        const int acrossSize = vertical ? block.bottom - block.top : block.right - block.left;
                        // Line `along` belongs to band along / 32, whose first s lines show
                        // when the band starts inside the block and the source has the line.
                        const bool shown = along >= 0 && across >= 0 && across < acrossSize && along / 32 * 32 < length &&
                                           along % 32 < s && start + along < 100;
                        const int sx = vertical ? block.left + along : block.left + across;
                        const int sy = vertical ? block.top + across : block.top + along;
                        if (shown) {
                            far = std::max(far, along + 1);
                            ASSERT_TRUE(PixelsEqual(*dst, x, y, *src, sx, sy))
                                << "mode " << mode << " depth " << depth << " at " << x << "," << y;
                        } else {
                            ASSERT_TRUE(SamePixel(before, dst->Bytes(), *dst, x, y))
                                << "mode " << mode << " depth " << depth << " at " << x << "," << y;
                        }
                    }
                }
                const SRect reported = dst->notes.back().drawn;
                EXPECT_EQ(vertical ? reported.right : reported.bottom, (vertical ? at.x : at.y) + std::max(far, length))
                    << "mode " << mode << " p " << c.progress;
                EXPECT_EQ(ChangesOutside(before, *dst, reported), "");
                SRect rect = block;
                const SPoint p = at;
                const SRect clip{0, 0, 120, 130};
                EXPECT_EQ(CSurfaceEffectBlitter().GetEffectRect(mode, dst.get(), src.get(), &p, &rect, &clip, 255,
                                                                c.progress),
                          reported);
            }
        }
    }
}

TEST(SoftFxBoxBlur, OffsetsAndOpacity) {
    BuildBlendTables();
    // N = 1 and below: one plain blit at full opacity.
    for (int n : {1, 0, -4}) {
        auto src = MakeRandom(10, 10, 24, 1);
        auto dst = MakeRandom(20, 20, 24, 2);
        Draw(10, *dst, *src, {5, 5}, {0, 0, 10, 10}, {0, 0, 20, 20}, 255, n);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) ASSERT_TRUE(PixelsEqual(*dst, 5 + x, 5 + y, *src, x, y));
    }
    // N = 2: a single white pixel over black spreads into the 2x2 pixels at offsets -1
    // and 0, each blit at opacity / 4 over the ones before: the last blit leaves 63 at
    // (4, 4); the first one's 63 at (3, 3) is darkened by the three black blits after it.
    CTestSurface src(3, 3, 32), dst(8, 8, 32);
    src.SetPixel(1, 1, 0xFFFFFF);
    Draw(10, dst, src, {3, 3}, {0, 0, 3, 3}, {0, 0, 8, 8}, 255, 2);
    EXPECT_EQ(dst.GetPixel(4, 4), 0x3F3F3Fu);
    EXPECT_EQ(dst.GetPixel(3, 3), 0x1A1A1Au);  // 63 -> 47 -> 35 -> 26
    // Rows of offsets outside, columns inside: the white blit at (0, -1) comes second and
    // two black ones darken it, the one at (-1, 0) third and one black one after it.
    EXPECT_EQ(dst.GetPixel(4, 3), 0x232323u);  // 63 -> 47 -> 35
    EXPECT_EQ(dst.GetPixel(3, 4), 0x2F2F2Fu);  // 63 -> 47
    EXPECT_EQ(dst.GetPixel(5, 5), 0u);
    EXPECT_EQ(dst.GetPixel(2, 2), 0u);
    // N * N above the opacity: every blit has opacity 0 and nothing changes.
    auto s2 = MakeRandom(10, 10, 16, 8);
    auto d2 = MakeRandom(20, 20, 16, 9);
    const auto before = Snapshot(*d2);
    Draw(10, *d2, *s2, {5, 5}, {0, 0, 10, 10}, {0, 0, 20, 20}, 255, 16);
    EXPECT_EQ(d2->Bytes(), before);
}

TEST(SoftFxBoxBlur, ReportedRectangle) {
    CTestSurface src(100, 100, 16), dst(200, 200, 16);
    const SPoint p{50, 40};
    const SRect sr{10, 10, 30, 20};
    const SRect clip{0, 0, 200, 200};
    // N = 3: shifted by (-1, -1) and grown by 3.
    EXPECT_EQ(CSurfaceEffectBlitter().GetEffectRect(10, &dst, &src, &p, &sr, &clip, 255, 3), (SRect{49, 39, 72, 52}));
    // N = 1 keeps the rule (grown by 1); N = 0 and below report the plain blit they draw.
    EXPECT_EQ(CSurfaceEffectBlitter().GetEffectRect(10, &dst, &src, &p, &sr, &clip, 255, 1), (SRect{50, 40, 71, 51}));
    EXPECT_EQ(CSurfaceEffectBlitter().GetEffectRect(10, &dst, &src, &p, &sr, &clip, 255, 0), (SRect{50, 40, 70, 50}));
    EXPECT_EQ(CSurfaceEffectBlitter().GetEffectRect(10, &dst, &src, &p, &sr, &clip, 255, -3), (SRect{50, 40, 70, 50}));
}

// At the source's right and bottom edge the grown rectangle is cut by the source; the
// report still holds every offset blit.
TEST(SoftFxBoxBlur, ReportHoldsEveryBlitAtTheSourceEdge) {
    BuildBlendTables();
    for (int n : {2, 3, 4, 5}) {
        auto src = MakeRandom(20, 20, 32, uint32_t(n));
        auto dst = MakeRandom(60, 60, 32, uint32_t(n + 10));
        const auto before = Snapshot(*dst);
        Draw(10, *dst, *src, {20, 20}, {0, 0, 20, 20}, {0, 0, 60, 60}, 255, n);
        ASSERT_EQ(dst->notes.size(), 1u);
        EXPECT_EQ(ChangesOutside(before, *dst, dst->notes[0].drawn), "") << "N " << n;
        // Right and bottom reach the last offset: 20 + 20 + (n - n / 2 - 1).
        EXPECT_GE(dst->notes[0].drawn.right, 40 + (n - n / 2 - 1));
    }
}

TEST(SoftFxMosaic, BlocksAnchoredAtTheDestinationPoint) {
    BuildBlendTables();
    // N = 4 at the clip's top-left: block edges 2 pixels before every multiple of 4 from
    // the anchor, the first block column and row 2 pixels wide, each block sampled at
    // its top-left pixel, copied at 255 and blended below.
    auto sampleOf = [](int v) { return v < 2 ? 0 : ((v - 2) / 4) * 4 + 2; };
    for (int depth : kDepths) {
        for (int opacity : {255, 1, 100, 254}) {
            auto src = MakeRandom(16, 16, depth, 21);
            auto dst = MakeRandom(16, 16, depth, 22);
            auto want = Snapshot(*dst);
            Draw(11, *dst, *src, {0, 0}, {0, 0, 16, 16}, {0, 0, 16, 16}, opacity, 4);
            for (int y = 0; y < 16; ++y) {
                // Rows after the last whole band take the first row of the rest.
                const int sy = y >= 14 ? 14 : sampleOf(y);
                for (int x = 0; x < 16; ++x) {
                    BlendInto(want, *dst, x, y, PixelAt(src->Bytes(), *src, sampleOf(x), sy), opacity);
                }
            }
            EXPECT_EQ(dst->Bytes(), want) << "depth " << depth << " opacity " << opacity;
        }
    }
}

TEST(SoftFxMosaic, SizeOneCopiesSizeZeroBlits) {
    for (int depth : kDepths) {
        auto src = MakeRandom(9, 7, depth, 31);
        auto a = MakeRandom(9, 7, depth, 32);
        Draw(11, *a, *src, {0, 0}, {0, 0, 9, 7}, {0, 0, 9, 7}, 255, 1);
        auto b = MakeRandom(9, 7, depth, 32);
        Draw(11, *b, *src, {0, 0}, {0, 0, 9, 7}, {0, 0, 9, 7}, 255, 0);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 9; ++x) {
                ASSERT_TRUE(PixelsEqual(*a, x, y, *src, x, y));
                ASSERT_TRUE(PixelsEqual(*b, x, y, *src, x, y));
            }
        // Size 0 blits through Blt, which notifies, then the effect notifies.
        EXPECT_EQ(b->notes.size(), 2u);
        EXPECT_EQ(a->notes.size(), 1u);
    }
}

TEST(SoftFxMosaic, ShortClipRepeatsTheFirstRowAndBlends) {
    BuildBlendTables();
    auto src = MakeRandom(8, 8, 16, 41);
    auto dst = MakeRandom(8, 8, 16, 42);
    Draw(11, *dst, *src, {0, 0}, {0, 0, 8, 8}, {0, 0, 8, 3}, 255, 4);
    for (int y = 0; y < 3; ++y) EXPECT_TRUE(PixelsEqual(*dst, 5, y, *src, 2 + 4 * ((5 - 2) / 4), 0));
    // Opacity 0 draws nothing.
    auto d2 = MakeRandom(8, 8, 16, 43);
    const auto before = Snapshot(*d2);
    Draw(11, *d2, *src, {0, 0}, {0, 0, 8, 8}, {0, 0, 8, 8}, 0, 4);
    EXPECT_EQ(d2->Bytes(), before);
    // Colour-keyed sources draw nothing.
    auto keyed = MakeRandom(8, 8, 16, 44);
    keyed->SetColorKeyEnabled(true);
    Draw(11, *d2, *keyed, {0, 0}, {0, 0, 8, 8}, {0, 0, 8, 8}, 255, 4);
    EXPECT_EQ(d2->Bytes(), before);
}
