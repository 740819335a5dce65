// The first page's derived values at their limits, checked against the page's own
// formulas (what the household sees must agree with what the game decides).
#include <gtest/gtest.h>

#include "game/core/Status.h"
#include "game/menus/status/StatusPageScene1.h"
#include "game/menus/status/StatusPageScene2.h"

namespace {

TEST(StatusPageValues, PointsToTheNextRankCountThePendingPoints) {
    struct SCase {
        int32_t points, pending, expected;
    };
    const SCase cases[] = {
        {0, 0, 50},     {49, 0, 1},     {49, 1, 0},      {40, 20, 0},   {50, 0, 250}, {1199, 1, 0},
        {1234, 16, 1350}, {2599, 0, 1}, {2599, 5, 0},    {2600, 0, 0},  {99999, -500, 0}, {0, -100, 150},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(CStatusPageScene1::PointsToNextRank(c.points, c.pending), c.expected) << c.points << " " << c.pending;
    }
}

TEST(StatusPageValues, PayTierAndJobsToTheNextTier) {
    struct SCase {
        int32_t jobs, tier, toNext;
    };
    const SCase cases[] = {{0, 90, 20},   {19, 90, 1},    {20, 120, 20}, {39, 120, 1}, {40, 150, 30},
                           {70, 180, 40}, {110, 210, 40}, {149, 210, 1}, {150, 240, 0}, {900, 240, 0}};
    CStatus s;
    for (const SCase& c : cases) {
        s.SetParam(103, 4, c.jobs);
        EXPECT_EQ(s.GetTierValue240(), c.tier) << c.jobs;
        EXPECT_EQ(CStatusPageScene1::JobsToNextTier(c.jobs), c.toNext) << c.jobs;
    }
}

TEST(StatusPageValues, FriendGradeThroughEveryBranchForEachFriend) {
    struct SCase {
        int32_t points, bonus, flag, rankPoints, grade;
    };
    const SCase cases[] = {
        {700, 100, 1, 2600, 7},  // top level, top rank, full bonus and flag
        {799, 99, 1, 2600, 4},   {700, 100, 0, 2600, 4},
        {700, 100, 1, 1200, 6},  // top level below the top rank counts as high
        {99, 100, 1, 2600, 0},   {100, 0, 0, 0, 1},
        {200, 100, 1, 599, 2},   {399, 49, 1, 600, 2},   {300, 50, 0, 600, 5},
        {400, 70, 1, 1200, 6},   {600, 70, 0, 1200, 3},  {400, 69, 1, 1200, 3},
        {400, 100, 1, 600, 3},   {500, 100, 1, 300, 2},
    };
    const int flags[4][2] = {{2, 6}, {3, 4}, {4, 4}, {5, 4}};
    for (int k = 0; k < 4; ++k) {
        for (const SCase& c : cases) {
            CStatus s;
            s.SetParam(106, 4 + k, c.points);
            s.SetParam(106, 12 + k, c.bonus);
            s.SetParam(flags[k][0], flags[k][1], c.flag);
            s.SetParam(104, 4, c.rankPoints);
            EXPECT_EQ(s.GetFriendStage(k), c.grade) << "friend " << k << " points " << c.points << " bonus " << c.bonus
                                                    << " flag " << c.flag << " rank points " << c.rankPoints;
        }
    }
}

TEST(StatusPageValues, FaceByTheSeasonElseBySatiety) {
    struct SCase {
        int32_t season, satiety, cell;
    };
    const SCase cases[] = {{3, 0, 6},   {4, 100, 7},  {7, 50, 8},   {8, 50, 10},  {6, 20, 11}, {0, -5, 11},
                           {0, 21, 12}, {0, 40, 12},  {1, 60, 13},  {5, 80, 14},  {2, 81, 15}, {0, 5000, 15}};
    for (const SCase& c : cases) {
        EXPECT_EQ(CStatusPageScene2::FaceCell(c.season, c.satiety), c.cell) << c.season << " " << c.satiety;
    }
}

}  // namespace
