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
