// The mask blend through a rule image, against a model of its weights and mix.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "engine/image/MaskImage.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFxMaskBlend.h"
#include "tests/engine/soft/effect/three/FxSurface.h"

using namespace fx3_test;

namespace {

int ModelWeight(int t, int progress, int r) {
    const int P = ((t + 256) * progress) / 1024;
    const int q = (P * 256 - r * 256) / (t + 1);
    return q < 0 ? 0 : q > 255 ? 255 : q;
}

std::vector<uint8_t> ModelPixel(int depth, const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                                const std::vector<uint8_t>& old, int w) {
    if (w == 0 || a == b) return a;
    if (w == 255) return b;
    if (depth == 15 || depth == 16) {
        uint16_t pa, pb;
        std::memcpy(&pa, a.data(), 2);
        std::memcpy(&pb, b.data(), 2);
        const uint16_t* table = depth == 16 ? BlendTable565 : BlendTable555;
        const uint16_t r = static_cast<uint16_t>(table[((255 - w) >> 3) * 65536 + pa] + table[(w >> 3) * 65536 + pb]);
        return {static_cast<uint8_t>(r), static_cast<uint8_t>(r >> 8)};
    }
    std::vector<uint8_t> out = old;
    for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>(ProductTable[(255 - w) * 256 + a[c]] + ProductTable[w * 256 + b[c]]);
    return out;
}

class MaskBlend : public ::testing::Test {
protected:
    void SetUp() override { BuildBlendTables(); }

    // A rule image of w x h with seeded values (a ramp when ramp is set).
    static CMaskImage MakeRule(int w, int h, uint32_t seed, int threshold, bool ramp = false) {
        CMaskImage m;
        m.Create(w, h);
        std::mt19937 rng(seed);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                m.GetBits()[y * m.GetPitch() + x] =
                    static_cast<uint8_t>(ramp ? (x + y * w) & 255 : std::uniform_int_distribution<int>(0, 255)(rng));
        m.SetThreshold(threshold);
        return m;
    }
};

TEST_F(MaskBlend, MatchesTheModel) {
    for (int depth : {15, 16, 24, 32}) {
        for (int threshold : {0, 2, 15, 128, 255}) {
            for (int progress : {0, 1, 100, 512, 777, 1000, 1024}) {
                const uint32_t seed = static_cast<uint32_t>(depth * 100000 + threshold * 1000 + progress);
                std::mt19937 rng(seed);
                CMaskImage rule = MakeRule(30, 20, seed, threshold);
                auto dst = MakeRandomSurface(rng, 25, 15, depth, 3, false, true);
                auto a = MakeRandomSurface(rng, 25, 15, depth, 1, false, true);
                auto b = MakeRandomSurface(rng, 25, 15, depth, 2, false, true);
                const SPoint dp{3, 2}, ap{5, 1}, bp{0, 4}, origin{1, 0};
                const SSize size{19, 10};  // not a multiple of 8
                const auto before = dst->Snapshot();
                std::vector<std::vector<uint8_t>> want;
                for (int y = 0; y < size.cy; ++y)
                    for (int x = 0; x < size.cx; ++x) {
                        const int m = rule.GetBits()[(dp.y - origin.y + y) * rule.GetPitch() + dp.x - origin.x + x];
                        want.push_back(ModelPixel(depth, a->PixelBytes(ap.x + x, ap.y + y), b->PixelBytes(bp.x + x, bp.y + y),
                                                  dst->PixelBytes(dp.x + x, dp.y + y), ModelWeight(threshold, progress, m)));
                    }
                const SoftFxRuleRef ref{&rule};
                ref.SoftFxMaskBlend(dst.get(), a.get(), b.get(), &dp, &ap, &bp, &origin, &size, progress);
                for (int y = 0; y < size.cy; ++y)
                    for (int x = 0; x < size.cx; ++x)
                        ASSERT_EQ(dst->PixelBytes(dp.x + x, dp.y + y), want[static_cast<size_t>(y * size.cx + x)])
                            << "seed " << seed << " pixel " << x << "," << y;
                EXPECT_EQ(CompareOutside(*dst, before, SRect{3, 2, 22, 12}), "") << "seed " << seed;
            }
        }
    }
}

TEST_F(MaskBlend, WeightsAcrossTheSoftEdgeAndAHardEdge) {
    // t = 15, progress 512: P = 135, rule value 127 mixes at 128.
    EXPECT_EQ(ModelWeight(15, 512, 119), 255);
    EXPECT_EQ(ModelWeight(15, 512, 120), 240);
    EXPECT_EQ(ModelWeight(15, 512, 127), 128);
    EXPECT_EQ(ModelWeight(15, 512, 134), 16);
    EXPECT_EQ(ModelWeight(15, 512, 135), 0);
    uint8_t w[256];
    SoftFxBuildRuleWeights(w, 15, 255, 512);
    EXPECT_EQ(w[127], 128);
    EXPECT_EQ(w[120], 240);
    // t = 0: a hard edge at progress / 4.
    SoftFxBuildRuleWeights(w, 0, 255, 400);
    EXPECT_EQ(w[99], 255);
    EXPECT_EQ(w[100], 0);
}

TEST_F(MaskBlend, EndsAreTheSources) {
    std::mt19937 rng(4);
    CMaskImage rule = MakeRule(16, 16, 4, 40, true);
    for (int depth : {15, 16, 24, 32}) {
        auto dst = MakeFilledSurface(16, 16, depth, 0x11);
        auto a = MakeRandomSurface(rng, 16, 16, depth);
        auto b = MakeRandomSurface(rng, 16, 16, depth);
        const SPoint o{};
        const SSize size{16, 16};
        const SoftFxRuleRef ref{&rule};
        ref.SoftFxMaskBlend(dst.get(), a.get(), b.get(), &o, &o, &o, &o, &size, 0);
        EXPECT_EQ(CompareBlock(*dst, SRect{0, 0, 16, 16}, *a, o), "") << depth;
        ref.SoftFxMaskBlend(dst.get(), a.get(), b.get(), &o, &o, &o, &o, &size, 1024);
        EXPECT_EQ(CompareBlock(*dst, SRect{0, 0, 16, 16}, *b, o), "") << depth;
    }
}

TEST_F(MaskBlend, RefusesBlocksOutsideTheRuleOrSurfaces) {
    std::mt19937 rng(8);
    CMaskImage rule = MakeRule(8, 8, 8, 10);
    auto dst = MakeFilledSurface(16, 16, 16, 0x11);
    auto a = MakeRandomSurface(rng, 16, 16, 16);
    auto b = MakeRandomSurface(rng, 16, 16, 16);
    auto b32 = MakeRandomSurface(rng, 16, 16, 32);
    const auto before = dst->Snapshot();
    const SPoint o{}, shifted{4, 0};
    const SSize size{8, 8}, tooBig{17, 2};
    const SoftFxRuleRef ref{&rule};
    ref.SoftFxMaskBlend(dst.get(), a.get(), b.get(), &shifted, &o, &o, &o, &size, 512);  // past the rule's right edge
    ref.SoftFxMaskBlend(dst.get(), a.get(), b.get(), &o, &o, &o, &o, &tooBig, 512);
    ref.SoftFxMaskBlend(dst.get(), a.get(), b32.get(), &o, &o, &o, &o, &size, 512);
    const SoftFxRuleRef empty{nullptr};
    empty.SoftFxMaskBlend(dst.get(), a.get(), b.get(), &o, &o, &o, &o, &size, 512);
    EXPECT_EQ(dst->Snapshot(), before);
}

}  // namespace
