#include <gtest/gtest.h>

#include "engine/base/Counter.h"

TEST(CounterLinear, EndsAreExactAndMiddleTruncatesTowardZero) {
    CCounterLinear c;
    c.Set(0, 100, 3);
    EXPECT_TRUE(c.IsStart());
    EXPECT_EQ(c.GetValue(), 0);
    c.Next();
    EXPECT_EQ(c.GetValue(), 33);
    c.Next();
    EXPECT_EQ(c.GetValue(), 66);
    c.Next();
    EXPECT_EQ(c.GetValue(), 100);
    EXPECT_TRUE(c.IsEnd());
    c.Next();  // stays at the end
    EXPECT_EQ(c.GetStep(), 3);

    c.Set(0, -100, 3);
    c.Next();
    EXPECT_EQ(c.GetValue(), -33);
}

TEST(CounterLinear, ZeroAndNegativeStepCounts) {
    CCounterLinear c;
    c.Set(10, 0, 0);
    EXPECT_EQ(c.GetTotal(), 1);
    EXPECT_EQ(c.GetValue(), 10);
    c.Next();
    EXPECT_EQ(c.GetValue(), 0);
    c.Set(0, 8, -4);
    EXPECT_EQ(c.GetTotal(), 4);
    c.SetStep(-2);  // absolute value
    EXPECT_EQ(c.GetValue(), 4);
    c.SetStep(99);  // held to the total
    EXPECT_EQ(c.GetStep(), 4);
    EXPECT_EQ(c.GetValue(), 8);
    c.Prev();
    EXPECT_EQ(c.GetValue(), 6);
    c.SetStep(0);
    c.Prev();
    EXPECT_EQ(c.GetStep(), 0);
}

TEST(CounterLinear, LargeRangesDoNotOverflow) {
    CCounterLinear c;
    c.Set(-2000000000, 2000000000, 1000);
    c.SetStep(500);
    EXPECT_EQ(c.GetValue(), 0);
}

TEST(Counter, NeverSetCountsAsAtEnd) {
    CCounterLinear c;
    EXPECT_TRUE(c.IsAtEnd());
    EXPECT_EQ(c.GetValue(), 0);
}

TEST(CounterAccel, ForwardEasesIn) {
    CCounterAccel c;
    c.Set(0, 100, 10);
    EXPECT_FALSE(c.IsReversed());
    c.SetStep(1);
    EXPECT_EQ(c.GetValue(), 1);
    c.SetStep(5);
    EXPECT_EQ(c.GetValue(), 25);
    c.SetStep(9);
    EXPECT_EQ(c.GetValue(), 81);
    c.SetStep(10);
    EXPECT_EQ(c.GetValue(), 100);
}

TEST(CounterAccel, ReversedEasesOut) {
    CCounterAccel c;
    c.Set(0, 100, -10);
    EXPECT_TRUE(c.IsReversed());
    EXPECT_EQ(c.GetValue(), 0);
    c.SetStep(1);
    EXPECT_EQ(c.GetValue(), 19);
    c.SetStep(5);
    EXPECT_EQ(c.GetValue(), 75);
    c.SetStep(9);
    EXPECT_EQ(c.GetValue(), 99);
    c.SetStep(10);
    EXPECT_EQ(c.GetValue(), 100);
}

TEST(CounterAccel, WholeValuesAreNotLostToRounding) {
    CCounterAccel c;
    c.Set(0, 116, 10);
    c.SetStep(5);
    EXPECT_EQ(c.GetValue(), 29);  // 116 × 25 / 100 exactly
    c.Set(116, 0, -10);
    c.SetStep(5);
    EXPECT_EQ(c.GetValue(), 29);
}

TEST(CounterAccel, SlideFromOffScreen) {
    // A slide in from −800 over 20 decelerating steps.
    CCounterAccel c;
    c.Set(-800, 0, -20);
    c.SetStep(10);
    EXPECT_EQ(c.GetValue(), -200);  // (20 − 10)² × (−800 / 400) + 0
    c.SetStep(19);
    EXPECT_EQ(c.GetValue(), -2);
}

TEST(CounterSin, BothDirections) {
    CCounterSin c;
    c.Set(0, 1000, 4);
    c.SetStep(2);
    EXPECT_EQ(c.GetValue(), 707);
    c.SetStep(4);
    EXPECT_EQ(c.GetValue(), 1000);
    c.Set(0, 1000, -4);
    c.SetStep(2);
    EXPECT_EQ(c.GetValue(), 292);
    c.SetStep(1);
    EXPECT_EQ(c.GetValue(), 76);
    c.SetStep(0);
    EXPECT_EQ(c.GetValue(), 0);
}

TEST(CounterLog, VolumeCurve) {
    CCounterLog c;
    c.Set(-10000, 0, 1000);
    c.SetStep(0);
    EXPECT_EQ(c.GetValue(), -10000);
    c.SetStep(1000);
    EXPECT_EQ(c.GetValue(), 0);
    c.SetStep(500);
    EXPECT_EQ(c.GetValue(), -2596);
    // Monotonic rise.
    int last = -10001;
    for (int s = 0; s <= 1000; s += 50) {
        c.SetStep(s);
        EXPECT_GT(c.GetValue(), last);
        last = c.GetValue();
    }
}
