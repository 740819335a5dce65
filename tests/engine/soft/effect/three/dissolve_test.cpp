// The 4 x 4 pattern dissolves and the random 2 x 2 dissolve.
#include <gtest/gtest.h>

#include <random>

#include "engine/base/Random.h"
#include "engine/soft/effect/SoftFx3Kernels.h"
#include "tests/engine/soft/effect/three/FxSurface.h"
#include "tests/support/TestSupport.h"

using namespace fx3_test;

namespace {

constexpr int kOrdered[16] = {192, 576, 64, 704, 832, 448, 960, 320, 64, 704, 192, 576, 960, 320, 832, 448};
constexpr int kSpiral[16] = {32, 96, 160, 224, 736, 800, 864, 288, 672, 992, 928, 352, 608, 544, 480, 416};

TEST(PatternDissolve, ThresholdTables) {
    for (int c = 0; c < 16; ++c) {
        EXPECT_EQ(SoftFx3DissolveThreshold(15, c), kOrdered[c]) << "cell " << c;
        EXPECT_EQ(SoftFx3DissolveThreshold(16, c), kSpiral[c]) << "cell " << c;
    }
}

SScene MakeScene(int depth, uint32_t seed) {
    std::mt19937 rng(seed);
    return SScene{MakeFilledSurface(24, 20, depth, 0xEE, 3), MakeRandomSurface(rng, 24, 20, depth, 1),
                  MakeRandomSurface(rng, 24, 20, depth, 0)};
}

using Dispatcher = void (*)(CSoftSurface*, CSoftSurface*, CSoftSurface*, const SPoint*, const SPoint*, const SPoint*,
                            const SSize*, const SRect*, int);

// Which source each pixel of the block shows: 1 first, 2 second, 0 neither/other.
int SourceAt(SScene& s, int x, int y, SPoint dp, SPoint ap, SPoint bp) {
    const auto d = s.dst->PixelBytes(x, y);
    const bool isA = d == s.a->PixelBytes(ap.x + x - dp.x, ap.y + y - dp.y);
    const bool isB = d == s.b->PixelBytes(bp.x + x - dp.x, bp.y + y - dp.y);
    return isA && !isB ? 1 : isB && !isA ? 2 : isA ? 3 : 0;
}

void CheckPattern(int mode, Dispatcher fn, const int* thresholds, int depth, int progress, SRect clip) {
    SScene s = MakeScene(depth, static_cast<uint32_t>(progress * 31 + depth));
    const SPoint dp{3, 2}, ap{1, 4}, bp{5, 0};
    const SSize size{17, 13};
    const auto before = s.dst->Snapshot();
    fn(s.dst.get(), s.a.get(), s.b.get(), &dp, &ap, &bp, &size, &clip, progress);
    const int p = SoftFx3ClampProgress(progress);
    SRect block{dp.x, dp.y, dp.x + size.cx, dp.y + size.cy};
    block = SRect{std::max(block.left, clip.left), std::max(block.top, clip.top), std::min(block.right, clip.right),
                  std::min(block.bottom, clip.bottom)};
    for (int y = block.top; y < block.bottom; ++y) {
        for (int x = block.left; x < block.right; ++x) {
            const int cell = ((x - dp.x) & 3) + 4 * ((y - dp.y) & 3);
            const int want = p < thresholds[cell] ? 1 : 2;
            const int got = SourceAt(s, x, y, dp, ap, bp);
            ASSERT_TRUE(got == want || got == 3)
                << "mode " << mode << " depth " << depth << " p " << progress << " at " << x << "," << y;
        }
    }
    EXPECT_EQ(CompareOutside(*s.dst, before, block), "");
}

TEST(PatternDissolve, EveryCellFollowsItsThreshold) {
    const SRect whole{0, 0, 24, 20};
    for (int depth : {15, 16, 24, 32}) {
        for (int p : {-5, 0, 31, 32, 64, 100, 192, 500, 512, 991, 992, 1022, 1023, 1024}) {
            CheckPattern(15, SoftFx3DissolvePattern4x4, kOrdered, depth, p, whole);
            CheckPattern(16, SoftFx3DissolvePattern16, kSpiral, depth, p, whole);
        }
    }
}

TEST(PatternDissolve, ClippedBlockKeepsThePatternAnchored) {
    const SRect clip{6, 5, 18, 12};
    for (int p : {64, 192, 512, 800}) {
        CheckPattern(15, SoftFx3DissolvePattern4x4, kOrdered, 16, p, clip);
        CheckPattern(16, SoftFx3DissolvePattern16, kSpiral, 32, p, clip);
    }
}

TEST(PatternDissolve, CellsShownAtTheFirstAndLastSteps) {
    // Mode 15 at p = 64: cells 2 and 8; at p = 192 also 0 and 10.
    auto shown = [](const int* t, int p) {
        std::vector<int> cells;
        for (int c = 0; c < 16; ++c)
            if (p >= t[c]) cells.push_back(c);
        return cells;
    };
    EXPECT_EQ(shown(kOrdered, 64), (std::vector<int>{2, 8}));
    EXPECT_EQ(shown(kOrdered, 192), (std::vector<int>{0, 2, 8, 10}));
    EXPECT_EQ(shown(kSpiral, 32), (std::vector<int>{0}));
    EXPECT_EQ(shown(kSpiral, 991).size(), 15u);
    EXPECT_EQ(shown(kSpiral, 992).size(), 16u);
}

TEST(PatternDissolve, RefusesKeyedFirstSourceAndMixedDepths) {
    SScene s = MakeScene(16, 1);
    auto other = MakeFilledSurface(24, 20, 32, 0);
    const auto before = s.dst->Snapshot();
    const SPoint o{};
    const SSize size{8, 8};
    const SRect clip{0, 0, 24, 20};
    SoftFx3DissolvePattern4x4(s.dst.get(), s.a.get(), other.get(), &o, &o, &o, &size, &clip, 1024);
    s.a->SetColorKeyEnabled(true);
    SoftFx3DissolvePattern16(s.dst.get(), s.a.get(), s.b.get(), &o, &o, &o, &size, &clip, 1024);
    SoftFx3DissolveRandom(s.dst.get(), s.a.get(), s.b.get(), &o, &o, &o, &size, &clip, 1024);
    EXPECT_EQ(s.dst->Snapshot(), before);
    EXPECT_EQ(s.dst->LockCount(), s.dst->UnlockCount());
    EXPECT_EQ(s.a->LockCount(), s.a->UnlockCount());
}

// The random dissolve's model: the same generator, the same order of draws.
std::vector<int> RandomModel(uint32_t seed, int w, int h, int p) {
    CRandom r(seed);
    std::vector<int> who(static_cast<size_t>(w * h));
    auto put = [&](int i, int j, int bw, int bh, bool second) {
        for (int y = j; y < j + bh; ++y)
            for (int x = i; x < i + bw; ++x) who[static_cast<size_t>(y * w + x)] = second ? 2 : 1;
    };
    const int ew = w & ~1, eh = h & ~1;
    for (int j = 0; j < eh; j += 2) {
        for (int i = 0; i < ew; i += 2) put(i, j, 2, 2, static_cast<int>(r.Random(1024)) < p);
        if (w & 1) put(ew, j, 1, 2, static_cast<int>(r.Random(1024)) < p);
    }
    if (h & 1) {
        for (int i = 0; i < ew; i += 2) put(i, eh, 2, 1, static_cast<int>(r.Random(1024)) < p);
        if (w & 1) put(ew, eh, 1, 1, static_cast<int>(r.Random(1024)) < p);
    }
    return who;
}

class RandomDissolve : public ::testing::Test {
protected:
    void TearDown() override { testsupport::RestoreTestSeed(); }
};

TEST_F(RandomDissolve, FollowsTheSeededDrawsInOrder) {
    for (int depth : {15, 16, 24, 32}) {
        for (int p : {1, 300, 512, 1000}) {
            for (SSize size : {SSize{9, 7}, SSize{8, 6}, SSize{1, 1}, SSize{13, 1}}) {
                const uint32_t seed = static_cast<uint32_t>(1000 + p + depth + size.cx);
                CRandom::SetDefaultSeedForTests(seed);
                SScene s = MakeScene(depth, seed);
                const SPoint dp{2, 3}, ap{4, 1}, bp{0, 6};
                const SRect clip{0, 0, 24, 20};
                const auto before = s.dst->Snapshot();
                SoftFx3DissolveRandom(s.dst.get(), s.a.get(), s.b.get(), &dp, &ap, &bp, &size, &clip, p);
                const std::vector<int> model = RandomModel(seed, size.cx, size.cy, p);
                for (int y = 0; y < size.cy; ++y) {
                    for (int x = 0; x < size.cx; ++x) {
                        const int got = SourceAt(s, dp.x + x, dp.y + y, dp, ap, bp);
                        const int want = model[static_cast<size_t>(y * size.cx + x)];
                        ASSERT_TRUE(got == want || got == 3) << "seed " << seed << " depth " << depth << " p " << p
                                                             << " pixel " << x << "," << y;
                    }
                }
                EXPECT_EQ(CompareOutside(*s.dst, before, SRect{dp.x, dp.y, dp.x + size.cx, dp.y + size.cy}), "")
                    << "seed " << seed;
            }
        }
    }
}

TEST_F(RandomDissolve, EndsShowOneSourceOnly) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        CRandom::SetDefaultSeedForTests(seed);
        SScene s = MakeScene(32, seed);
        const SPoint o{};
        const SSize size{24, 20};
        const SRect clip{0, 0, 24, 20};
        // At progress 0 no block shows the second picture, whatever the draws.
        SoftFx3DissolveRandom(s.dst.get(), s.a.get(), s.b.get(), &o, &o, &o, &size, &clip, 0);
        EXPECT_EQ(CompareBlock(*s.dst, clip, *s.a, o), "") << "seed " << seed;
        SoftFx3DissolveRandom(s.dst.get(), s.a.get(), s.b.get(), &o, &o, &o, &size, &clip, 1023);
        EXPECT_EQ(CompareBlock(*s.dst, clip, *s.b, o), "") << "seed " << seed;
    }
}

}  // namespace
