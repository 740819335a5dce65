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
void Draw(int mode, CTestSurface& dst, CTestSurface& src, SPoint p, SRect sr, SRect clip, int opacity, int param) {
    CSurfaceEffectBlitter().DrawEffect(mode, &dst, &src, &p, &sr, &clip, opacity, param);
}
}  // namespace

TEST(SoftFxJitter, AmountZeroIsAPlainBlit) {
    for (int mode : {12, 13, 14}) {
        for (int amount : {0, -3}) {
            auto src = MakeRandom(10, 8, 16, 1);
            auto dst = MakeRandom(20, 20, 16, 2);
            Draw(mode, *dst, *src, {4, 5}, {0, 0, 10, 8}, {0, 0, 20, 20}, 255, amount);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 10; ++x) ASSERT_TRUE(PixelsEqual(*dst, 4 + x, 5 + y, *src, x, y));
            // The blit notifies, then the wrapper.
            ASSERT_EQ(dst->notes.size(), 2u);
            EXPECT_EQ(dst->notes[1].drawn, (SRect{4, 5, 14, 13}));
        }
    }
}

// Amount 1: every draw is 0, so runs are 2 long and the step is 1.
TEST(SoftFxJitter, AmountOneShiftsByOne) {
    auto src = MakeRandom(8, 4, 32, 3);
    CTestSurface rows(12, 6, 32), pairs(12, 6, 32), cols(6, 12, 32);
    Draw(13, rows, *src, {2, 1}, {0, 0, 4, 4}, {0, 0, 12, 6}, 255, 1);
    Draw(12, pairs, *src, {2, 1}, {0, 0, 4, 4}, {0, 0, 12, 6}, 255, 1);
    for (int y = 0; y < 4; ++y) {
        // Row runs: x writes dx and dx + 1 from source x + 1, for x = 0..4.
        for (int c = 0; c <= 4; ++c) EXPECT_TRUE(PixelsEqual(rows, 2 + c, 1 + y, *src, c + 1, y)) << c;
        EXPECT_TRUE(PixelsEqual(rows, 7, 1 + y, *src, 5, y));
        EXPECT_EQ(rows.GetPixel(8, 1 + y), 0u);
        EXPECT_EQ(rows.GetPixel(1, 1 + y), 0u);
        // Pairs: x writes dx and dx + 2 from source x + 1.
        EXPECT_TRUE(PixelsEqual(pairs, 2, 1 + y, *src, 1, y));
        EXPECT_TRUE(PixelsEqual(pairs, 8, 1 + y, *src, 5, y));
    }
    auto tall = MakeRandom(4, 8, 32, 4);
    Draw(14, cols, *tall, {1, 2}, {0, 0, 4, 4}, {0, 0, 6, 12}, 255, 1);
    for (int x = 0; x < 4; ++x)
        for (int r = 0; r <= 4; ++r) EXPECT_TRUE(PixelsEqual(cols, 1 + x, 2 + r, *tall, x, r + 1));
}

// Scattered pixels reach past the block; the notification holds all of them.
TEST(SoftFxJitter, ReportHoldsEveryScatteredPixel) {
    BuildBlendTables();
    uint64_t sum = 0;
    for (int depth : kDepths) {
        for (int mode : {12, 13, 14}) {
            for (int amount : {1, 2, 5, 17, 64}) {
                for (int kind = 0; kind < 3; ++kind) {
                    const uint32_t seed = uint32_t(depth * 1000 + mode * 100 + amount + kind * 7);
                    SCOPED_TRACE("seed " + std::to_string(seed));
                    CSeedScope scope(seed);
                    auto src = MakeRandom(40, 40, depth, seed);
                    if (kind == 1) {
                        src->SetColorKeyEnabled(true);
                        src->SetColorKey(src->GetPixel(3, 3));
                    } else if (kind == 2) {
                        src->MakeAlphaPlane();
                        src->SetAlphaEnabled(true);
                        FillAlphaRandom(*src, seed);
                    }
                    auto dst = MakeRandom(120, 120, depth, seed + 1);
                    const auto before = Snapshot(*dst);
                    Draw(mode, *dst, *src, {40, 40}, {10, 10, 30, 30}, {0, 0, 120, 120}, kind == 0 ? 255 : 200,
                         amount);
                    ASSERT_EQ(dst->notes.size(), 1u);
                    const SRect report = dst->notes[0].drawn;
                    ASSERT_EQ(ChangesOutside(before, *dst, report), "");
                    CSurfaceEffectBlitter blitter;
                    const SPoint p{40, 40};
                    const SRect sr{10, 10, 30, 30}, clip{0, 0, 120, 120};
                    ASSERT_EQ(blitter.GetEffectRect(mode, dst.get(), src.get(), &p, &sr, &clip, 255, amount), report);
                    sum += Checksum(dst->Bytes());
                }
            }
        }
    }
    EXPECT_NE(sum, 0u);
}

