#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/image/MaskImage.h"
#include "engine/soft/PixelRows.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFxBlitter.h"
#include "engine/soft/effect/SoftFxRuleImages.h"
#include "tests/engine/soft/effect/single/EffectTestUtil.h"
#include "tests/support/TestSupport.h"

using namespace fxtest;
using testsupport::CSeedScope;

namespace {

// A rule image of random values for mode 4.
class CRuleScope {
public:
    CRuleScope() {
        CMaskImage& rule = GetEffectRuleImage();
        rule.Create(64, 64);
        std::mt19937 rng(3);
        for (int i = 0; i < rule.GetPitch() * 64; ++i) rule.GetBits()[i] = static_cast<uint8_t>(rng());
        rule.SetThreshold(40);
    }
    ~CRuleScope() { ReleaseEffectRuleImages(); }
};

// The parameter each mode takes at "progress" 0, middle and full.
int ParamFor(int mode, int step) {
    switch (mode) {
    case 0:
    case 1: return 0;
    case 2:
    case 3: return step == 0 ? 0 : (step == 1 ? 300 : 1023);
    case 10:
    case 11: return step == 0 ? 1 : (step == 1 ? 3 : 6);
    case 12:
    case 13:
    case 14: return step == 0 ? 0 : (step == 1 ? 3 : 12);
    default: return step == 0 ? 0 : (step == 1 ? 512 : 1024);
    }
}

}  // namespace

// Every mode at three steps, every depth, a clipped block: whatever a mode writes lies
// inside the union of what it notified, and results repeat under a fixed seed.
TEST(CSurfaceEffectBlitter, EveryModeStaysInsideItsReport) {
    BuildBlendTables();
    CRuleScope rule;
    uint64_t sum = 0;
    for (int depth : kDepths) {
        for (int mode = 0; mode < kSurfaceEffectModeCount; ++mode) {
            for (int step = 0; step < 3; ++step) {
                for (int opacity : {255, 140}) {
                    const uint32_t seed = uint32_t(depth * 100000 + mode * 1000 + step * 10 + opacity);
                    SCOPED_TRACE("mode " + std::to_string(mode) + " seed " + std::to_string(seed));
                    std::vector<uint8_t> results[2];
                    for (int run = 0; run < 2; ++run) {
                        CSeedScope scope(seed);
                        auto src = MakeRandom(37, 29, depth, seed, 37 * BytesPerPixel(depth) + 8);
                        auto dst = MakeRandom(70, 60, depth, seed + 1);
                        const auto before = Snapshot(*dst);
                        const SPoint p{-3, 20};
                        const SRect sr{1, 2, 36, 29};
                        const SRect clip{2, 5, 66, 55};
                        const int param = ParamFor(mode, step);
                        CSurfaceEffectBlitter().DrawEffect(mode, dst.get(), src.get(), &p, &sr, &clip, opacity, param);
                        ASSERT_FALSE(dst->notes.empty());
                        ASSERT_EQ(ChangesOutside(before, *dst, Intersect(NotedUnion(*dst), clip)), "");
                        // The rectangle asked for before drawing is the last one notified.
                        const SRect asked = CSurfaceEffectBlitter().GetEffectRect(mode, dst.get(), src.get(), &p, &sr,
                                                                                 &clip, opacity, param);
                        ASSERT_EQ(asked, dst->notes.back().drawn);
                        results[run] = dst->Bytes();
                    }
                    ASSERT_EQ(results[0], results[1]);
                    sum += Checksum(results[0]);
                }
            }
        }
    }
    EXPECT_NE(sum, 0u);
}

// Progress below 0 acts as 0, and 1023 or more as 1024, in every progress mode.
TEST(CSurfaceEffectBlitter, ProgressIsClamped) {
    BuildBlendTables();
    CRuleScope rule;
    for (int mode : {4, 5, 6, 7, 8, 9}) {
        for (auto [given, meant] : {std::pair{-1, 0}, {-1000, 0}, {1023, 1024}, {1500, 1024}}) {
            CSeedScope scope(77);
            auto src = MakeRandom(30, 30, 16, 1);
            auto a = MakeRandom(40, 40, 16, 2);
            auto b = MakeRandom(40, 40, 16, 2);
            const SPoint p{4, 4};
            const SRect sr{0, 0, 30, 30}, clip{0, 0, 40, 40};
            {
                CSeedScope s1(5);
                CSurfaceEffectBlitter().DrawEffect(mode, a.get(), src.get(), &p, &sr, &clip, 255, given);
            }
            {
                CSeedScope s2(5);
                CSurfaceEffectBlitter().DrawEffect(mode, b.get(), src.get(), &p, &sr, &clip, 255, meant);
            }
            EXPECT_EQ(a->Bytes(), b->Bytes()) << "mode " << mode << " progress " << given;
        }
    }
}

