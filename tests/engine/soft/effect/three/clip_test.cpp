// Three-surface clipping and the rectangles the blitter reports.
#include <gtest/gtest.h>

#include <climits>

#include "engine/soft/effect/SoftFx3Blitter.h"
#include "engine/soft/effect/SoftFx3Clip.h"
#include "tests/engine/soft/effect/three/FxSurface.h"

using namespace fx3_test;

namespace {

struct SThree {
    std::unique_ptr<CFxSurface> dst = MakeFilledSurface(100, 80, 16, 0);
    std::unique_ptr<CFxSurface> a = MakeFilledSurface(60, 50, 16, 0);
    std::unique_ptr<CFxSurface> b = MakeFilledSurface(70, 40, 16, 0);
};

TEST(ThreeSurfaceClip, ClipEdgeMovesAllThreePoints) {
    SThree s;
    SPoint d{-5, 3}, a{0, 0}, b{2, 1};
    SSize size{20, 10};
    const SRect clip{0, 0, 100, 80};
    ASSERT_TRUE(SoftFx3ClipBlock(s.dst.get(), s.a.get(), s.b.get(), &d, &a, &b, &size, &clip));
    EXPECT_EQ(d, (SPoint{0, 3}));
    EXPECT_EQ(a, (SPoint{5, 0}));
    EXPECT_EQ(b, (SPoint{7, 1}));
    EXPECT_EQ(size, (SSize{15, 10}));
    const SPoint d0{-5, 3}, a0{0, 0}, b0{2, 1};
    const SSize size0{20, 10};
    EXPECT_EQ(SoftFxPlaceRects3(s.dst.get(), s.a.get(), s.b.get(), &d0, &a0, &b0, &size0, &clip),
              (SRect{0, 3, 15, 13}));
}

TEST(ThreeSurfaceClip, NegativeSourcePointsMoveTheOthers) {
    SThree s;
    SPoint d{10, 10}, a{-4, 2}, b{3, -6};
    SSize size{30, 30};
    const SRect clip{0, 0, 100, 80};
    ASSERT_TRUE(SoftFx3ClipBlock(s.dst.get(), s.a.get(), s.b.get(), &d, &a, &b, &size, &clip));
    EXPECT_EQ(d, (SPoint{14, 16}));
    EXPECT_EQ(a, (SPoint{0, 8}));
    EXPECT_EQ(b, (SPoint{7, 0}));
    // Width 26 (30 - 4); height 24 (30 - 6), both inside every surface.
    EXPECT_EQ(size, (SSize{26, 24}));
}

TEST(ThreeSurfaceClip, SurfaceEdgesCutTheBlock) {
    SThree s;
    SPoint d{90, 70}, a{0, 0}, b{0, 0};
    SSize size{30, 30};
    const SRect clip{0, 0, 100, 80};
    ASSERT_TRUE(SoftFx3ClipBlock(s.dst.get(), s.a.get(), s.b.get(), &d, &a, &b, &size, &clip));
    EXPECT_EQ(size, (SSize{10, 10}));
    SPoint d2{0, 0}, a2{55, 0}, b2{0, 35};
    SSize size2{30, 30};
    ASSERT_TRUE(SoftFx3ClipBlock(s.dst.get(), s.a.get(), s.b.get(), &d2, &a2, &b2, &size2, &clip));
    EXPECT_EQ(size2, (SSize{5, 5}));
}

TEST(ThreeSurfaceClip, NegativeClipAndClippedAwayGiveZeros) {
    SThree s;
    SPoint d{1, 1}, a{1, 1}, b{1, 1};
    SSize size{5, 5};
    const SRect negative{-10, -10, -1, 20};
    EXPECT_FALSE(SoftFx3ClipBlock(s.dst.get(), s.a.get(), s.b.get(), &d, &a, &b, &size, &negative));
    EXPECT_EQ(d, SPoint{});
    EXPECT_EQ(size, SSize{});
    SPoint d2{200, 1}, a2{1, 1}, b2{1, 1};
    SSize size2{5, 5};
    const SRect clip{0, 0, 100, 80};
    EXPECT_FALSE(SoftFx3ClipBlock(s.dst.get(), s.a.get(), s.b.get(), &d2, &a2, &b2, &size2, &clip));
}

TEST(ThreeSurfaceClip, ExtremeCoordinatesDoNotOverflow) {
    SThree s;
    SPoint d{INT32_MIN, INT32_MAX}, a{INT32_MAX, 0}, b{0, INT32_MIN};
    SSize size{INT32_MAX, INT32_MAX};
    const SRect clip{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    EXPECT_FALSE(SoftFx3ClipBlock(s.dst.get(), s.a.get(), s.b.get(), &d, &a, &b, &size, &clip));
    const SPoint p{INT32_MIN, INT32_MIN};
    const SSize big{INT32_MAX, INT32_MAX};
    const SRect r = SoftFxPlaceRects3(s.dst.get(), s.a.get(), s.b.get(), &p, &p, &p, &big, &clip);
    EXPECT_TRUE(r.IsEmpty());
}

TEST(Effect3Rect, ModesOutsideTheTableGiveZeros) {
    SThree s;
    CEffectBlitter blitter;
    const SPoint o{};
    const SSize size{10, 10};
    const SRect clip{0, 0, 100, 80};
    for (int mode : {0, 37, -2, 1000}) {
        EXPECT_EQ(blitter.GetEffect3Rect(mode, s.dst.get(), s.a.get(), s.b.get(), &o, &o, &o, &size, &clip, 0), SRect{});
    }
    // Modes that keep to the block report it; the others cover at least it.
    for (int mode = 1; mode <= 36; ++mode) {
        const SRect r = blitter.GetEffect3Rect(mode, s.dst.get(), s.a.get(), s.b.get(), &o, &o, &o, &size, &clip, 512);
        const bool past = (mode >= 3 && mode <= 14) || mode == 25 || mode == 26 || mode >= 29;
        if (past) {
            EXPECT_TRUE(RectInside(SRect{0, 0, 10, 10}, r)) << "mode " << mode;
        } else {
            EXPECT_EQ(r, (SRect{0, 0, 10, 10})) << "mode " << mode;
        }
    }
    // A missing source gives zeros.
    EXPECT_EQ(blitter.GetEffect3Rect(1, s.dst.get(), nullptr, s.b.get(), &o, &o, &o, &size, &clip, 0), SRect{});
}

TEST(Effect3Rect, ClearReportsTheWholeDestination) {
    SThree s;
    CEffectBlitter blitter;
    const SPoint o{};
    const SSize size{10, 10};
    const SRect clip{0, 0, 5, 5};
    EXPECT_EQ(blitter.GetEffect3Rect(-1, s.dst.get(), nullptr, nullptr, &o, &o, &o, &size, &clip, 0),
              (SRect{0, 0, 100, 80}));
}

TEST(Effect3Rect, CutToTheDestination) {
    SThree s;
    auto wide = MakeFilledSurface(300, 300, 16, 0);
    CEffectBlitter blitter;
    const SPoint d{90, 75}, o{};
    const SSize size{100, 100};
    const SRect clip{0, 0, 1000, 1000};
    EXPECT_EQ(blitter.GetEffect3Rect(1, s.dst.get(), wide.get(), wide.get(), &d, &o, &o, &size, &clip, 0),
              (SRect{90, 75, 100, 80}));
}

TEST(TransitionRect, PlacedUnionAndEmptyUnion) {
    SThree s;
    CEffectBlitter blitter;
    const SPoint p1{10, 20}, p2{-5, 30}, o{};
    const SSize s1{30, 5}, s2{4, 40};
    const SRect clip{0, 0, 100, 80};
    EXPECT_EQ(blitter.GetTransitionRect(1, s.dst.get(), s.a.get(), s.b.get(), &p1, &p2, &o, &o, &s1, &s2, &clip, 0),
              (SRect{-5, 20, 40, 70}));
    EXPECT_EQ(blitter.GetTransitionRect(1, s.dst.get(), s.a.get(), nullptr, &p1, &p2, &o, &o, &s1, &s2, &clip, 0),
              (SRect{10, 20, 40, 25}));
    // A given layer of no size still joins the union at its placed corner.
    const SSize zero{0, 0};
    EXPECT_EQ(blitter.GetTransitionRect(1, s.dst.get(), s.a.get(), s.b.get(), &p1, &p2, &o, &o, &s1, &zero, &clip, 0),
              (SRect{-5, 20, 40, 30}));
    // Nothing joined: an empty rectangle, not an inverted one whose width overflows.
    const SRect none =
        blitter.GetTransitionRect(1, s.dst.get(), nullptr, nullptr, &p1, &p2, &o, &o, &s1, &s2, &clip, 0);
    EXPECT_EQ(none, SRect{});
    EXPECT_EQ(s.dst->GetTransitionRect(1, nullptr, nullptr, 0), SRect{});
    for (int mode : {0, 2, 32, 37}) {
        EXPECT_EQ(blitter.GetTransitionRect(mode, s.dst.get(), s.a.get(), s.b.get(), &p1, &p2, &o, &o, &s1, &s2,
                                            &clip, 0),
                  SRect{});
    }
}

// A layer that is present but whose blit clips away entirely counts as {0, 0, 0, 0}:
// the union then reaches to the origin.
TEST(TransitionRect, JitterModesCountALayerThatClipsAwayAsZeros) {
    auto dst = MakeFilledSurface(300, 300, 16, 0);
    auto a = MakeFilledSurface(50, 50, 16, 0);
    auto b = MakeFilledSurface(100, 100, 16, 0);
    CEffectBlitter blitter;
    const SPoint away{500, 500}, at{100, 100}, o{};
    const SSize s1{50, 50}, s2{100, 100};
    const SRect clip{0, 0, 300, 300};
    for (int mode = 33; mode <= 36; ++mode) {
        // At p = 1024 the second layer's jitter amount is 0: its reach is its blit.
        const SRect r =
            blitter.GetTransitionRect(mode, dst.get(), a.get(), b.get(), &away, &at, &o, &o, &s1, &s2, &clip, 1024);
        EXPECT_EQ(r, (SRect{0, 0, 200, 200})) << "mode " << mode;
    }
    EXPECT_EQ(SoftFxUnionBltRects(dst.get(), a.get(), b.get(), &away, &at, &o, &o, &s1, &s2, &clip),
              (SRect{0, 0, 200, 200}));
    // A layer left out (null) is not one that clipped away.
    EXPECT_EQ(blitter.GetTransitionRect(33, dst.get(), nullptr, b.get(), &away, &at, &o, &o, &s1, &s2, &clip, 1024),
              (SRect{100, 100, 200, 200}));
    EXPECT_EQ(blitter.GetTransitionRect(33, dst.get(), nullptr, nullptr, &at, &at, &o, &o, &s1, &s2, &clip, 0),
              SRect{});
}

}  // namespace