TEST(SoftFxJitter, SeededRunsRepeatAndClipsHold) {
    for (int mode : {12, 13, 14}) {
        std::vector<uint8_t> first;
        for (int run = 0; run < 2; ++run) {
            CSeedScope scope(4242);
            auto src = MakeRandom(30, 30, 24, 9);
            auto dst = MakeRandom(50, 50, 24, 10);
            const auto before = Snapshot(*dst);
            const SRect clip{12, 14, 33, 31};
            Draw(mode, *dst, *src, {10, 10}, {0, 0, 30, 30}, clip, 255, 9);
            EXPECT_EQ(ChangesOutside(before, *dst, clip), "");
            if (run == 0) first = dst->Bytes();
            else EXPECT_EQ(dst->Bytes(), first);
        }
    }
}

TEST(SoftFxJitter, KeysAndAlphaSkipTheirPixels) {
    BuildBlendTables();
    // A keyed source whose pixels differ from the key only outside the colour bits (the
    // top bit at 15 bits, the X byte at 32): skipped by the copy, drawn by the blend.
    struct SKeyCase {
        int depth;
        uint32_t key, pixel;
    };
    // 15 bits: blue 31 -> 0x001F.
    for (const SKeyCase& k : {SKeyCase{15, 0x0000F8, 0x801F}, SKeyCase{32, 0x102030, 0xFF102030}}) {
        CTestSurface src(8, 1, k.depth);
        src.SetColorKeyEnabled(true);
        src.SetColorKey(k.key);
        const int bytes = BytesPerPixel(k.depth);
        for (int x = 0; x < 8; ++x) std::memcpy(src.Bytes().data() + bytes * x, &k.pixel, bytes);
        CTestSurface copy(8, 1, k.depth), blend(8, 1, k.depth);
        Draw(13, copy, src, {0, 0}, {0, 0, 8, 1}, {0, 0, 8, 1}, 255, 3);
        Draw(13, blend, src, {0, 0}, {0, 0, 8, 1}, {0, 0, 8, 1}, 200, 3);
        for (int x = 0; x < 8; ++x) EXPECT_EQ(copy.GetPixel(x, 0), 0u) << k.depth;
        bool any = false;
        for (int x = 0; x < 8; ++x) any = any || blend.GetPixel(x, 0) != 0;
        EXPECT_TRUE(any) << k.depth;
        // Pair jitter takes opaque sources only.
        CTestSurface d2(8, 1, k.depth);
        Draw(12, d2, src, {0, 0}, {0, 0, 8, 1}, {0, 0, 8, 1}, 255, 3);
        for (int x = 0; x < 8; ++x) EXPECT_EQ(d2.GetPixel(x, 0), 0u) << k.depth;
    }
    // Alpha sources show only fully opaque pixels.
    CTestSurface a(8, 1, 32), d3(8, 1, 32);
    a.MakeAlphaPlane();
    a.SetAlphaEnabled(true);
    for (int x = 0; x < 8; ++x) {
        a.SetPixel(x, 0, 0xFFFFFF);
        a.SetAlpha(x, 0, 254);
    }
    Draw(13, d3, a, {0, 0}, {0, 0, 8, 1}, {0, 0, 8, 1}, 255, 3);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(d3.GetPixel(x, 0), 0u);
}

TEST(SoftFxJitter, HugeAmountsStayBounded) {
    auto src = MakeRandom(16, 16, 16, 1);
    auto dst = MakeRandom(32, 32, 16, 2);
    const auto before = Snapshot(*dst);
    for (int mode : {12, 13, 14}) Draw(mode, *dst, *src, {8, 8}, {0, 0, 16, 16}, {0, 0, 32, 32}, 255, INT32_MAX);
    EXPECT_TRUE(dst->GuardsIntact());
    EXPECT_EQ(ChangesOutside(before, *dst, SRect{0, 0, 32, 32}), "");
}