TEST(CSurfaceEffectBlitter, FullProgressShowsTheSource) {
    CRuleScope rule;
    for (int mode : {4, 5, 6, 7, 8, 9}) {
        for (int depth : kDepths) {
            auto src = MakeRandom(20, 20, depth, 9);
            auto dst = MakeRandom(20, 20, depth, 10);
            const SPoint p{0, 0};
            const SRect r{0, 0, 20, 20};
            GetEffectRuleImage().SetThreshold(255);
            CSurfaceEffectBlitter().DrawEffect(mode, dst.get(), src.get(), &p, &r, &r, 255, 1024);
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 20; ++x) ASSERT_TRUE(PixelsEqual(*dst, x, y, *src, x, y)) << mode;
        }
    }
}

TEST(CSurfaceEffectBlitter, OutOfRangeModesAndFilters) {
    auto src = MakeRandom(8, 8, 32, 1);
    auto dst = MakeRandom(8, 8, 32, 2);
    const auto before = Snapshot(*dst);
    const SPoint p{0, 0};
    const SRect r{0, 0, 8, 8};
    CSurfaceEffectBlitter blitter;
    for (int mode : {-1, 15, 1000, INT32_MIN}) {
        blitter.DrawEffect(mode, dst.get(), src.get(), &p, &r, &r, 255, 0);
        EXPECT_EQ(blitter.GetEffectRect(mode, dst.get(), src.get(), &p, &r, &r, 255, 0), SRect{});
    }
    EXPECT_TRUE(dst->notes.empty());
    blitter.StretchBltFiltered(2, dst.get(), src.get(), &r, &r, &r, 255, 0);
    EXPECT_EQ(blitter.GetStretchBltRect(2, dst.get(), src.get(), &r, &r, &r, 255, 0), SRect{});
    EXPECT_EQ(dst->Bytes(), before);
    const SRect big{-5, -5, 20, 20};
    EXPECT_EQ(blitter.GetStretchBltRect(1, dst.get(), src.get(), &big, &r, &r, 255, 0), r);
    // A null destination or source draws nothing and does not crash.
    blitter.DrawEffect(3, nullptr, src.get(), &p, &r, &r, 255, 0);
    blitter.DrawEffect(7, dst.get(), nullptr, &p, &r, &r, 255, 512);
    EXPECT_EQ(dst->Bytes(), before);
}

TEST(CSurfaceEffectBlitter, PlainModesNotify) {
    auto src = MakeRandom(10, 10, 16, 1);
    auto dst = MakeRandom(20, 20, 16, 2);
    const SPoint p{15, -2};
    const SRect r{0, 0, 10, 10};
    const SRect clip{0, 0, 20, 20};
    CSurfaceEffectBlitter().DrawEffect(0, dst.get(), src.get(), &p, &r, &clip, 255, 0);
    CSurfaceEffectBlitter().DrawEffect(1, dst.get(), src.get(), &p, &r, &clip, 255, 0);
    ASSERT_EQ(dst->notes.size(), 2u);
    EXPECT_EQ(dst->notes[0].drawn, (SRect{15, 0, 20, 8}));
    EXPECT_EQ(dst->notes[1].drawn, (SRect{15, 0, 20, 8}));
    EXPECT_TRUE(PixelsEqual(*dst, 15, 0, *src, 0, 2));
}

