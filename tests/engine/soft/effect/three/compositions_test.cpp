// The composition modes between their ends: each is the first source's block as an
// opaque background (where the mode has one) and then single-surface effect passes with
// the opacity and parameter the mode gives them.  Every mode is drawn on seeded
// pictures and compared byte for byte with those passes made one by one; the passes
// themselves are checked against scalar models in the single-surface tests.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "engine/base/Random.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFx3Blitter.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "tests/engine/soft/effect/three/FxSurface.h"
#include "tests/support/TestSupport.h"

using namespace fx3_test;

namespace compositions_test {

using Effect = void (*)(CSoftSurface*, CSoftSurface*, const SPoint*, const SRect*, const SRect*, int, int);

// Blocks whose height and width are not multiples of 32, in sources that reach past
// them, so that the blinds' last band has source lines to show past the block.
constexpr SPoint kDstPt{6, 5}, kSrc1Pt{2, 4}, kSrc2Pt{7, 1};
constexpr SSize kSize{40, 45};
constexpr SRect kClip{1, 2, 78, 70};
constexpr SRect kBlock1{2, 4, 42, 49}, kBlock2{7, 1, 47, 46};

SScene MakeScene(int depth, uint32_t seed) {
    std::mt19937 rng(seed);
    return SScene{MakeFilledSurface(80, 72, depth, 0x6B, 2), MakeRandomSurface(rng, 70, 70, depth, 1),
                  MakeRandomSurface(rng, 72, 68, depth, 3)};
}

// The mode drawn through the blitter.
std::vector<uint8_t> Drawn(int mode, int depth, int p, uint32_t seed) {
    SScene s = MakeScene(depth, seed);
    CRandom::SetDefaultSeedForTests(seed);
    CEffectBlitter().DrawEffect3(mode, s.dst.get(), s.a.get(), s.b.get(), &kDstPt, &kSrc1Pt, &kSrc2Pt, &kSize,
                                 &kClip, p);
    testsupport::RestoreTestSeed();
    return s.dst->Snapshot();
}

// The same pictures with the passes made by hand: `passes` gets the scene.
std::vector<uint8_t> Passes(int depth, uint32_t seed, const std::function<void(SScene&)>& passes) {
    SScene s = MakeScene(depth, seed);
    CRandom::SetDefaultSeedForTests(seed);
    passes(s);
    testsupport::RestoreTestSeed();
    return s.dst->Snapshot();
}

void Background(SScene& s) { s.dst->Blt(s.a.get(), &kDstPt, &kBlock1, &kClip, 256, 0); }

void Pass(SScene& s, Effect effect, bool second, int opacity, int param) {
    effect(s.dst.get(), (second ? s.b : s.a).get(), &kDstPt, second ? &kBlock2 : &kBlock1, &kClip, opacity, param);
}

std::string Where(int mode, int depth, int p) {
    return "mode " + std::to_string(mode) + " depth " + std::to_string(depth) + " p " + std::to_string(p);
}

class Compositions : public ::testing::Test {
protected:
    void SetUp() override { BuildBlendTables(); }
};

// Mode 4: vertical blinds at opacity 256; 9: horizontal blinds at p >> 2; 10: vertical
// blinds at p >> 2.  At p = 640 each band shows 20 lines: the second band runs 12 lines
// past the block's end.
TEST_F(Compositions, BlindsModes) {
    struct SMode {
        int mode;
        Effect blinds;
        bool blended;
    };
    const SMode modes[] = {{4, SoftFxBlindsV, false}, {9, SoftFxBlindsH, true}, {10, SoftFxBlindsV, true}};
    for (const SMode& m : modes) {
        for (int depth : {15, 16, 24, 32}) {
            for (int p : {300, 640}) {
                const uint32_t seed = static_cast<uint32_t>(m.mode * 1000 + depth + p);
                const auto want = Passes(depth, seed, [&](SScene& s) {
                    Background(s);
                    Pass(s, m.blinds, true, m.blended ? p >> 2 : 256, p);
                });
                EXPECT_EQ(Drawn(m.mode, depth, p, seed), want) << Where(m.mode, depth, p);
                if (p != 640) continue;
                // The last band reaches past the block.
                const auto background = Passes(depth, seed, Background);
                SScene got = MakeScene(depth, seed);
                std::copy(want.begin(), want.end(), got.dst->Bytes().begin());
                const SRect block{kDstPt.x, kDstPt.y, kDstPt.x + kSize.cx, kDstPt.y + kSize.cy};
                EXPECT_NE(CompareOutside(*got.dst, background, block), "") << Where(m.mode, depth, p);
            }
        }
    }
}

// Modes 18, 19, 20: the dissolves of the single-surface blitter over the background,
// at opacity p >> 2 and progress p.
TEST_F(Compositions, DissolveModes) {
    const std::pair<int, Effect> modes[] = {
        {18, SoftFxDissolve7}, {19, SoftFxPatternDissolve}, {20, SoftFxBlockDissolve}};
    for (const auto& m : modes) {
        const int mode = m.first;
        const Effect dissolve = m.second;
        for (int depth : {15, 16, 24, 32}) {
            for (int p : {300, 600}) {
                const uint32_t seed = static_cast<uint32_t>(mode * 1000 + depth + p);
                const auto want = Passes(depth, seed, [&](SScene& s) {
                    Background(s);
                    Pass(s, dissolve, true, p >> 2, p);
                });
                EXPECT_EQ(Drawn(mode, depth, p, seed), want) << Where(mode, depth, p);
                EXPECT_NE(want, Passes(depth, seed, Background)) << Where(mode, depth, p) << ": nothing dissolved";
            }
        }
    }
}

// Mode 21: the first source's mosaic of size p >> 3 up to the middle, then the second
// source's of size (1024 - p) >> 3: size 63 at p = 511, 64 at p = 512.
TEST_F(Compositions, MosaicSwapsPicturesAtTheMiddle) {
    for (int depth : {15, 16, 24, 32}) {
        for (int p : {200, 511, 512, 800}) {
            const uint32_t seed = static_cast<uint32_t>(21000 + depth + p);
            const auto want = Passes(depth, seed, [&](SScene& s) {
                if (p < 512) Pass(s, SoftFxMosaic, false, 256, p >> 3);
                else Pass(s, SoftFxMosaic, true, 256, (1024 - p) >> 3);
            });
            EXPECT_EQ(Drawn(21, depth, p, seed), want) << Where(21, depth, p);
        }
        // The mosaic's sizes, spelt out rather than computed.
        EXPECT_EQ(Drawn(21, depth, 511, 7), Passes(depth, 7, [](SScene& s) { Pass(s, SoftFxMosaic, false, 256, 63); }));
        EXPECT_EQ(Drawn(21, depth, 512, 7), Passes(depth, 7, [](SScene& s) { Pass(s, SoftFxMosaic, true, 256, 64); }));
    }
}

// Mode 22: both mosaics, the second at opacity (p >> 2) + (p >> 1) - 256: nothing below
// p = 342 (0 there), opaque from p = 682 (255).
TEST_F(Compositions, MosaicOfBothWithARisingSecondPass) {
    for (int depth : {15, 16, 24, 32}) {
        for (int p : {342, 500, 682}) {
            const uint32_t seed = static_cast<uint32_t>(22000 + depth + p);
            const auto want = Passes(depth, seed, [&](SScene& s) {
                Pass(s, SoftFxMosaic, false, 256, p >> 3);
                Pass(s, SoftFxMosaic, true, (p >> 2) + (p >> 1) - 256, (1024 - p) >> 3);
            });
            EXPECT_EQ(Drawn(22, depth, p, seed), want) << Where(22, depth, p);
        }
        // At 342 the second pass adds nothing; at 682 it covers the first.
        const auto first = Passes(depth, 9, [](SScene& s) { Pass(s, SoftFxMosaic, false, 256, 342 >> 3); });
        EXPECT_EQ(Drawn(22, depth, 342, 9), first) << "depth " << depth;
        const auto second = Passes(depth, 9, [](SScene& s) { Pass(s, SoftFxMosaic, true, 255, (1024 - 682) >> 3); });
        EXPECT_EQ(Drawn(22, depth, 682, 9), second) << "depth " << depth;
    }
}

}  // namespace compositions_test
