// Key-text motions of a still picture, frame by frame: every key and its relative
// twin, the curves, windows, chaining, loops, stopping and the parsed end values.
#include <gtest/gtest.h>

#include <functional>

#include "game/stage/talk/TalkCgImage.h"

namespace {

constexpr float k = CTalkMotion::kScaleUnit;

// A 301 × 201 picture at (10, 20) with alpha 100 and rotation 4.
std::unique_ptr<CTalkCgImage> MakePicture() {
    auto p = std::make_unique<CTalkCgImage>();
    EXPECT_TRUE(p->CreateBlank(301, 201));
    p->SetPosition(10, 20);
    p->SetAlpha(100);
    p->SetRotation(4, 0, 0);
    return p;
}

void Updates(CTalkCgImage& p, int updates) {
    for (int i = 0; i < updates; ++i) p.Update();
}

float ScaleX(const CTalkCgImage& p) {
    float sx = 0, sy = 0;
    p.GetScale(&sx, &sy, nullptr);
    return sx;
}
float ScaleY(const CTalkCgImage& p) {
    float sx = 0, sy = 0;
    p.GetScale(&sx, &sy, nullptr);
    return sy;
}
int32_t Rotation(const CTalkCgImage& p) {
    int32_t a = 0;
    p.GetRotation(&a, nullptr);
    return a;
}

struct SKeyCase {
    const char* text;
    std::function<float(const CTalkCgImage&)> read;
    float atFrame5;
    float atEnd;
};

}  // namespace

TEST(TalkMotion, EveryKeyAndItsRelativeTwinRunLinearlyToTheirTarget) {
    auto x = [](const CTalkCgImage& p) { return static_cast<float>(p.GetPosition().x); };
    auto y = [](const CTalkCgImage& p) { return static_cast<float>(p.GetPosition().y); };
    auto alpha = [](const CTalkCgImage& p) { return static_cast<float>(p.GetAlpha()); };
    auto rot = [](const CTalkCgImage& p) { return static_cast<float>(Rotation(p)); };
    const SKeyCase cases[] = {
        {"pos_x,110,0,10", x, 60, 110},
        {"relative_pos_x,100,0,10", x, 60, 110},
        {"pos_y,-80,0,10", y, -30, -80},
        {"relative_pos_y,-100,0,10", y, -30, -80},
        {"bright,200,0,10", alpha, 150, 200},
        {"relative_bright,100,0,10", alpha, 150, 200},
        {"bright,400,0,10", alpha, 250, 255},  // held to 255 when applied
        {"rotate,132,0,0,0,10", rot, 68, 132},
        {"relative_rotate,128,0,0,0,10", rot, 68, 132},
        {"scale,2.0,0,0,0,10", ScaleX, 98302 * k, 131070 * k},
        {"relative_scale,1.0,0,0,0,10", ScaleY, 98302 * k, 131070 * k},
        {"scale_x,0.5,0,0,10", ScaleX, 49151 * k, 32767 * k},
        {"relative_scale_x,-0.5,0,0,10", ScaleX, 49151 * k, 32767 * k},
        {"scale_y,0.5,0,0,10", ScaleY, 49151 * k, 32767 * k},
        {"relative_scale_y,-0.5,0,0,10", ScaleY, 49151 * k, 32767 * k},
    };
    for (const SKeyCase& c : cases) {
        auto p = MakePicture();
        p->SetMotion(c.text);
        p->PlayMotion(false);
        Updates(*p, 6);  // frames 0..5
        EXPECT_EQ(c.read(*p), c.atFrame5) << c.text;
        Updates(*p, 5);
        EXPECT_EQ(c.read(*p), c.atEnd) << c.text;
        EXPECT_TRUE(p->IsMotionPlaying()) << c.text;  // frame 11 finds the key over
        Updates(*p, 1);
        EXPECT_FALSE(p->IsMotionPlaying()) << c.text;
    }
}

TEST(TalkMotion, ScaleKeysKeepTheOtherAxisAndTheirCentres) {
    auto p = MakePicture();
    p->SetScale(1.0f, 1.0f, 7, 9);
    p->SetMotion("scale_x,0.5,center,0,4\nscale_y,2.0,center,0,4");
    p->StopMotion();  // not playing: nothing happens
    EXPECT_EQ(ScaleX(*p), 1.0f);
    p->PlayMotion(false);
    p->StopMotion();
    SPoint centre;
    float sx = 0, sy = 0;
    p->GetScale(&sx, &sy, &centre);
    EXPECT_EQ(sx, 32767 * k);
    EXPECT_NEAR(sx, 0.4999924f, 1e-7f);
    EXPECT_EQ(sy, 131070 * k);
    EXPECT_EQ(centre, (SPoint{150, 100}));  // "center" of 301 × 201
    p->SetMotion("scale,0.5,center,3,0,1");
    p->PlayMotion(false);
    p->StopMotion();
    p->GetScale(&sx, &sy, &centre);
    EXPECT_EQ(sy, 32767 * k);
    EXPECT_EQ(centre, (SPoint{150, 3}));
}

