#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "engine/adv/MotionEffectVertical.h"
#include "engine/adv/MotionEffectZoom.h"
#include "engine/adv/MotionFactory.h"

namespace {

struct SDrawCall {
    SRect dest;
    SRect source;
    CMatrix4 matrix;
    uint32_t colour;
};

class CRecordingPlane : public IImagePlane {
public:
    CRecordingPlane(int32_t w, int32_t h) : m_W(w), m_H(h) {}
    void GetSize(int32_t* w, int32_t* h) const override {
        *w = m_W;
        *h = m_H;
    }
    void DrawRectMatrix(const SRect& dest, const SRect& source, const CMatrix4& matrix, uint32_t colour) override {
        calls.push_back({dest, source, matrix, colour});
    }
    std::vector<SDrawCall> calls;

private:
    int32_t m_W, m_H;
};

// Records the order in which the state machine runs its hooks.
class CHookEffect : public CMotionEffect {
public:
    std::vector<std::string> hooks;

protected:
    void OnStart() override { hooks.push_back("start"); }
    void OnStopPlaying() override { hooks.push_back("stopPlaying"); }
    void OnFinish() override { hooks.push_back("finish"); }
    void OnStopFinishing() override { hooks.push_back("stopFinishing"); }
    void OnStop() override { hooks.push_back("stop"); }
    void OnInitialize() override { hooks.push_back("initialize"); }
};

CMatrix4 Identity() {
    CMatrix4 m;
    MatrixIdentity(&m);
    return m;
}

// Where the matrix of a draw puts a point of the picture.
struct SPointF {
    float x, y;
};
SPointF Apply(const CMatrix4& m, float x, float y) {
    SPointF p{};
    float z;
    MatrixTransformPoint(m, x, y, 0, &p.x, &p.y, &z);
    return p;
}

uint32_t AlphaOf(const SDrawCall& c) { return c.colour >> 24; }

}  // namespace

TEST(MotionEffectStates, HookOrderOfEveryTransition) {
    CHookEffect e;
    e.Initialize();  // idle: nothing runs
    EXPECT_TRUE(e.hooks.empty());
    e.Stop();  // idle → stopped
    EXPECT_EQ(e.hooks, (std::vector<std::string>{"stop"}));
    EXPECT_EQ(e.GetState(), CMotionEffect::STATE_STOPPED);
    e.hooks.clear();
    e.Stop();  // already stopped: nothing
    EXPECT_TRUE(e.hooks.empty());
    e.Start();
    EXPECT_EQ(e.hooks, (std::vector<std::string>{"initialize", "start"}));
    e.hooks.clear();
    e.Start();  // restart while playing
    EXPECT_EQ(e.hooks, (std::vector<std::string>{"stopPlaying", "initialize", "start"}));
    e.hooks.clear();
    e.Finish();  // from playing
    EXPECT_EQ(e.hooks, (std::vector<std::string>{"stopPlaying", "stop", "finish"}));
    EXPECT_TRUE(e.IsFinishing());
    EXPECT_TRUE(e.IsMoving());
    e.hooks.clear();
    e.Initialize();
    EXPECT_EQ(e.hooks, (std::vector<std::string>{"stopFinishing", "initialize"}));
    EXPECT_FALSE(e.IsActive());
}

