// Every mode of the three-surface blitter at progress 0, mid-way and 1024 on small
// seeded pictures: what it shows at the ends, that it writes nothing outside the
// rectangle it reports, and that seeded runs repeat exactly.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/base/Random.h"
#include "engine/image/MaskImage.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFx3Blitter.h"
#include "engine/soft/effect/SoftFx3Clip.h"
#include "engine/soft/effect/SoftFxKernels.h"
#include "engine/soft/effect/SoftFxRuleImages.h"
#include "tests/engine/soft/effect/three/FxSurface.h"
#include "tests/support/TestSupport.h"

using namespace fx3_test;

namespace {

constexpr uint8_t kGuardFill = 0x6B;

struct SGeometry {
    const char* name;
    SPoint dstPt, src1Pt, src2Pt;
    SSize size;
    SRect clip;
    // Where a source's own pass covers the destination (the 48 x 44 destination, a
    // 40 x 36 first and a 44 x 34 second source): the first's, the second's, and the
    // second's clipped to the whole destination only.
    SRect first, second, secondUnclipped;
};

const SGeometry kGeometries[] = {
    {"inside", {6, 5}, {2, 4}, {7, 1}, {30, 27}, {0, 0, 48, 44}, {6, 5, 36, 32}, {6, 5, 36, 32}, {6, 5, 36, 32}},
    {"clipped", {6, 5}, {2, 4}, {7, 1}, {30, 27}, {11, 9, 29, 25}, {11, 9, 29, 25}, {11, 9, 29, 25}, {6, 5, 36, 32}},
    // The second source ends at column 31, the first at 36.
    {"edges", {-4, 20}, {0, 3}, {9, 0}, {40, 40}, {0, 0, 48, 44}, {0, 20, 36, 44}, {0, 20, 31, 44}, {0, 20, 31, 44}},
    // The second source's block lies wholly outside it.
    {"outside", {6, 5}, {2, 4}, {44, 1}, {30, 27}, {0, 0, 48, 44}, {6, 5, 36, 32}, {}, {}},
    // The clip misses the block.
    {"apart", {6, 5}, {2, 4}, {7, 1}, {30, 27}, {38, 34, 48, 44}, {}, {}, {6, 5, 36, 32}},
    // A negative height whose sum with the sources' y passes the 32-bit range: nothing.
    {"negative", {6, 5}, {2, -20}, {7, -20}, {30, INT32_MIN + 10}, {0, 0, 48, 44}, {}, {}, {}},
    // A block as large as the range: every pass draws as far as its source reaches.
    {"huge", {6, 5}, {2, 4}, {7, 1}, {INT32_MAX, INT32_MAX}, {0, 0, 48, 44}, {6, 5, 44, 37}, {6, 5, 43, 38},
     {6, 5, 43, 38}},
};

struct SRun {
    std::unique_ptr<CFxSurface> dst, a, b;
    std::vector<uint8_t> before;
    SRect reported;
    uint64_t checksum = 0;
};

SRun RunMode(int mode, int depth, int progress, const SGeometry& g, uint32_t seed) {
    std::mt19937 rng(seed);
    SRun r;
    r.dst = MakeFilledSurface(48, 44, depth, kGuardFill, 2);
    r.a = MakeRandomSurface(rng, 40, 36, depth, 1);
    r.b = MakeRandomSurface(rng, 44, 34, depth, 3);
    r.before = r.dst->Snapshot();
    CRandom::SetDefaultSeedForTests(seed);
    CEffectBlitter blitter;
    r.reported = blitter.GetEffect3Rect(mode, r.dst.get(), r.a.get(), r.b.get(), &g.dstPt, &g.src1Pt, &g.src2Pt,
                                        &g.size, &g.clip, progress);
    blitter.DrawEffect3(mode, r.dst.get(), r.a.get(), r.b.get(), &g.dstPt, &g.src1Pt, &g.src2Pt, &g.size, &g.clip,
                        progress);
    testsupport::RestoreTestSeed();
    r.checksum = Fnv1a(r.dst->Snapshot());
    return r;
}

class Effect3Modes : public ::testing::Test {
protected:
    void SetUp() override {
        BuildBlendTables();
        CMaskImage& mask = GetSharedEffectMask();
        ASSERT_TRUE(mask.Create(64, 64));
        std::mt19937 rng(99);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                mask.GetBits()[y * mask.GetPitch() + x] = static_cast<uint8_t>(std::uniform_int_distribution<int>(0, 255)(rng));
        mask.SetThreshold(24);
    }
    void TearDown() override { ReleaseEffectRuleImages(); }
};

TEST_F(Effect3Modes, EveryModeAtStartMiddleAndEnd) {
    for (int depth : {15, 16, 24, 32}) {
        for (const SGeometry& g : kGeometries) {
            for (int mode = 1; mode <= 36; ++mode) {
                for (int p : {0, 300, 512, 1023, 1024}) {
                    const uint32_t seed = static_cast<uint32_t>(depth * 7919 + mode * 131 + p);
                    SRun r = RunMode(mode, depth, p, g, seed);
                    const std::string where = std::string(g.name) + " depth " + std::to_string(depth) + " mode " +
                                              std::to_string(mode) + " p " + std::to_string(p) + " seed " +
                                              std::to_string(seed) + " checksum " + std::to_string(r.checksum);
                    ASSERT_EQ(r.dst->effect3Notes.size(), 1u) << where;
                    EXPECT_EQ(r.dst->effect3Notes[0].drawn, r.reported) << where;
                    EXPECT_EQ(r.dst->effect3Notes[0].progress, p) << where;
                    // Modes 29 and 30 clip one pass to the whole destination only.
                    const SRect bound = (mode == 29 || mode == 30) ? SRect{0, 0, 48, 44} : g.clip;
                    EXPECT_TRUE(RectInside(r.reported, bound)) << where;
                    EXPECT_EQ(CompareOutside(*r.dst, r.before, r.reported), "") << where;
                    for (const auto& note : r.dst->notes) {
                        EXPECT_TRUE(RectInside(note.drawn, r.reported)) << where << " OnBlt " << RectText(note.drawn);
                    }
                    for (const auto& note : r.dst->stretchNotes) {
                        EXPECT_TRUE(RectInside(note.drawn, r.reported))
                            << where << " OnStretchBlt " << RectText(note.drawn);
                    }
                    // The ends show one source: over the block cut by both sources where
                    // the mode mixes the two pixel by pixel, elsewhere over all that
                    // source's own pass covers, past where the other source ends.
                    const SRect block = SoftFxPlaceRects3(r.dst.get(), r.a.get(), r.b.get(), &g.dstPt, &g.src1Pt,
                                                          &g.src2Pt, &g.size, &g.clip);
                    ASSERT_TRUE(RectInside(block, r.reported)) << where;
                    const bool mixes = mode == 1 || mode == 2 || (mode >= 15 && mode <= 17);
                    if (p == 0) {
                        const SRect shows = mixes ? block : g.first;
                        const SPoint from{g.src1Pt.x + shows.left - g.dstPt.x, g.src1Pt.y + shows.top - g.dstPt.y};
                        EXPECT_EQ(CompareBlock(*r.dst, shows, *r.a, from, depth == 32), "") << where;
                    } else if (p >= 1023) {
                        const SRect shows = mixes ? block : (mode == 29 || mode == 30) ? g.secondUnclipped : g.second;
                        const SPoint from{g.src2Pt.x + shows.left - g.dstPt.x, g.src2Pt.y + shows.top - g.dstPt.y};
                        EXPECT_EQ(CompareBlock(*r.dst, shows, *r.b, from, depth == 32), "") << where;
                    }
                }
            }
        }
    }
}

// The jitter modes scatter with the caller's clip: the same passes made directly with
// the single-surface jitters give the same bytes, beyond the block too.
TEST_F(Effect3Modes, JittersScatterPastTheBlockUpToTheClip) {
    using Jitter = void (*)(CSoftSurface*, CSoftSurface*, const SPoint*, const SRect*, const SRect*, int, int);
    const SGeometry g{"wide clip", {6, 5}, {2, 4}, {7, 1}, {30, 27}, {2, 3, 44, 40}, {}, {}, {}};
    const SRect blockRect{6, 5, 36, 32};
    for (int mode = 31; mode <= 36; ++mode) {
        const Jitter jitter = mode <= 32 ? SoftFxJitterRowPairs : mode <= 34 ? SoftFxJitterRows : SoftFxJitterColumns;
        const int divisor = mode <= 32 ? 4 : 2;
        for (int depth : {15, 16, 24, 32}) {
            for (int p : {200, 700}) {
                const uint32_t seed = static_cast<uint32_t>(mode * 31 + depth + p);
                SRun r = RunMode(mode, depth, p, g, seed);
                SRun model = RunMode(0, depth, p, g, seed);  // mode 0 draws nothing
                const SRect block1{2, 4, 32, 31}, block2{7, 1, 37, 28};
                CRandom::SetDefaultSeedForTests(seed);
                if (mode % 2 == 0) {
                    jitter(model.dst.get(), model.a.get(), &g.dstPt, &block1, &g.clip, 256, p / (2 * divisor));
                    jitter(model.dst.get(), model.b.get(), &g.dstPt, &block2, &g.clip, p >> 2,
                           (1024 - p) / (2 * divisor));
                } else if (p < 512) {
                    jitter(model.dst.get(), model.a.get(), &g.dstPt, &block1, &g.clip, 256, p / divisor);
                } else {
                    jitter(model.dst.get(), model.b.get(), &g.dstPt, &block2, &g.clip, 256, (1024 - p) / divisor);
                }
                testsupport::RestoreTestSeed();
                const std::string where = "mode " + std::to_string(mode) + " depth " + std::to_string(depth) +
                                          " p " + std::to_string(p);
                EXPECT_EQ(r.dst->Snapshot(), model.dst->Snapshot()) << where;
                EXPECT_NE(CompareOutside(*r.dst, r.before, blockRect), "") << where << ": nothing past the block";
                EXPECT_TRUE(RectInside(r.reported, g.clip)) << where;
            }
        }
    }
}

TEST_F(Effect3Modes, SeededRunsRepeat) {
    for (int mode : {17, 20, 31, 32, 33, 34, 35, 36}) {
        for (int p : {256, 512, 700}) {
            const SGeometry& g = kGeometries[0];
            SRun first = RunMode(mode, 32, p, g, 4242);
            SRun second = RunMode(mode, 32, p, g, 4242);
            EXPECT_EQ(first.checksum, second.checksum) << "mode " << mode << " p " << p;
        }
    }
}

TEST_F(Effect3Modes, ModesWithoutDrawingRaiseNothing) {
    for (int mode : {0, 37, -2, 1000}) {
        SRun r = RunMode(mode, 16, 512, kGeometries[0], 1);
        EXPECT_TRUE(r.dst->effect3Notes.empty()) << mode;
        EXPECT_TRUE(r.dst->notes.empty()) << mode;
        EXPECT_EQ(r.dst->Snapshot(), r.before) << mode;
    }
}

TEST_F(Effect3Modes, ClearFillsTheWholeDestinationAndSaysSo) {
    auto dst = MakeFilledSurface(20, 10, 32, 0);
    dst->DrawEffect3(-1, dst.get(), dst.get(), 0, 0, 0, 0, 0, 0, 5, 5, SRect{0, 0, 5, 5}, 0);
    CEffectBlitter blitter;
    const SPoint o{};
    const SSize s{5, 5};
    const SRect clip{0, 0, 5, 5};
    blitter.DrawEffect3(-1, dst.get(), nullptr, nullptr, &o, &o, &o, &s, &clip, 0);
    EXPECT_EQ(dst->clearCount, 2);
    EXPECT_EQ(dst->clearedWith, EffectClearColour);
    EXPECT_EQ(dst->GetPixel(19, 9), 0xFFFFFFu & 0xFFFFFF);
    ASSERT_EQ(dst->effect3Notes.size(), 2u);
    EXPECT_EQ(dst->effect3Notes[1].drawn, (SRect{0, 0, 20, 10}));
}

TEST_F(Effect3Modes, MixedDepthsAndMissingSourcesDrawNothingButNotify) {
    std::mt19937 rng(2);
    auto dst = MakeFilledSurface(20, 20, 16, 0x33);
    auto a = MakeRandomSurface(rng, 20, 20, 16);
    auto b = MakeRandomSurface(rng, 20, 20, 32);
    const auto before = dst->Snapshot();
    CEffectBlitter blitter;
    const SPoint o{};
    const SSize s{20, 20};
    const SRect clip{0, 0, 20, 20};
    for (int mode = 1; mode <= 36; ++mode) {
        // The zooms leave both checks to each of their passes (below).
        if (mode >= 23 && mode <= 30) continue;
        blitter.DrawEffect3(mode, dst.get(), a.get(), b.get(), &o, &o, &o, &s, &clip, 700);
        blitter.DrawEffect3(mode, dst.get(), a.get(), nullptr, &o, &o, &o, &s, &clip, 700);
    }
    EXPECT_EQ(dst->Snapshot(), before);
    ASSERT_EQ(dst->effect3Notes.size(), 56u);
    EXPECT_EQ(dst->effect3Notes[1].drawn, SRect{});
}

TEST_F(Effect3Modes, ZoomsWithMixedDepthsOrAMissingSourceDrawThePassesThatCan) {
    std::mt19937 rng(5);
    auto a = MakeRandomSurface(rng, 20, 20, 16);
    auto b = MakeRandomSurface(rng, 20, 20, 32);
    const SPoint o{};
    const SSize s{20, 20};
    const SRect clip{0, 0, 20, 20};
    CEffectBlitter blitter;
    // Mode 23 at the end: the first source's pass draws, the second's stretch refuses
    // its 32-bit (or missing) source.  Mode 24 at the start: the first source stretched
    // to full size.
    for (CSoftSurface* second : {static_cast<CSoftSurface*>(b.get()), static_cast<CSoftSurface*>(nullptr)}) {
        for (const auto& [mode, progress] : {std::pair{23, 1024}, std::pair{24, 0}}) {
            auto dst = MakeFilledSurface(20, 20, 16, 0x33);
            blitter.DrawEffect3(mode, dst.get(), a.get(), second, &o, &o, &o, &s, &clip, progress);
            EXPECT_EQ(CompareBlock(*dst, clip, *a, o), "") << "mode " << mode;
            ASSERT_EQ(dst->effect3Notes.size(), 1u);
            EXPECT_EQ(dst->effect3Notes[0].drawn, clip);
        }
    }
}

TEST_F(Effect3Modes, MaskBlendWithoutAMaskDrawsNothingButNotifies) {
    ReleaseEffectRuleImages();
    SRun r = RunMode(2, 24, 700, kGeometries[0], 3);
    EXPECT_EQ(r.dst->Snapshot(), r.before);
    ASSERT_EQ(r.dst->effect3Notes.size(), 1u);
    EXPECT_EQ(r.dst->effect3Notes[0].drawn, (SRect{6, 5, 36, 32}));
}

TEST_F(Effect3Modes, EntryPointsCheckTheirArguments) {
    std::mt19937 rng(6);
    auto dst = MakeFilledSurface(20, 20, 16, 0x33);
    auto a = MakeRandomSurface(rng, 20, 20, 16);
    auto b = MakeRandomSurface(rng, 20, 20, 16);
    dst->DrawEffect3(1, a.get(), b.get(), 0, 0, 0, 0, 0, 0, 0, 5, SRect{0, 0, 20, 20}, 512);
    dst->DrawEffect3(1, a.get(), b.get(), 0, 0, 0, 0, 0, 0, 5, 5, SRect{0, 0, -1, 20}, 512);
    dst->DrawEffect3(1, a.get(), nullptr, 512);
    EXPECT_TRUE(dst->effect3Notes.empty());
    dst->DrawEffect3(3, a.get(), b.get(), 1024);
    EXPECT_EQ(CompareBlock(*dst, SRect{0, 0, 20, 20}, *b, SPoint{}), "");
    EXPECT_EQ(dst->GetEffect3Rect(3, a.get(), b.get(), SRect{2, 3, 8, 9}, 0), (SRect{2, 3, 8, 9}));
    EXPECT_EQ(dst->GetEffect3Rect(3, a.get(), nullptr, 0), SRect{});
}

// --- transitions ---

// A transition's layers drawn one by one: mode 1 lays the first at 256 - (p >> 2) and
// the second over it at p >> 2; 33 and 35 jitter one layer at 256, the first up to the
// middle with amount p / 2, then the second with (1024 - p) / 2; 34 and 36 both, the
// first at 256 - (p >> 2) with amount p / 4, the second at p >> 2 with (1024 - p) / 4.
void ModelTransition(int mode, CFxSurface& dst, CFxSurface& a, CFxSurface& b, SPoint d1, SPoint d2, SRect r1,
                     SRect r2, SRect clip, int p) {
    if (mode == 1) {
        dst.BltClipped(&a, d1.x, d1.y, r1, clip, 256 - (p >> 2));
        dst.BltClipped(&b, d2.x, d2.y, r2, clip, p >> 2);
        return;
    }
    const auto jitter = mode <= 34 ? SoftFxJitterRows : SoftFxJitterColumns;
    if (mode % 2 == 0) {
        jitter(&dst, &a, &d1, &r1, &clip, 256 - (p >> 2), p / 4);
        jitter(&dst, &b, &d2, &r2, &clip, p >> 2, (1024 - p) / 4);
    } else if (p < 512) {
        jitter(&dst, &a, &d1, &r1, &clip, 256, p / 2);
    } else {
        jitter(&dst, &b, &d2, &r2, &clip, 256, (1024 - p) / 2);
    }
}

TEST_F(Effect3Modes, TransitionsStayInsideTheirRectangle) {
    for (int depth : {16, 32}) {
        for (int mode : {1, 33, 34, 35, 36}) {
            for (int p : {0, 200, 512, 800, 1024}) {
                const uint32_t seed = static_cast<uint32_t>(mode * 1000 + p + depth);
                std::mt19937 rng(seed);
                auto dst = MakeFilledSurface(64, 48, depth, kGuardFill, 1);
                auto a = MakeRandomSurface(rng, 30, 20, depth);
                auto b = MakeRandomSurface(rng, 24, 26, depth);
                const auto before = dst->Snapshot();
                const SRect clip{2, 3, 60, 44};
                CRandom::SetDefaultSeedForTests(seed);
                dst->DrawTransition(mode, a.get(), b.get(), SPoint{5, 4}, SPoint{20, 15}, SPoint{2, 1},
                                          SPoint{0, 3}, SSize{26, 18}, SSize{24, 20}, clip, p);
                // The layers overlap in columns 20 to 30 of rows 15 to 21.
                auto model = MakeFilledSurface(64, 48, depth, kGuardFill, 1);
                CRandom::SetDefaultSeedForTests(seed);
                ModelTransition(mode, *model, *a, *b, SPoint{5, 4}, SPoint{20, 15}, SRect{2, 1, 28, 19},
                                SRect{0, 3, 24, 23}, clip, p);
                testsupport::RestoreTestSeed();
                const std::string where = "depth " + std::to_string(depth) + " mode " + std::to_string(mode) + " p " +
                                          std::to_string(p) + " seed " + std::to_string(seed);
                EXPECT_EQ(dst->Snapshot(), model->Snapshot()) << where;
                ASSERT_EQ(dst->transitionNotes.size(), 1u) << where;
                const SRect reported = dst->transitionNotes[0];
                EXPECT_EQ(CompareOutside(*dst, before, reported), "") << where << " reported " << RectText(reported);
                for (const auto& note : dst->notes) {
                    EXPECT_TRUE(RectInside(SoftFxIntersectRect(note.drawn, clip), reported)) << where;
                }
            }
        }
    }
}

TEST_F(Effect3Modes, CrossTransitionBlendsBothLayers) {
    std::mt19937 rng(12);
    auto dst = MakeFilledSurface(40, 30, 32, 0);
    auto a = MakeRandomSurface(rng, 10, 10, 32);
    auto b = MakeRandomSurface(rng, 10, 10, 32);
    dst->DrawTransition(1, a.get(), b.get(), SPoint{0, 0}, SPoint{20, 15}, SPoint{}, SPoint{},
                              SSize{10, 10}, SSize{10, 10}, SRect{0, 0, 40, 30}, 0);
    EXPECT_EQ(CompareBlock(*dst, SRect{0, 0, 10, 10}, *a, SPoint{}), "");
    dst->DrawTransition(1, a.get(), b.get(), SPoint{0, 0}, SPoint{20, 15}, SPoint{}, SPoint{},
                              SSize{10, 10}, SSize{10, 10}, SRect{0, 0, 40, 30}, 1024);
    EXPECT_EQ(CompareBlock(*dst, SRect{20, 15, 30, 25}, *b, SPoint{}), "");
    EXPECT_EQ(dst->transitionNotes.back(), (SRect{0, 0, 30, 25}));
    // Both layers null: nothing drawn, an empty rectangle reported.
    dst->DrawTransition(1, nullptr, nullptr, 512);
    EXPECT_EQ(dst->transitionNotes.back(), SRect{});
    // Other modes neither draw nor notify.
    const size_t count = dst->transitionNotes.size();
    dst->DrawTransition(2, a.get(), b.get(), 512);
    EXPECT_EQ(dst->transitionNotes.size(), count);
}

}  // namespace
