#include <gtest/gtest.h>

#include <vector>

#include "engine/base/FrameTimer.h"

namespace {
// A scripted clock: time moves only when the test or a sleep moves it.
class CFakeClock : public IFrameClock {
public:
    uint32_t now = 1000;
    std::vector<uint32_t> sleeps;
    uint32_t NowMs() override { return now; }
    void SleepMs(uint32_t ms) override {
        sleeps.push_back(ms);
        now += ms;
    }
};
}  // namespace

TEST(FrameTimer, FixedPointFrameTimeCarriesTheFraction) {
    CFakeClock clock;
    CFrameTimer t(&clock);
    t.SetFps(60);
    EXPECT_EQ(t.GetFps(), 60);
    EXPECT_EQ(t.GetFrameTime(), 65536000u / 60);  // 16.666 ms in 16.16
    t.Restart();
    // Frames that take no time sleep 16 or 17 ms.  65,536,000 / 60 truncates to
    // 16.66665 ms, so three frames make 49 ms and sixty make 999.
    uint32_t start = clock.now;
    for (int i = 0; i < 3; ++i) {
        t.WaitFrame();
        EXPECT_FALSE(t.IsSkipDraw());
    }
    EXPECT_EQ(clock.now - start, 49u);
    EXPECT_EQ(clock.sleeps, (std::vector<uint32_t>{16, 17, 16}));
    for (int i = 0; i < 57; ++i) t.WaitFrame();
    EXPECT_EQ(clock.now - start, 999u);
}

TEST(FrameTimer, SlightlyLateFrameSkipsNextDrawAndKeepsSchedule) {
    CFakeClock clock;
    CFrameTimer t(&clock);
    t.Restart();
    uint32_t start = clock.now;
    clock.now += 16 + 10;  // 10 ms late
    t.WaitFrame();
    EXPECT_TRUE(t.IsSkipDraw());
    EXPECT_EQ(t.GetLastLag(), 10u);
    // The schedule is kept: the next frame ends at 33 ms after the start.
    t.WaitFrame();
    EXPECT_FALSE(t.IsSkipDraw());
    EXPECT_EQ(clock.now - start, 33u);
}

TEST(FrameTimer, LaterFramesCarryLagAndSkipOnlyFromSixFrames) {
    CFakeClock clock;
    CFrameTimer t(&clock);
    t.Restart();
    clock.now += 16 + 40;  // 40 ms late: more than a frame, less than six
    t.WaitFrame();
    EXPECT_FALSE(t.IsSkipDraw());
    clock.now += 16 + 120;  // the lag grows past six frame times (96 ms)
    t.WaitFrame();
    EXPECT_TRUE(t.IsSkipDraw());
}

TEST(FrameTimer, LagAbove250msIsForgotten) {
    CFakeClock clock;
    CFrameTimer t(&clock);
    t.Restart();
    clock.now += 400;
    t.WaitFrame();
    EXPECT_FALSE(t.IsSkipDraw());
    // The schedule starts over: the next frame sleeps a full frame.
    clock.sleeps.clear();
    t.WaitFrame();
    ASSERT_EQ(clock.sleeps.size(), 1u);
    EXPECT_GE(clock.sleeps[0], 16u);
}

TEST(FrameTimer, LongUpdateRestartsTheSchedule) {
    CFakeClock clock;
    CFrameTimer t(&clock);
    t.Restart();
    t.BeginUpdate();
    clock.now += 31;  // under two frame times: no restart
    t.EndUpdate();
    t.WaitFrame();
    EXPECT_TRUE(t.IsSkipDraw());
    t.Restart();
    t.BeginUpdate();
    clock.now += 32;  // two whole-millisecond frame times
    t.EndUpdate();
    clock.sleeps.clear();
    t.WaitFrame();
    EXPECT_FALSE(t.IsSkipDraw());
    ASSERT_EQ(clock.sleeps.size(), 1u);
    EXPECT_EQ(clock.sleeps[0], 16u);
}

// At 60 frames per second the whole-millisecond frames after a restart run
// 16, 17, 16, 17 ...: "the next frame's time" is the one the carried fraction gives.
TEST(FrameTimer, SkipBoundaryIsTheNextFramesWholeMilliseconds) {
    {
        CFakeClock clock;
        CFrameTimer t(&clock);
        t.Restart();
        clock.now += 16 + 17;  // 17 late; the next frame takes 17
        t.WaitFrame();
        EXPECT_EQ(t.GetLastLag(), 17u);
        EXPECT_TRUE(t.IsSkipDraw());
    }
    for (uint32_t lag : {16u, 17u}) {
        CFakeClock clock;
        CFrameTimer t(&clock);
        t.Restart();
        uint32_t start = clock.now;
        t.WaitFrame();           // on time: sleeps 16
        clock.now = start + 16 + 17 + lag;  // the next frame takes 16
        t.WaitFrame();
        EXPECT_EQ(t.GetLastLag(), lag);
        EXPECT_EQ(t.IsSkipDraw(), lag == 16u) << "lag " << lag;
    }
}

TEST(FrameTimer, CarriedLagSkipsFromSixWholeFrameTimes) {
    for (uint32_t lag : {95u, 96u}) {
        CFakeClock clock;
        CFrameTimer t(&clock);
        t.Restart();
        clock.now += 16 + lag;
        t.WaitFrame();
        EXPECT_EQ(t.IsSkipDraw(), lag == 96u) << "lag " << lag;
    }
}

TEST(FrameTimer, LagOf250IsCarriedAndAboveItForgotten) {
    {
        CFakeClock clock;
        CFrameTimer t(&clock);
        t.Restart();
        uint32_t start = clock.now;
        clock.now += 16 + 250;
        t.WaitFrame();
        EXPECT_TRUE(t.IsSkipDraw());  // carried, and over six frame times
        // The schedule is kept: the next frame's end (33 ms) is still far behind.
        t.WaitFrame();
        EXPECT_EQ(t.GetLastLag(), 16u + 250u - 33u);
        EXPECT_TRUE(clock.sleeps.empty());
        EXPECT_EQ(clock.now - start, 266u);
    }
    {
        CFakeClock clock;
        CFrameTimer t(&clock);
        t.Restart();
        clock.now += 16 + 251;
        t.WaitFrame();
        EXPECT_EQ(t.GetLastLag(), 251u);
        EXPECT_FALSE(t.IsSkipDraw());
        // Started over from now, fraction and all: a full 16 ms frame follows.
        t.WaitFrame();
        EXPECT_FALSE(t.IsSkipDraw());
        EXPECT_EQ(clock.sleeps, (std::vector<uint32_t>{16}));
    }
}

TEST(FrameTimer, RestartThresholdFollowsTheRate) {
    CFakeClock clock;
    CFrameTimer t(&clock);
    t.SetFps(30);  // 33.33 ms: two whole-millisecond frame times are 66 ms
    EXPECT_EQ(t.GetFps(), 30);
    for (uint32_t took : {65u, 66u}) {
        t.Restart();
        t.BeginUpdate();
        clock.now += took;
        t.EndUpdate();
        clock.sleeps.clear();
        t.WaitFrame();
        if (took == 66u) {
            // Restarted at the end of the update: a whole frame lies ahead.
            ASSERT_EQ(clock.sleeps.size(), 1u);
            EXPECT_EQ(clock.sleeps[0], 33u);
        } else {
            EXPECT_TRUE(clock.sleeps.empty());
            EXPECT_EQ(t.GetLastLag(), 65u - 33u);
        }
    }
}