TEST(MotionEffectStates, PlainAndBaseEffects) {
    CRecordingPlane plane(40, 30);
    CMotionEffectPlain plain;
    plain.Attach(&plane);
    plain.SetParams(5, 6);
    plain.SetDuration(100);
    plain.Start();
    plain.Draw();  // the plain effect draws while playing, before the first update
    ASSERT_EQ(plane.calls.size(), 1u);
    EXPECT_EQ(plane.calls[0].dest, (SRect{0, 0, 40, 30}));
    EXPECT_EQ(plane.calls[0].source, (SRect{0, 0, 40, 30}));
    EXPECT_EQ(plane.calls[0].colour, 0xFFFFFFFFu);
    EXPECT_EQ(plane.calls[0].matrix.m[3][0], 5.0f);
    EXPECT_EQ(plane.calls[0].matrix.m[3][1], 6.0f);
    plain.Update();  // whatever the duration, one update ends the run
    EXPECT_EQ(plain.GetState(), CMotionEffect::STATE_STOPPED);
    plain.Finish();
    plane.calls.clear();
    plain.Draw();  // finishing: nothing
    EXPECT_TRUE(plane.calls.empty());
    plain.Update();
    EXPECT_EQ(plain.GetState(), CMotionEffect::STATE_IDLE);

    CHookEffect base;  // the base draws nothing while playing
    base.Attach(&plane);
    base.Start();
    base.Draw();
    EXPECT_TRUE(plane.calls.empty());
    base.Stop();
    base.SetAlpha(128);
    base.Draw();
    ASSERT_EQ(plane.calls.size(), 1u);
    EXPECT_EQ(AlphaOf(plane.calls[0]), 128u);
}

TEST(MotionEffectStates, AlphaClampAndAttach) {
    CMotionEffectPlain e;
    e.SetAlpha(300);
    EXPECT_EQ(e.GetAlpha(), 255);
    e.SetAlpha(-5);
    EXPECT_EQ(e.GetAlpha(), 0);
    CRecordingPlane plane(7, 9);
    e.Attach(&plane);
    EXPECT_EQ(e.GetRect(), (SRect{0, 0, 7, 9}));
    e.Attach(nullptr);
    EXPECT_EQ(e.GetRect(), (SRect{0, 0, 7, 9}));
    EXPECT_EQ(e.GetTarget(), nullptr);
    e.Stop();
    e.Draw();  // no target: nothing, no crash
}

TEST(MotionEffectStates, EveryIdRunsExactlyItsDuration) {
    CTalkMotionFactory factory;
    for (int id = 1; id <= 37; ++id) {
        auto e = factory.Create(id);
        CRecordingPlane plane(64, 48);
        e->Attach(&plane);
        e->SetDuration(10);
        e->Start();
        for (int i = 0; i < 9; ++i) {
            e->Update();
            ASSERT_TRUE(e->IsPlaying()) << "id " << id << " update " << i;
        }
        e->Update();
        EXPECT_EQ(e->GetState(), CMotionEffect::STATE_STOPPED) << "id " << id;
        e->Finish();
        for (int i = 0; i < 9; ++i) {
            e->Update();
            ASSERT_TRUE(e->IsFinishing()) << "id " << id;
        }
        e->Update();
        EXPECT_EQ(e->GetState(), CMotionEffect::STATE_IDLE) << "id " << id;
        plane.calls.clear();
        e->Draw();  // the backward run ends in nothing drawn
        EXPECT_TRUE(plane.calls.empty()) << "id " << id;

        // A duration of 0 plays one update; finished, it shows its first step once.
        e->SetDuration(0);
        e->Start();
        e->Update();
        EXPECT_EQ(e->GetState(), CMotionEffect::STATE_STOPPED) << "id " << id;
        e->Finish();
        e->Update();
        EXPECT_EQ(e->GetState(), CMotionEffect::STATE_IDLE) << "id " << id;
    }
}

TEST(MotionEffectStates, StoppedStateMatchesTheLastFrame) {
    // Every motion ends where the plain drawing puts the picture: no jump.
    CTalkMotionFactory factory;
    for (int id = 1; id <= 37; ++id) {
        auto e = factory.Create(id);
        CRecordingPlane plane(64, 48);
        e->Attach(&plane);
        e->SetParams(11, 22);
        e->SetDuration(4);
        e->Start();
        for (int i = 0; i < 3; ++i) e->Update();
        // The last playing frame is step 3 of 4; step 4 is drawn by the stopped state.
        e->Update();
        e->Draw();
        ASSERT_EQ(plane.calls.size(), 1u);
        SPointF p = Apply(plane.calls[0].matrix, 64, 48);
        EXPECT_FLOAT_EQ(p.x, 75.0f) << "id " << id;
        EXPECT_FLOAT_EQ(p.y, 70.0f) << "id " << id;
        EXPECT_EQ(AlphaOf(plane.calls[0]), 255u);
    }
}

