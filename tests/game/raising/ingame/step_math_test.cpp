// The step machine's arithmetic: the calendar and the month's start.
#include <gtest/gtest.h>

#include "game/raising/ingame/RaisingScene.h"

namespace {

TEST(RaisingStepMath, AdvanceWeekRollsMonthAndYear) {
    struct Case {
        int32_t year, month, week, wantYear, wantMonth, wantWeek;
    };
    for (const Case c : {Case{1, 4, 1, 1, 4, 2}, Case{1, 4, 4, 1, 5, 1}, Case{1, 12, 4, 2, 1, 1}}) {
        CStatus s;
        s.Words().year = c.year;
        s.Words().month = c.month;
        s.Words().week = c.week;
        CRaisingScene::AdvanceWeek(s);
        EXPECT_EQ(s.GetParam(109, 0), c.wantYear);
        EXPECT_EQ(s.GetParam(109, 1), c.wantMonth);
        EXPECT_EQ(s.GetParam(109, 2), c.wantWeek);
    }
}

}  // namespace