TEST(TalkMotion, FieldsCommentsCurvesAndBadNumbers) {
    struct SCase {
        const char* text;
        int32_t xAtFrame5;
    };
    // x starts at 0; keys to 100 over 10 frames unless said otherwise.
    const SCase cases[] = {
        {"// a comment line\n\n  pos_x , 100 , 0 , 10   // trailing\n", 50},
        {"pos_x,100,0,10,quadratic", 25},
        {"pos_x,100,0,-10,quadratic", 75},
        {"pos_x,100,0,-10", 50},  // the linear curve has no direction
        {"pos_x,100,0,10,bezier", 50},
        {"pos_x,100,0,10,wobbly", 50},
        {"Pos_x,100,0,10\nmove,1,2,3", 0},  // names are exact: skipped
        {"pos_x,abc,0,10", 0},               // no number: 0
        {"pos_x,100,,", 100},                // empty start and frames: 0 and one step
        {"pos_x,100x,0,10z", 50},            // a number followed by other characters
    };
    for (const SCase& c : cases) {
        CTalkCgImage p;
        p.CreateBlank(8, 8);
        p.SetMotion(c.text);
        p.PlayMotion(false);
        Updates(p, 6);
        EXPECT_EQ(p.GetPosition().x, c.xAtFrame5) << c.text;
    }
}

TEST(TalkMotion, AZeroFrameKeyAppliesOnTwoFramesFromItsStart) {
    CTalkCgImage p;
    p.CreateBlank(8, 8);
    p.SetPosition(10, 0);
    p.SetMotion("pos_x,100,5,0");
    p.SetPosition(7, 0);  // set on the picture itself: the motion keeps running
    p.PlayMotion(false);
    Updates(p, 5);
    EXPECT_EQ(p.GetPosition().x, 7);
    Updates(p, 1);
    EXPECT_EQ(p.GetPosition().x, 10);  // its start value at frame 5
    Updates(p, 1);
    EXPECT_EQ(p.GetPosition().x, 100);
    EXPECT_TRUE(p.IsMotionPlaying());
    Updates(p, 1);
    EXPECT_FALSE(p.IsMotionPlaying());
}

TEST(TalkMotion, RelativeKeysChainFromThePreviousTarget) {
    CTalkCgImage p;
    p.CreateBlank(8, 8);
    p.SetMotion("pos_x,100,0,10\nrelative_pos_x,50,10,10");
    p.PlayMotion(false);
    Updates(p, 11);
    EXPECT_EQ(p.GetPosition().x, 100);
    Updates(p, 5);
    EXPECT_EQ(p.GetPosition().x, 125);
    Updates(p, 5);
    EXPECT_EQ(p.GetPosition().x, 150);
}

TEST(TalkMotion, LoopsRestartInTheSameUpdateAndStopWhereTheyAre) {
    CTalkCgImage p;
    p.CreateBlank(8, 8);
    p.SetMotion("pos_x,100,0,2");
    p.PlayMotion(true);
    Updates(p, 3);
    EXPECT_EQ(p.GetPosition().x, 100);
    Updates(p, 1);  // frame 3 completes the pass; frame 0 runs again at once
    EXPECT_EQ(p.GetPosition().x, 0);
    Updates(p, 1);
    EXPECT_EQ(p.GetPosition().x, 50);
    p.StopMotion();  // a looping motion stops where it is
    EXPECT_FALSE(p.IsMotionPlaying());
    EXPECT_EQ(p.GetPosition().x, 50);

    // An empty looping motion is complete at every step and keeps playing.
    p.SetMotion("");
    p.PlayMotion(true);
    Updates(p, 5);
    EXPECT_TRUE(p.IsMotionPlaying());
}

TEST(TalkMotion, StoppingRunsANonLoopingMotionToItsEnd) {
    CTalkCgImage p;
    p.CreateBlank(8, 8);
    // The latest-ending key has the last word; keys far ahead end at once too.
    p.SetMotion("pos_x,100,0,10\npos_x,30,0,4\npos_y,9,2000000000,5\nbright,0,3,4\nbright,77,0,6");
    p.PlayMotion(false);
    Updates(p, 2);
    p.StopMotion();
    EXPECT_FALSE(p.IsMotionPlaying());
    EXPECT_EQ(p.GetPosition(), (SPoint{100, 9}));
    EXPECT_EQ(p.GetAlpha(), 0);
    // PlayMotion stops a running motion first.
    p.SetMotion("pos_x,500,0,10");
    p.PlayMotion(false);
    Updates(p, 1);
    p.PlayMotion(false);
    EXPECT_EQ(p.GetPosition().x, 500);
    // ClearMotion runs it out and drops the keys.
    p.ClearMotion();
    p.PlayMotion(false);
    Updates(p, 1);
    EXPECT_FALSE(p.IsMotionPlaying());
}

TEST(TalkMotion, ParseMotionReportsTheRunningEndValues) {
    auto p = MakePicture();
    p->SetScale(1.0f, 1.0f, 0, 6);
    SPoint pos, scaleCentre, rotCentre;
    int32_t alpha = 0, rotation = 0;
    float sx = 0, sy = 0;
    p->ParseMotion("relative_pos_x,5\npos_y,7\nbright,300\nscale_x,0.5,center\nrotate,64,3,4\nrelative_rotate,-4,1,2",
                   SMotionOut{&pos, &alpha, &sx, &sy, &scaleCentre, &rotation, &rotCentre});
    EXPECT_EQ(pos, (SPoint{15, 7}));
    EXPECT_EQ(alpha, 300);
    EXPECT_FLOAT_EQ(sx, 0.5f);  // the target itself, not the counter's truncated end
    EXPECT_EQ(sy, 1.0f);
    EXPECT_EQ(scaleCentre, (SPoint{150, 6}));
    EXPECT_EQ(rotation, 60);
    EXPECT_EQ(rotCentre, (SPoint{1, 2}));
    EXPECT_EQ(p->GetPosition(), (SPoint{10, 20}));  // parsing alone moves nothing
}