TEST(MotionEffectVertical, OffsetsAtTheirEdgeCases) {
    using V = CMotionEffectVertical;
    EXPECT_EQ(V::Offset(V::MOTION_HOP_UP, 512, 100), -50);
    EXPECT_EQ(V::Offset(V::MOTION_HOP_UP, 512, 101), -50);  // half truncated
    EXPECT_EQ(V::Offset(V::MOTION_HOP_UP, 512, 0), 0);
    EXPECT_EQ(V::Offset(V::MOTION_DIP_DOWN, 512, 100), 50);
    EXPECT_EQ(V::Offset(V::MOTION_HOP_UP, 1024, 100), 0);
    EXPECT_EQ(V::Offset(V::MOTION_SWING_UP, 256, 100), -50);
    EXPECT_EQ(V::Offset(V::MOTION_SWING_UP, 768, 100), 50);
    EXPECT_EQ(V::Offset(V::MOTION_SWING_DOWN, 256, 100), 50);
    EXPECT_EQ(V::Offset(V::MOTION_RISE, 0, 100), 50);
    EXPECT_EQ(V::Offset(V::MOTION_RISE, 128, 100), 0);
    EXPECT_EQ(V::Offset(V::MOTION_DROP, 0, 100), -50);
    EXPECT_EQ(V::Offset(V::MOTION_DROP, 128, 100), 0);
    // An absurd height neither overflows nor changes sign.
    EXPECT_EQ(V::Offset(V::MOTION_DIP_DOWN, 512, 2000000000), 1000000000);
}

TEST(MotionEffectVertical, FadeAndPlacement) {
    CRecordingPlane plane(20, 100);
    CMotionEffect23 e;  // hop up with a fade
    e.Attach(&plane);
    e.SetParams(3, 4);
    e.SetDuration(2);
    e.Start();
    e.Draw();  // step 0: transparent, in place
    e.Update();
    e.Draw();  // step 1: P = 512, Q = 128
    ASSERT_EQ(plane.calls.size(), 2u);
    EXPECT_EQ(AlphaOf(plane.calls[0]), 0u);
    EXPECT_EQ(AlphaOf(plane.calls[1]), 127u);
    EXPECT_EQ(plane.calls[1].matrix.m[3][1], 4.0f - 50.0f);
    EXPECT_EQ(plane.calls[1].matrix.m[3][0], 3.0f);

    CMotionEffect33 drop;
    drop.Attach(&plane);
    drop.SetDuration(5);
    drop.Start();
    plane.calls.clear();
    drop.Draw();
    EXPECT_EQ(AlphaOf(plane.calls[0]), 0u);
    EXPECT_EQ(plane.calls[0].matrix.m[3][1], -50.0f);
}

