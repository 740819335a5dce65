#include <gtest/gtest.h>

#include "engine/base/Log.h"
#include "game/core/Status.h"
#include "game/stage/score/MonthScores.h"

namespace {

using ScoreFn = float (*)(const CStatus&);

struct SBonusCase {
    ScoreFn score;
    EAbility ability;
    int item;
    float bonus;
};

// Evaluation totals that give the main ranks 0..5.
constexpr int32_t kRankTotal[] = {0, 50, 300, 600, 1200, 2600};

CStatus _StatusAtRank(int rank) {
    CStatus status;
    status.SetParam(104, 4, kRankTotal[rank]);
    return status;
}

}  // namespace

TEST(MonthScoresTest, EachBonusCountsOnlyWhileItsItemIsOwned) {
    const SBonusCase cases[] = {
        {ScoreA, ABILITY_READING, 3, 20}, {ScoreA, ABILITY_READING, 2, 5},
        {ScoreB, ABILITY_SPORTS, 9, 10},  {ScoreB, ABILITY_SPORTS, 8, 5},    {ScoreB, ABILITY_SPORTS, 7, 5},
        {ScoreB, ABILITY_SPORTS, 4, 5},   {ScoreC, ABILITY_ART, 17, 5},      {ScoreC, ABILITY_ART, 16, 5},
        {ScoreC, ABILITY_ART, 15, 5},     {ScoreC, ABILITY_ART, 14, 3},      {ScoreC, ABILITY_ART, 11, 3},
        {ScoreC, ABILITY_ART, 13, 2},     {ScoreC, ABILITY_ART, 10, 2},      {ScoreD, ABILITY_MUSIC, 18, 5},
        {ScoreE, ABILITY_HOUSEWORK, 1, 15}, {ScoreE, ABILITY_HOUSEWORK, 0, 10},
    };
    for (const SBonusCase& c : cases) {
        CStatus status;
        status.Words().ability[c.ability] = 12.75f;
        EXPECT_FLOAT_EQ(c.score(status), 12.75f) << "item " << c.item;
        status.SetParam(102, c.item, 1);
        EXPECT_FLOAT_EQ(c.score(status), 12.75f + c.bonus) << "item " << c.item;
    }
}

TEST(MonthScoresTest, ArtCountsItem17OnceWhetherOwnedOrOnlyFlagged) {
    CStatus status;
    status.SetParam(15, 17, 1);
    EXPECT_FLOAT_EQ(ScoreC(status), 5.0f);
    status.SetParam(102, 17, 1);
    EXPECT_FLOAT_EQ(ScoreC(status), 5.0f);
    status.SetParam(15, 17, 0);
    EXPECT_FLOAT_EQ(ScoreC(status), 5.0f);
    // The flag does not reach the other ratings.
    status.SetParam(102, 17, 0);
    status.SetParam(15, 17, 3);
    EXPECT_FLOAT_EQ(ScoreA(status) + ScoreB(status) + ScoreD(status) + ScoreE(status), 0.0f);
}

TEST(MonthScoresTest, CheckConditionFollowsItsSteps) {
    struct SCase {
        const char* name;
        int kind, level, rank;
        int32_t value, stored;
        bool flag;
        int expected;
    };
    const SCase cases[] = {
        {"level 7 rank 4 falls to step 2", 0, 7, 4, 70, 100, true, 6},
        {"level 7 rank 4 without the value", 0, 7, 4, 69, 100, true, 3},
        {"level 3 rank 2", 1, 3, 2, 90, 0, true, 2},
        {"level 3 rank 3 value 50", 1, 3, 3, 50, 0, false, 5},
        {"level 3 rank 3 value 49", 1, 3, 3, 49, 0, false, 2},
        {"level 1", 2, 1, 5, 100, 100, true, 1},
        {"level 0", 2, 0, 5, 100, 100, true, 0},
        {"level 4 rank 3", 3, 4, 3, 0, 0, false, 3},
        // The top step reads the stored second value, never `value`.
        {"top: stored 100 with the flag", 0, 7, 5, 0, 100, true, 7},
        {"top: value 100 but stored 99", 0, 7, 5, 100, 99, true, 4},
        {"top: no flag", 3, 9, 5, 100, 100, false, 4},
        // A kind outside the friends has no flag.
        {"kind 4 at level 4 rank 4", 4, 4, 4, 100, 0, true, 3},
        {"kind -1 at the top", -1, 7, 5, 100, 0, true, 4},
    };
    static const int kFlag[4][2] = {{2, 6}, {3, 4}, {4, 4}, {5, 4}};
    for (const SCase& c : cases) {
        CStatus status = _StatusAtRank(c.rank);
        if (c.kind >= 0 && c.kind < 4) {
            status.SetParam(106, 12 + c.kind, c.stored);
            status.SetParam(kFlag[c.kind][0], kFlag[c.kind][1], c.flag ? 1 : 0);
        } else if (c.flag) {
            for (const auto& f : kFlag) status.SetParam(f[0], f[1], 1);
        }
        EXPECT_EQ(CheckCondition(status, c.kind, c.level, c.value), c.expected) << c.name;
    }
}

TEST(MonthScoresTest, LevelToDurationSteps) {
    const int32_t values[] = {-5, 19, 20, 39, 40, 69, 70, 109, 110, 149, 150, 100000};
    const int expected[] = {90, 90, 120, 120, 150, 150, 180, 180, 210, 210, 240, 240};
    for (size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(LevelToDuration(values[i]), expected[i]) << values[i];
    }
}

// A kind outside the friends has no condition and no stored value: on a status where
// every word is high and every flag set, whatever it read of the status would lift its
// grade (to 6 or 7) or log an unknown parameter.
TEST(MonthScoresTest, AKindOutsideTheFriendsReadsNothingOfTheStatus) {
    struct SCase {
        const char* name;
        int kind, level, rank;
        int expected;
    };
    const SCase cases[] = {
        {"kind 4 at level 4 rank 4", 4, 4, 4, 3},   {"kind 4 at the top", 4, 7, 5, 4},
        {"kind -1 at level 4 rank 4", -1, 4, 4, 3}, {"kind -1 at the top", -1, 7, 5, 4},
        {"kind 5 at level 4 rank 4", 5, 4, 4, 3},   {"kind 5 at the top", 5, 7, 5, 4},
    };
    for (const SCase& c : cases) {
        CStatus status = _StatusAtRank(c.rank);
        for (int category = 0; category < CStatus::kBlockCount; ++category) {
            for (int index = 0; index < CStatus::kBlockSize; ++index) status.SetParam(category, index, 999);
        }
        SStatusWords& words = status.Words();
        for (int f = 0; f < CStatus::kFriendCount; ++f) {
            words.friendWord[f] = 999;
            words.exchange[f] = 999;
            words.abilityMastery[f] = 100;
        }
        CLogCapture log;
        EXPECT_EQ(CheckCondition(status, c.kind, c.level, 100), c.expected) << c.name;
        EXPECT_EQ(log.Count(), 0u) << c.name << ": " << (log.Count() ? log.GetLines()[0] : "");
    }
}
