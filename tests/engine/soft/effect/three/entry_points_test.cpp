// The effect library's entry points on the destination surface: every short form draws
// and reports exactly what the full form it stands for does, and the full forms what
// the blitters draw, on seeded pictures at every depth.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "engine/base/Random.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/effect/SoftFx3Blitter.h"
#include "engine/soft/effect/SoftFxBlitter.h"
#include "tests/engine/soft/effect/three/FxSurface.h"
#include "tests/support/TestSupport.h"

using namespace fx3_test;

namespace {

constexpr SRect kWhole{0, 0, 40, 30};  // the destination
constexpr SRect kClip{3, 2, 31, 27};
constexpr SRect kPicture{0, 0, 20, 16};  // the single-surface source

struct SSurfaces {
    std::unique_ptr<CFxSurface> dst, a, b, pic;
};

SSurfaces Make(int depth, uint32_t seed) {
    std::mt19937 rng(seed);
    SSurfaces s;
    s.dst = MakeRandomSurface(rng, 40, 30, depth, 2);
    s.a = MakeRandomSurface(rng, 40, 30, depth);
    s.b = MakeRandomSurface(rng, 36, 34, depth, 1);
    s.pic = MakeRandomSurface(rng, 20, 16, depth, 3);
    return s;
}

// Draws with one form and answers the matching rectangle query (or {} when the form
// has none).
using Form = std::function<SRect(SSurfaces& s, int mode, int param)>;

struct SPair {
    const char* name;
    Form shortForm;
    Form fullForm;
    std::vector<int> modes;
    int param;
};

// The forms whose block is the whole destination, with or without a clip of their own.
SPair WholeBlockPair(const char* name, bool withClip, int param) {
    const SRect clip = withClip ? kClip : kWhole;
    return {name,
            [withClip](SSurfaces& s, int m, int p) {
                if (withClip) {
                    s.dst->DrawEffect3(m, s.a.get(), s.b.get(), kClip, p);
                    return s.dst->GetEffect3Rect(m, s.a.get(), s.b.get(), kClip, p);
                }
                s.dst->DrawEffect3(m, s.a.get(), s.b.get(), p);
                return s.dst->GetEffect3Rect(m, s.a.get(), s.b.get(), p);
            },
            [clip](SSurfaces& s, int m, int p) {
                s.dst->DrawEffect3(m, s.a.get(), s.b.get(), 0, 0, 0, 0, 0, 0, 40, 30, clip, p);
                return s.dst->GetEffect3Rect(m, s.a.get(), s.b.get(), 0, 0, 0, 0, 0, 0, 40, 30, clip, p);
            },
            {1, 3, 6, 17, 26, 29, 33},
            param};
}

std::vector<SPair> Pairs() {
    const SPoint o{};
    return {
        WholeBlockPair("DrawEffect3 (progress)", false, 600),
        WholeBlockPair("DrawEffect3 (clip, progress)", true, 300),
        {"DrawEffect3 (full)",
         [](SSurfaces& s, int m, int p) {
             s.dst->DrawEffect3(m, s.a.get(), s.b.get(), 4, 3, 1, 2, 5, 0, 30, 25, kClip, p);
             return s.dst->GetEffect3Rect(m, s.a.get(), s.b.get(), 4, 3, 1, 2, 5, 0, 30, 25, kClip, p);
         },
         [](SSurfaces& s, int m, int p) {
             const SPoint d{4, 3}, a{1, 2}, b{5, 0};
             const SSize size{30, 25};
             CEffectBlitter blitter;
             blitter.DrawEffect3(m, s.dst.get(), s.a.get(), s.b.get(), &d, &a, &b, &size, &kClip, p);
             return blitter.GetEffect3Rect(m, s.dst.get(), s.a.get(), s.b.get(), &d, &a, &b, &size, &kClip, p);
         },
         {1, 5, 17, 25, 34},
         800},
        {"DrawTransition (progress)",
         [](SSurfaces& s, int m, int p) {
             s.dst->DrawTransition(m, s.a.get(), s.b.get(), p);
             return s.dst->GetTransitionRect(m, s.a.get(), s.b.get(), p);
         },
         [o](SSurfaces& s, int m, int p) {
             s.dst->DrawTransition(m, s.a.get(), s.b.get(), o, o, o, o, s.a->GetSize(), s.b->GetSize(), kWhole, p);
             return s.dst->GetTransitionRect(m, s.a.get(), s.b.get(), o, o, o, o, s.a->GetSize(), s.b->GetSize(),
                                             kWhole, p);
         },
         {1, 33, 36},
         400},
        {"DrawTransition (clip, progress)",
         [o](SSurfaces& s, int m, int p) {
             s.dst->DrawTransition(m, s.a.get(), s.b.get(), kClip, p);
             return s.dst->GetTransitionRect(m, s.a.get(), s.b.get(), o, o, o, o, s.a->GetSize(), s.b->GetSize(),
                                             kClip, p);
         },
         [o](SSurfaces& s, int m, int p) {
             const SSize s1 = s.a->GetSize(), s2 = s.b->GetSize();
             CEffectBlitter blitter;
             blitter.DrawTransition(m, s.dst.get(), s.a.get(), s.b.get(), &o, &o, &o, &o, &s1, &s2, &kClip, p);
             return blitter.GetTransitionRect(m, s.dst.get(), s.a.get(), s.b.get(), &o, &o, &o, &o, &s1, &s2,
                                              &kClip, p);
         },
         {1, 34, 35},
         700},
        {"DrawEffect (rect)",
         [](SSurfaces& s, int m, int q) {
             s.dst->DrawEffect(m, s.pic.get(), 7, 5, SRect{2, 1, 18, 15}, 200, q);
             return s.dst->GetEffectRect(m, s.pic.get(), 7, 5, SRect{2, 1, 18, 15}, 200, q);
         },
         [](SSurfaces& s, int m, int q) {
             s.dst->DrawEffect(m, s.pic.get(), 7, 5, SRect{2, 1, 18, 15}, kWhole, 200, q);
             return s.dst->GetEffectRect(m, s.pic.get(), 7, 5, SRect{2, 1, 18, 15}, kWhole, 200, q);
         },
         {1, 5, 7, 9},
         512},
        {"DrawEffect (whole source)",
         [](SSurfaces& s, int m, int q) {
             s.dst->DrawEffect(m, s.pic.get(), -3, 20, 255, q);
             return s.dst->GetEffectRect(m, s.pic.get(), -3, 20, 255, q);
         },
         [](SSurfaces& s, int m, int q) {
             s.dst->DrawEffect(m, s.pic.get(), -3, 20, kPicture, kWhole, 255, q);
             return s.dst->GetEffectRect(m, s.pic.get(), -3, 20, kPicture, kWhole, 255, q);
         },
         {1, 10, 11, 12, 13},
         3},
        {"DrawEffect (full)",
         [](SSurfaces& s, int m, int q) {
             s.dst->DrawEffect(m, s.pic.get(), 7, 5, SRect{2, 1, 18, 15}, kClip, 128, q);
             return s.dst->GetEffectRect(m, s.pic.get(), 7, 5, SRect{2, 1, 18, 15}, kClip, 128, q);
         },
         [](SSurfaces& s, int m, int q) {
             const SPoint at{7, 5};
             const SRect rect{2, 1, 18, 15};
             CSurfaceEffectBlitter blitter;
             blitter.DrawEffect(m, s.dst.get(), s.pic.get(), &at, &rect, &kClip, 128, q);
             return blitter.GetEffectRect(m, s.dst.get(), s.pic.get(), &at, &rect, &kClip, 128, q);
         },
         {1, 11, 13, 14},
         4},
        {"DrawEffectStretched (rects)",
         [](SSurfaces& s, int m, int q) {
             s.dst->DrawEffectStretched(m, s.pic.get(), SRect{1, 2, 33, 29}, SRect{2, 1, 18, 15}, 255, q);
             s.dst->DrawEffectStretched(m, s.pic.get(), SRect{20, 10, 36, 24}, SRect{2, 1, 18, 15}, 255, q);
             return s.dst->GetEffectStretchedRect(m, s.pic.get(), SRect{1, 2, 33, 29}, SRect{2, 1, 18, 15}, 255, q);
         },
         [](SSurfaces& s, int m, int q) {
             s.dst->DrawEffectStretched(m, s.pic.get(), SRect{1, 2, 33, 29}, SRect{2, 1, 18, 15}, kWhole, 255, q);
             s.dst->DrawEffectStretched(m, s.pic.get(), SRect{20, 10, 36, 24}, SRect{2, 1, 18, 15}, kWhole, 255, q);
             return s.dst->GetEffectStretchedRect(m, s.pic.get(), SRect{1, 2, 33, 29}, SRect{2, 1, 18, 15}, kWhole,
                                                  255, q);
         },
         {0, 1, 7},
         500},
        {"DrawEffectStretched (destination only)",
         [](SSurfaces& s, int m, int q) {
             s.dst->DrawEffectStretched(m, s.pic.get(), SRect{-4, 3, 30, 33}, 180, q);
             s.dst->DrawEffectStretched(m, s.pic.get(), SRect{10, 10, 30, 26}, 180, q);
             return s.dst->GetEffectStretchedRect(m, s.pic.get(), SRect{10, 10, 30, 26}, 180, q);
         },
         [](SSurfaces& s, int m, int q) {
             s.dst->DrawEffectStretched(m, s.pic.get(), SRect{-4, 3, 30, 33}, kPicture, kWhole, 180, q);
             s.dst->DrawEffectStretched(m, s.pic.get(), SRect{10, 10, 30, 26}, kPicture, kWhole, 180, q);
             return s.dst->GetEffectStretchedRect(m, s.pic.get(), SRect{10, 10, 30, 26}, kPicture, kWhole, 180, q);
         },
         {0, 1, 8},
         700},
        {"StretchBlt (destination edges)",
         [](SSurfaces& s, int, int) {
             s.dst->StretchBlt(s.pic.get(), -5, 4, 37, 35, 200);
             return SRect{};
         },
         [](SSurfaces& s, int, int) {
             s.dst->StretchBlt(s.pic.get(), SRect{-5, 4, 37, 35}, kPicture, kWhole, 200);
             return SRect{};
         },
         {0},
         0},
        {"BltClipped",
         [](SSurfaces& s, int, int) {
             s.dst->BltClipped(s.pic.get(), 12, -2, SRect{1, 1, 19, 14}, kClip, 90);
             return SRect{};
         },
         [](SSurfaces& s, int, int) {
             const SPoint at{12, -2};
             const SRect rect{1, 1, 19, 14};
             s.dst->Blt(s.pic.get(), &at, &rect, &kClip, 90, 0);
             return SRect{};
         },
         {0},
         0},
    };
}

TEST(SoftSurfaceEntryPoints, ShortFormsDrawWhatTheFullFormsDo) {
    BuildBlendTables();
    for (const SPair& pair : Pairs()) {
        for (int depth : {15, 16, 24, 32}) {
            for (int mode : pair.modes) {
                for (bool smooth : {false, true}) {
                    const uint32_t seed = static_cast<uint32_t>(depth * 97 + mode * 13 + (smooth ? 5 : 0));
                    const std::string where = std::string(pair.name) + " depth " + std::to_string(depth) +
                                              " mode " + std::to_string(mode) + (smooth ? " smooth" : "");
                    SSurfaces first = Make(depth, seed), second = Make(depth, seed);
                    first.pic->smooth = second.pic->smooth = smooth;
                    const auto before = first.dst->Snapshot();
                    CRandom::SetDefaultSeedForTests(seed);
                    const SRect shortRect = pair.shortForm(first, mode, pair.param);
                    CRandom::SetDefaultSeedForTests(seed);
                    const SRect fullRect = pair.fullForm(second, mode, pair.param);
                    testsupport::RestoreTestSeed();
                    EXPECT_TRUE(first.dst->Snapshot() != before) << where << ": nothing drawn";
                    EXPECT_TRUE(first.dst->Snapshot() == second.dst->Snapshot()) << where;
                    EXPECT_EQ(shortRect, fullRect) << where;
                    EXPECT_EQ(first.dst->effect3Notes.size(), second.dst->effect3Notes.size()) << where;
                    EXPECT_EQ(first.dst->transitionNotes, second.dst->transitionNotes) << where;
                    EXPECT_EQ(first.dst->notes.size(), second.dst->notes.size()) << where;
                }
            }
        }
    }
}

TEST(SoftSurfaceEntryPoints, ShortFormsCheckTheirSources) {
    SSurfaces s = Make(16, 1);
    const auto before = s.dst->Snapshot();
    s.dst->DrawEffect3(1, s.a.get(), nullptr, 512);
    s.dst->DrawEffect(1, nullptr, 0, 0, 255, 0);
    s.dst->DrawEffectStretched(1, nullptr, kClip, 255, 0);
    s.dst->StretchBlt(nullptr, 0, 0, 10, 10, 255);
    s.dst->BltClipped(s.pic.get(), 0, 0, SRect{5, 5, 5, 9}, kClip, 255);
    s.dst->BltClipped(s.pic.get(), 0, 0, kPicture, SRect{0, 0, -1, 9}, 255);
    EXPECT_EQ(s.dst->Snapshot(), before);
    EXPECT_EQ(s.dst->GetEffectRect(1, nullptr, 0, 0, 255, 0), SRect{});
    EXPECT_EQ(s.dst->GetEffectStretchedRect(1, nullptr, kClip, 255, 0), SRect{});
    EXPECT_TRUE(s.dst->effect3Notes.empty());
    EXPECT_TRUE(s.dst->notes.empty());
}

}  // namespace