TEST(MotionEffectZoom, FactorsAtTheirEdgeCases) {
    using Z = CMotionEffectZoom;
    EXPECT_EQ(Z::Factors(Z::MOTION_GROW, 512, 0, 100, 50).sx, 0.5f);
    EXPECT_EQ(Z::Factors(Z::MOTION_GROW, 512, 0, 100, 50).sy, 0.5f);
    EXPECT_EQ(Z::Factors(Z::MOTION_SHRINK, 0, 0, 100, 50).sx, 2.0f);
    EXPECT_FLOAT_EQ(Z::Factors(Z::MOTION_PULSE_LARGE, 0, 0, 10, 10).sx, 1.7f);
    EXPECT_EQ(Z::Factors(Z::MOTION_PULSE_LARGE, 256, 0, 10, 10).sx, 1.0f - 0.7f);
    EXPECT_EQ(Z::Factors(Z::MOTION_PULSE_SMALL, 256, 0, 10, 10).sx, 1.0f - 0.7f);
    Z::SFactors w = Z::Factors(Z::MOTION_WOBBLE_WIDE, 128, 0, 10, 10);
    EXPECT_FLOAT_EQ(w.sx, 1.6f);
    EXPECT_FLOAT_EQ(w.sy, 0.4f);
    Z::SFactors h = Z::Factors(Z::MOTION_OPEN_H, 0, 0, 10, 10);
    EXPECT_EQ(h.sx, 2.0f);
    EXPECT_EQ(h.sy, 0.0f);
    Z::SFactors v = Z::Factors(Z::MOTION_OPEN_V, 0, 0, 10, 10);
    EXPECT_EQ(v.sx, 0.0f);
    EXPECT_EQ(v.sy, 2.0f);
    EXPECT_EQ(Z::Factors(Z::MOTION_UNROLL_TOP, 64, 0, 10, 30).cy, 0.0f);
    EXPECT_EQ(Z::Factors(Z::MOTION_RISE_BOTTOM, 64, 0, 10, 30).cy, 30.0f);
    EXPECT_EQ(Z::SpinAngle(0), 0);
    EXPECT_EQ(Z::SpinAngle(512), 724);
    EXPECT_EQ(Z::SpinAngle(1024), 1024);
}

TEST(MotionEffectZoom, MatricesScaleAboutThePivotThenPlace) {
    using Z = CMotionEffectZoom;
    CMatrix4 m = Z::Compose(Z::MOTION_GROW, 512, 0, 100, 50, Identity(), 10, 20);
    SPointF p = Apply(m, 0, 0);
    EXPECT_FLOAT_EQ(p.x, 35.0f);
    EXPECT_FLOAT_EQ(p.y, 32.5f);
    // The unrolling keeps its fixed edge whatever the step.
    for (int step : {0, 30, 64, 127}) {
        CMatrix4 top = Z::Compose(Z::MOTION_UNROLL_TOP, step, 0, 100, 50, Identity(), 0, 0);
        EXPECT_FLOAT_EQ(Apply(top, 0, 0).y, 0.0f);
        EXPECT_FLOAT_EQ(Apply(top, 100, 0).y, 0.0f);
        CMatrix4 bottom = Z::Compose(Z::MOTION_RISE_BOTTOM, step, 0, 100, 50, Identity(), 0, 0);
        EXPECT_FLOAT_EQ(Apply(bottom, 0, 50).y, 50.0f);
    }
    // A quarter turn of the spin (angle 128) turns the right edge downward.
    CMatrix4 spin = Z::Compose(Z::MOTION_SPIN_GROW, 0, 1024, 100, 100, Identity(), 0, 0);
    EXPECT_FLOAT_EQ(Apply(spin, 100, 50).x, 100.0f);  // angle 0 at P = 0
    // The incoming matrix applies after the effect's own scaling, before the position.
    CMatrix4 twice;
    MatrixScaling(&twice, 2, 2, 1);
    CMatrix4 g = Z::Compose(Z::MOTION_GROW, 1024, 0, 100, 50, twice, 1, 1);
    EXPECT_FLOAT_EQ(Apply(g, 100, 50).x, 201.0f);
}

TEST(MotionEffectZoom, FadeInOfIdOne) {
    CRecordingPlane plane(8, 8);
    CMotionEffect01 e;
    e.Attach(&plane);
    e.SetDuration(2);
    e.Start();
    e.Draw();
    e.Update();
    e.Draw();
    e.Update();
    e.Draw();
    ASSERT_EQ(plane.calls.size(), 3u);
    EXPECT_EQ(AlphaOf(plane.calls[0]), 0u);
    EXPECT_EQ(AlphaOf(plane.calls[1]), 127u);
    EXPECT_EQ(AlphaOf(plane.calls[2]), 255u);  // stopped
}