// Unequal sizes carry no effect: the mode number is the stretch filter (0 nearest,
// 1 bilinear, whatever the source's own flag) and any other mode draws nothing.
TEST(SoftSurfaceEntryPoints, StretchedEffectTakesTheModeAsItsFilter) {
    struct SCase {
        int mode;
        int filter;  // -1: nothing drawn
    };
    const SCase cases[] = {{0, 0}, {1, 1}, {2, -1}, {7, -1}, {14, -1}, {15, -1}, {-1, -1}};
    const SRect dr{2, 2, 22, 22}, sr{0, 0, 10, 10}, clip{0, 0, 30, 30};
    for (const SCase& c : cases) {
        for (bool smooth : {false, true}) {
            SCOPED_TRACE(testing::Message() << "mode " << c.mode << (smooth ? " smooth" : ""));
            auto src = MakeRandom(10, 10, 32, 1);
            src->smooth = smooth;
            auto a = MakeRandom(30, 30, 32, 2);
            auto b = MakeRandom(30, 30, 32, 2);
            a->DrawEffectStretched(c.mode, src.get(), dr, sr, clip, 255, 0);
            if (c.filter == 0) b->StretchBltNearest(src.get(), &dr, &sr, &clip, 255, 0);
            if (c.filter == 1) b->StretchBltBilinear(src.get(), &dr, &sr, &clip, 255, 0);
            EXPECT_TRUE(a->Bytes() == b->Bytes());
            EXPECT_EQ(a->stretchNotes.size(), c.filter < 0 ? 0u : 1u);
            EXPECT_TRUE(a->notes.empty());
            EXPECT_EQ(a->GetEffectStretchedRect(c.mode, src.get(), dr, sr, clip, 255, 0),
                      c.filter < 0 ? SRect{} : dr);
        }
    }
    // The rectangle query checks only the source: a source rectangle that stops the
    // drawing still answers the stretch's rectangle.
    auto src = MakeRandom(10, 10, 32, 1);
    auto q = MakeRandom(30, 30, 32, 2);
    EXPECT_EQ(q->GetEffectStretchedRect(0, src.get(), dr, SRect{0, 0, 0, 10}, clip, 255, 0), dr);
    EXPECT_EQ(q->GetEffectStretchedRect(1, src.get(), dr, sr, SRect{5, 5, 12, 40}, 255, 0), (SRect{5, 5, 12, 22}));
    EXPECT_EQ(q->GetEffectStretchedRect(0, nullptr, dr, sr, clip, 255, 0), SRect{});
    // Equal sizes draw the effect at the destination rectangle's corner.
    auto a = MakeRandom(30, 30, 32, 2);
    a->DrawEffectStretched(1, src.get(), {5, 6, 15, 16}, {0, 0, 10, 10}, {0, 0, 30, 30}, 255, 0);
    EXPECT_TRUE(PixelsEqual(*a, 5, 6, *src, 0, 0));
    // Rectangles that fail the checks draw nothing.
    auto b = MakeRandom(30, 30, 32, 2);
    const auto before = Snapshot(*b);
    b->DrawEffect(1, src.get(), 0, 0, {0, 0, 0, 10}, {0, 0, 30, 30}, 255, 0);
    b->DrawEffect(1, src.get(), 0, 0, {0, 0, 10, 10}, {0, 0, -1, 30}, 255, 0);
    b->DrawEffect(1, nullptr, 0, 0, {0, 0, 10, 10}, {0, 0, 30, 30}, 255, 0);
    EXPECT_EQ(b->Bytes(), before);
    EXPECT_EQ(b->GetEffectRect(1, src.get(), 3, 4, {0, 0, 10, 10}, {0, 0, 30, 30}, 255, 0),
              (SRect{3, 4, 13, 14}));
}

TEST(SoftFxRuleImages, LoadFromAPictureFile) {
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    // A 6 x 3 picture whose blue byte is 10 * x + y.
    std::vector<uint8_t> pixels(6 * 3 * 4);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) pixels[(y * 6 + x) * 4] = static_cast<uint8_t>(10 * x + y);
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "rule.bmp", BuildBitmapFile(pixels.data(), 24, 6, 3, 32)));
    ASSERT_TRUE(LoadEffectRuleImage("rule.bmp"));
    ASSERT_TRUE(LoadSharedEffectMask("rule.bmp"));
    int32_t w = 0, h = 0;
    GetEffectRuleImage().GetSize(&w, &h);
    EXPECT_EQ(w, 6);
    EXPECT_EQ(h, 3);
    EXPECT_EQ(GetEffectRuleImage().GetBits()[2 * GetEffectRuleImage().GetPitch() + 4], 42);
    EXPECT_NE(GetSharedEffectMask().GetBits(), nullptr);
    ReleaseEffectRuleImages();
    EXPECT_EQ(GetEffectRuleImage().GetBits(), nullptr);
    EXPECT_EQ(GetSharedEffectMask().GetBits(), nullptr);

    CLogCapture log;
    EXPECT_FALSE(LoadEffectRuleImage("missing.bmp"));
    EXPECT_EQ(GetEffectRuleImage().GetBits(), nullptr);
    EXPECT_TRUE(log.Contains("LoadEffectRuleImage()"));
}