TEST(MotionEffectZoom, FirstFrameBeforeTheFirstUpdate) {
    CTalkMotionFactory factory;
    for (int id : {2, 14, 16, 18, 20, 34}) {
        auto e = factory.Create(id);
        CRecordingPlane plane(64, 48);
        e->Attach(&plane);
        e->SetDuration(8);
        e->Start();
        e->Draw();
        ASSERT_EQ(plane.calls.size(), 1u);
        // A zero factor: the picture collapses to a line or a point.
        SPointF a = Apply(plane.calls[0].matrix, 0, 0);
        SPointF b = Apply(plane.calls[0].matrix, 64, 48);
        EXPECT_TRUE(a.x == b.x || a.y == b.y) << "id " << id;
    }
    for (int id : {3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 35, 37}) {
        auto e = factory.Create(id);
        CRecordingPlane plane(64, 48);
        e->Attach(&plane);
        e->SetDuration(8);
        e->Start();
        e->Draw();
        ASSERT_EQ(plane.calls.size(), 1u);
        EXPECT_EQ(AlphaOf(plane.calls[0]), 0u) << "id " << id;
    }
}

TEST(MotionFactory, MapsIdsToTheirClasses) {
    CTalkMotionFactory f;
    auto typeOf = [&f](int32_t id) -> std::type_index {
        const std::unique_ptr<CMotionEffect> effect = f.Create(id);
        const CMotionEffect& made = *effect;
        return typeid(made);
    };
    EXPECT_EQ(typeOf(0), typeid(CMotionEffectPlain));
    EXPECT_EQ(typeOf(38), typeid(CMotionEffectPlain));
    EXPECT_EQ(typeOf(-1), typeid(CMotionEffectPlain));
    EXPECT_EQ(typeOf(1), typeid(CMotionEffect01));
    EXPECT_EQ(typeOf(9), typeid(CMotionEffect09));
    EXPECT_EQ(typeOf(22), typeid(CMotionEffect22));
    EXPECT_EQ(typeOf(33), typeid(CMotionEffect33));
    EXPECT_EQ(typeOf(37), typeid(CMotionEffect37));
    f.Release(nullptr);
    f.Release(f.Create(5));
}

TEST(MotionEffectStates, FinishDrawsTheMotionFromItsEndBackwards) {
    CRecordingPlane plane(8, 8);
    CMotionEffect01 e;
    e.Attach(&plane);
    e.SetDuration(4);
    e.Start();
    e.Update();
    e.Update();
    e.Finish();  // mid-run: the backward run starts at the end, steps 4 down to 1
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(e.IsFinishing());
        e.Draw();
        e.Update();
    }
    EXPECT_FALSE(e.IsActive());
    ASSERT_EQ(plane.calls.size(), 4u);
    EXPECT_EQ(AlphaOf(plane.calls[0]), 255u);
    EXPECT_EQ(AlphaOf(plane.calls[1]), 191u);  // 255 × 192 / 256, truncated
    EXPECT_EQ(AlphaOf(plane.calls[2]), 127u);
    EXPECT_EQ(AlphaOf(plane.calls[3]), 63u);

    // A duration of 0 finishes on step 0 of the motion, not its end.
    plane.calls.clear();
    CMotionEffect33 drop;
    drop.Attach(&plane);
    drop.SetDuration(0);
    drop.Finish();
    drop.Draw();
    ASSERT_EQ(plane.calls.size(), 1u);
    EXPECT_EQ(AlphaOf(plane.calls[0]), 0u);
    EXPECT_EQ(plane.calls[0].matrix.m[3][1], -4.0f);  // half of 8 above its place
    drop.Update();
    EXPECT_FALSE(drop.IsActive());
}

TEST(MotionEffectVertical, FarPositionWithAnOffsetDoesNotOverflow) {
    CRecordingPlane plane(10, 200);
    CMotionEffect24 e;  // dips by half the height, 100 pixels, at the middle
    e.Attach(&plane);
    e.SetParams(0, INT32_MAX - 10);
    e.SetDuration(2);
    e.Start();
    e.Update();
    e.Draw();
    ASSERT_EQ(plane.calls.size(), 1u);
    EXPECT_EQ(plane.calls[0].matrix.m[3][1], static_cast<float>(int64_t{INT32_MAX} + 90));
}
