#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <vector>

#include "engine/base/Log.h"
#include "engine/file/DataFile.h"
#include "game/core/Status.h"

namespace {

struct QuietLog {
    QuietLog() { SetDebugOutputEnabled(false); }
    ~QuietLog() { SetDebugOutputEnabled(true); }
};

TEST(StatusRank, ThresholdsOfRankOfAndMainRank) {
    const int32_t below[] = {49, 299, 599, 1199, 2599};
    const int32_t at[] = {50, 300, 600, 1200, 2600};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(CStatus::RankOf(below[r]), r) << below[r];
        EXPECT_EQ(CStatus::RankOf(at[r]), r + 1) << at[r];
    }
    EXPECT_EQ(CStatus::RankOf(-5), 0);
    EXPECT_EQ(CStatus::RankOf(99999), 5);

    CStatus s;
    s.SetParam(104, 4, 1199);
    EXPECT_EQ(s.GetMainRank(), 3);
    EXPECT_EQ(s.GetParam(104, 6), 3);
    s.SetParam(104, 4, 1200);
    EXPECT_EQ(s.GetMainRank(), 4);
}

TEST(StatusRank, RankToValueTakesTheTotal) {
    EXPECT_EQ(RankToValue(0), 2);
    EXPECT_EQ(RankToValue(49), 2);
    EXPECT_EQ(RankToValue(50), 3);
    EXPECT_EQ(RankToValue(300), 4);
    EXPECT_EQ(RankToValue(600), 6);
    EXPECT_EQ(RankToValue(1200), 8);
    EXPECT_EQ(RankToValue(2599), 8);
    EXPECT_EQ(RankToValue(2600), 10);
}

TEST(StatusRank, EvaluationToNextRankAndRankBonusOfATotal) {
    // A total below 0 is still rank 0; the farthest one needs more than a word holds.
    const int32_t totals[] = {0, 49, 50, 299, 600, 2599, 2600, 99999, -20, INT32_MIN};
    const int32_t toNext[] = {50, 1, 250, 1, 600, 1, 0, 0, 70, INT32_MAX};
    const int32_t bonus[] = {10, 10, 14, 14, 22, 26, 30, 30, 10, 10};
    for (size_t i = 0; i < std::size(totals); ++i) {
        EXPECT_EQ(CStatus::GetEvaluationToNextRank(totals[i]), toNext[i]) << totals[i];
        EXPECT_EQ(CStatus::RankBonusOf(totals[i]), bonus[i]) << totals[i];
    }
}

TEST(StatusWork, SettleWorkPaysByTheTotalBeforeTheEvaluation) {
    struct Case {
        int32_t money, work, evaluation, total;
        int32_t wantMoney, wantTotal;
    };
    const Case cases[] = {
        {100, 10, 20, 290, 130, 310},             // rank 1 before: rate 3, not the new total's 4
        {0, 9999, 9999, 95000, 99990, 99999},     // the total capped
        {9999990, 100, 5, 2600, 9999999, 2605},   // the money clamped
        {50, 7, -9999, 300, 78, -9699},           // a negative evaluation takes the total below 0
        {10, 5, 30, -100, 20, -70},               // a total below 0 pays at rank 0's rate
    };
    for (const Case& c : cases) {
        CStatus s;
        SStatusWords& w = s.Words();
        w.money = c.money;
        w.workAmount = c.work;
        w.evaluation = c.evaluation;
        w.evaluationTotal = c.total;
        s.SettleWork();
        EXPECT_EQ(w.money, c.wantMoney) << c.total;
        EXPECT_EQ(w.evaluationTotal, c.wantTotal) << c.total;
        EXPECT_EQ(w.lastWorkAmount, c.work);
        EXPECT_EQ(w.lastEvaluation, c.evaluation);
        EXPECT_EQ(w.workAmount, 0);
        EXPECT_EQ(w.evaluation, 0);
    }
}

TEST(StatusDerived, LevelFromAbilityPoints) {
    CStatus s;
    EXPECT_EQ(s.GetLevel5(), 1);
    s.AddAbilityPoints(99);
    EXPECT_EQ(s.GetLevel5(), 1);
    EXPECT_EQ(s.GetParam(104, 8), 99);
    s.AddAbilityPoints(1);
    EXPECT_EQ(s.GetLevel5(), 2);
    EXPECT_EQ(s.GetParam(104, 7), 2);
    EXPECT_EQ(s.GetParam(104, 8), 0);
    s.AddAbilityPoints(1000);  // held at 400
    EXPECT_EQ(s.Words().abilityPoints, 400);
    EXPECT_EQ(s.GetLevel5(), 5);
    s.AddAbilityPoints(-1000);  // no floor, but the level stays at 1
    EXPECT_EQ(s.Words().abilityPoints, -600);
    EXPECT_EQ(s.GetLevel5(), 1);
}

TEST(StatusDerived, TierValuesByJobCount) {
    const int32_t counts[] = {0, 19, 20, 39, 40, 69, 70, 109, 110, 149, 150, 999};
    const int pay[] = {90, 90, 120, 120, 150, 150, 180, 180, 210, 210, 240, 240};
    const int cost[] = {6, 6, 8, 8, 10, 10, 12, 12, 14, 14, 16, 16};
    CStatus s;
    for (size_t k = 0; k < std::size(counts); ++k) {
        s.SetParam(103, 4, counts[k]);
        EXPECT_EQ(s.GetTierValue240(), pay[k]) << counts[k];
        EXPECT_EQ(s.GetTierValue16(), cost[k]) << counts[k];
    }
}

TEST(StatusDerived, FriendStageThroughEachBranch) {
    // (level, rank, second, flag) -> stage
    struct Case {
        int level, rank, second;
        bool flag;
        int stage;
    };
    const Case cases[] = {
        {7, 5, 100, true, 7},  {7, 5, 99, true, 4},  {7, 5, 100, false, 4},  // top branch
        {7, 4, 70, true, 6},                                                 // level 7, rank 4 falls to the next
        {4, 4, 70, true, 6},   {4, 4, 69, true, 3},  {4, 4, 70, false, 3},   // level >= 4
        {4, 3, 0, false, 3},   {4, 2, 100, true, 2},                          // rank below 3
        {0, 5, 100, true, 0},  {1, 5, 100, true, 1},                          // level below 2
        {3, 2, 50, true, 2},   {3, 3, 50, false, 5}, {3, 3, 49, true, 2},     // the rest
        {2, 5, 100, true, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CStatus::FriendStage(c.level, c.rank, c.second, c.flag), c.stage)
            << c.level << " " << c.rank << " " << c.second << " " << c.flag;
    }
}

TEST(StatusDerived, FriendStageReadsTheRecord) {
    QuietLog quiet;
    CStatus s;
    const int flagCategory[] = {2, 3, 4, 5};
    const int flagIndex[] = {6, 4, 4, 4};
    s.SetParam(104, 4, 2600);  // rank 5
    for (int f = 0; f < 4; ++f) {
        s.SetParam(106, 4 + f, 700 + f);
        s.SetParam(106, 12 + f, 100);
        EXPECT_EQ(s.GetFriendStage(f), 4) << f;
        s.SetParam(flagCategory[f], flagIndex[f], 1);
        EXPECT_EQ(s.GetFriendStage(f), 7) << f;
        EXPECT_EQ(s.GetExchangeLevel(f), 7);
        EXPECT_EQ(s.GetAbilityLevel(f), 7);
        EXPECT_EQ(s.GetItemAbilityBonus(f), 7);
    }
    EXPECT_EQ(s.GetFriendStage(4), 0);
    EXPECT_EQ(s.GetExchangeLevel(-1), 0);
}

TEST(StatusDerived, FoodPriceWithAndWithoutSeason) {
    CStatus s;
    EXPECT_EQ(s.GetModeFactor(), 4);
    s.SetParam(107, 0, 1);
    EXPECT_EQ(s.GetModeFactor(), 2);
    EXPECT_EQ(s.GetParam(108, 0), 2);
    s.SetParam(107, 0, 2);
    EXPECT_EQ(s.GetModeFactor(), 8);
    s.Words().seasonDone = 1;
    EXPECT_EQ(s.GetModeFactor(), 4);
    s.Words().seasonDone = 0;
    s.SetParam(107, 0, 6);
    EXPECT_EQ(s.GetModeFactor(), 4);
}

TEST(StatusDerived, RequiredFoodWithAndWithoutSeason) {
    CStatus s;
    s.SetParam(100, 2, 20);  // content
    s.SetParam(100, 10, 0);
    EXPECT_EQ(s.GetScaledAllowance(), 100);
    s.SetParam(100, 10, 3);  // 3 * 3 / 4 = 2
    EXPECT_EQ(s.GetScaledAllowance(), 102);
    EXPECT_EQ(s.GetParam(108, 1), 102);
    s.SetParam(100, 10, 200);
    EXPECT_EQ(s.GetScaledAllowance(), 250);
    s.SetParam(100, 2, 19);  // discontented: x 1.5 truncated
    EXPECT_EQ(s.GetParam(110, 0), 0);
    s.SetParam(100, 10, 1);  // 100 * 1.5
    EXPECT_EQ(s.GetScaledAllowance(), 150);
    s.SetParam(100, 10, 2);  // 101 * 1.5 = 151.5
    EXPECT_EQ(s.GetScaledAllowance(), 151);
    s.SetParam(107, 0, 6);   // the god of poverty doubles
    EXPECT_EQ(s.GetScaledAllowance(), 302);
    s.SetParam(100, 2, 20);
    EXPECT_EQ(s.GetScaledAllowance(), 202);
    s.SetParam(100, 10, 200);
    s.SetParam(100, 2, 0);
    EXPECT_EQ(s.GetScaledAllowance(), 750);  // 250 * 1.5 * 2, far from the cap of 9,999
}

TEST(StatusDerived, ClampedValuesAndScore) {
    CStatus s;
    s.Words().kind23Value = -5;
    EXPECT_EQ(s.GetClamped200(), 0);
    s.AddKind23Value(300);
    EXPECT_EQ(s.Words().kind23Value, 200);
    EXPECT_EQ(s.GetParam(100, 12), 200);
    s.AddKind23Value(-500);  // no floor on the value, the read is held
    EXPECT_EQ(s.Words().kind23Value, -300);
    EXPECT_EQ(s.GetClamped200(), 0);
    s.AddScoreTally(150);
    EXPECT_EQ(s.GetScore100(), 100);
    EXPECT_EQ(s.GetParam(100, 11), 100);
    s.AddScoreTally(5000);
    EXPECT_EQ(s.Words().scoreTally, 999);
    s.AddScoreTally(-5000);
    EXPECT_EQ(s.GetScore100(), 0);
}

TEST(StatusDerived, ItemBonusesOfAbilities) {
    CStatus s;
    s.Words().ability[ABILITY_SPORTS] = 10.75f;
    EXPECT_EQ(s.GetParam(100, 4), 10);
    for (int item : {9, 8, 7, 4}) s.SetParam(102, item, 1);
    EXPECT_EQ(s.GetParam(100, 4), 10 + 25);
    s.Words().ability[ABILITY_HOUSEWORK] = 3.5f;
    s.SetParam(102, 1, 1);
    EXPECT_EQ(s.GetParam(100, 7), 3 + 15);
    s.SetParam(102, 0, 1);
    EXPECT_EQ(s.GetParam(100, 7), 3 + 25);
    // Art: the reading and the capped adder count the item words alone; the story
    // flag (15, 17) stands for item 17 only in the month report's art score.
    s.Words().ability[ABILITY_ART] = 1.0f;
    EXPECT_EQ(s.GetEffectiveStat(), 1);
    s.SetParam(15, 17, 1);
    EXPECT_EQ(s.GetEffectiveStat(), 1);
    EXPECT_EQ(s.GetParam(100, 5), 1);
    EXPECT_FLOAT_EQ(s.GetAbilityRating(ABILITY_ART), 6.0f);
    for (int item : {16, 15, 14, 11, 13, 10}) s.SetParam(102, item, 1);
    EXPECT_EQ(s.GetEffectiveStat(), 1 + 20);
    EXPECT_FLOAT_EQ(s.GetAbilityRating(ABILITY_ART), 26.0f);
    s.SetParam(102, 17, 1);  // owned both ways: counted once
    EXPECT_EQ(s.GetEffectiveStat(), 1 + 25);
    EXPECT_FLOAT_EQ(s.GetAbilityRating(ABILITY_ART), 26.0f);
}

TEST(StatusAdders, CappedArtAdderIgnoresTheStoryFlag) {
    CStatus s;
    s.SetParam(15, 17, 1);  // item 17 through the story, item word 0
    s.Words().ability[ABILITY_ART] = 996.0f;
    s.AddArt(0.5f);  // 996 + 0 does not exceed 999
    EXPECT_FLOAT_EQ(s.Words().ability[ABILITY_ART], 996.5f);
    s.SetParam(102, 17, 1);
    s.AddArt(0.0f);  // 996 + 5 does
    EXPECT_FLOAT_EQ(s.Words().ability[ABILITY_ART], 994.0f);
}

TEST(StatusAdders, MoneyAndPlayerValuesAtBothEnds) {
    CStatus s;
    s.AddMoney(-1);
    EXPECT_EQ(s.Words().money, 0);
    s.AddMoney(9999999);
    s.AddMoney(1);
    EXPECT_EQ(s.Words().money, 9999999);
    s.AddMoney(INT32_MAX);
    EXPECT_EQ(s.Words().money, 9999999);
    s.AddMoney(INT32_MIN);
    EXPECT_EQ(s.Words().money, 0);

    s.AddStamina(3);
    s.AddStamina(-6);
    EXPECT_EQ(s.Words().stamina, 0);
    s.AddStamina(301);
    EXPECT_EQ(s.Words().stamina, 300);

    s.AddWorkAmount(-1);
    EXPECT_EQ(s.Words().workAmount, 0);
    s.AddWorkAmount(10000);
    EXPECT_EQ(s.Words().workAmount, 9999);

    s.AddEvaluation(-10000);
    EXPECT_EQ(s.Words().evaluation, -9999);
    s.AddEvaluation(30000);
    EXPECT_EQ(s.Words().evaluation, 9999);
}

TEST(StatusAdders, GirlAndFriendValuesAtBothEnds) {
    QuietLog quiet;
    CStatus s;
    s.AddContentment(-1);
    EXPECT_EQ(s.Words().contentment, 0);
    s.AddContentment(101);
    EXPECT_EQ(s.Words().contentment, 100);
    s.AddPersonality(-3);
    EXPECT_EQ(s.Words().personality, 0);
    s.AddSatietyCopy(200);
    EXPECT_EQ(s.Words().satietyCopy, 100);
    s.AddGrowth(500);
    EXPECT_EQ(s.Words().growth, 200);
    s.AddGrowth(-500);
    EXPECT_EQ(s.Words().growth, 0);

    s.AddExchange(2, -1);
    EXPECT_EQ(s.Words().exchange[2], 0);
    s.AddExchange(2, 1000);
    EXPECT_EQ(s.Words().exchange[2], 999);
    s.AddFriendSecond(3, 101);
    EXPECT_EQ(s.Words().abilityMastery[3], 100);
    s.AddFriendSecond(3, -101);
    EXPECT_EQ(s.Words().abilityMastery[3], 0);
    // Out of range friends change nothing.
    SStatusWords before = s.Words();
    s.AddExchange(4, 10);
    s.AddFriendSecond(-1, 10);
    EXPECT_TRUE(before == s.Words());
}

TEST(StatusAdders, ItemWordsAndFlags) {
    QuietLog quiet;
    CStatus s;
    s.AddItem(5, 3);
    EXPECT_EQ(s.GetParam(102, 5), 1);
    s.AddItem(5, -3);
    EXPECT_EQ(s.GetParam(102, 5), 0);
    s.RaiseFlag(34, 1);
    s.RaiseFlag(34, 1);
    EXPECT_EQ(s.GetParam(102, 34), 1);
    s.RaiseFlag(31, 1);  // 31 is the word of 30
    EXPECT_EQ(s.GetParam(102, 30), 1);
    EXPECT_EQ(s.GetParam(102, 31), 1);
    SStatusWords before = s.Words();
    s.RaiseFlag(35, 1);
    s.AddItem(-1, 1);
    EXPECT_TRUE(before == s.Words());
}

TEST(StatusAdders, CappedAbilityAdder) {
    CStatus s;
    s.Words().ability[ABILITY_HOUSEWORK] = 995.5f;
    s.SetParam(102, 1, 1);
    s.SetParam(102, 0, 1);
    s.AddHousework(2.0f);  // 997 + 25 exceeds 999
    EXPECT_FLOAT_EQ(s.Words().ability[ABILITY_HOUSEWORK], 974.0f);
    s.AddReading(-5.0f);
    EXPECT_FLOAT_EQ(s.Words().ability[ABILITY_READING], 0.0f);
    s.AddMusic(1.75f);
    EXPECT_FLOAT_EQ(s.Words().ability[ABILITY_MUSIC], 1.75f);
    s.AddMusic(2000.0f);
    EXPECT_FLOAT_EQ(s.Words().ability[ABILITY_MUSIC], 999.0f);
}

TEST(StatusParams, WritesClampByTheMap) {
    CStatus s;
    EXPECT_TRUE(s.SetParam(104, 0, -5));
    EXPECT_EQ(s.GetParam(104, 0), 0);
    EXPECT_TRUE(s.SetParam(104, 1, 999));
    EXPECT_EQ(s.GetParam(104, 1), 300);
    EXPECT_TRUE(s.SetParam(104, 3, -20000));
    EXPECT_EQ(s.GetParam(104, 3), -9999);
    EXPECT_TRUE(s.SetParam(104, 4, 123456));
    EXPECT_EQ(s.GetParam(104, 4), 99999);
    EXPECT_TRUE(s.SetParam(100, 0, 101));
    EXPECT_EQ(s.GetParam(100, 0), 100);
    EXPECT_TRUE(s.SetParam(100, 10, 201));
    EXPECT_EQ(s.GetParam(100, 10), 200);
    EXPECT_TRUE(s.SetParam(106, 5, 1000));
    EXPECT_EQ(s.GetParam(106, 5), 999);
    EXPECT_EQ(s.GetParam(106, 33), 999);  // the same exchange value
    EXPECT_TRUE(s.SetParam(106, 33, -4));
    EXPECT_EQ(s.GetParam(106, 5), 0);
    EXPECT_TRUE(s.SetParam(106, 13, 150));
    EXPECT_EQ(s.GetParam(106, 13), 100);
    EXPECT_TRUE(s.SetParam(102, 3, 7));
    EXPECT_EQ(s.GetParam(102, 3), 1);
    // Plain words are stored as written.
    EXPECT_TRUE(s.SetParam(2, 5, -123456));
    EXPECT_EQ(s.GetParam(2, 5), -123456);
    EXPECT_TRUE(s.SetParam(126, 22, 77));
    EXPECT_EQ(s.GetParam(126, 22), 77);
    // The satiety percentage has two addresses.
    s.SetParam(108, 3, 55);
    EXPECT_EQ(s.GetParam(100, 8), 55);
}

TEST(StatusParams, DerivedWritesAndReadOnlyPairs) {
    QuietLog quiet;
    CStatus s;
    // An ability address reads the bonus; a write moves the stored value by the
    // difference, so event settings like "+= 5" work and keep the fraction.
    s.Words().ability[ABILITY_READING] = 10.5f;
    s.SetParam(102, 3, 1);  // +20
    EXPECT_EQ(s.GetParam(100, 3), 30);
    s.SetParam(100, 3, s.GetParam(100, 3) + 5);
    EXPECT_FLOAT_EQ(s.Words().ability[ABILITY_READING], 15.5f);
    EXPECT_EQ(s.GetParam(100, 3), 35);
    // Points below the next hundred: a write moves the raw points.
    s.Words().abilityPoints = 250;
    s.SetParam(104, 8, 60);
    EXPECT_EQ(s.Words().abilityPoints, 260);
    // Two-word counters read their sum.
    s.Words().exchangeCounter[1][0] = 3;
    s.Words().exchangeCounter[1][1] = 4;
    EXPECT_EQ(s.GetParam(103, 13), 7);
    s.SetParam(103, 13, 10);
    EXPECT_EQ(s.GetParam(103, 13), 10);
    EXPECT_EQ(s.Words().exchangeCounter[1][1], 4);
    s.Words().homePairCounter[0][1] = 2;
    s.SetParam(101, 7, 5);
    EXPECT_EQ(s.GetParam(101, 7), 5);

    // Read-only pairs and unknown pairs write nothing.
    CStatus before = s;
    CLogCapture log;
    EXPECT_FALSE(s.SetParam(110, 0, 1));
    EXPECT_FALSE(s.SetParam(104, 6, 3));
    EXPECT_FALSE(s.SetParam(108, 1, 3));
    EXPECT_FALSE(s.SetParam(112, 0, 1));
    EXPECT_FALSE(s.SetParam(99, 0, 1));
    EXPECT_FALSE(s.SetParam(0, 100, 1));
    EXPECT_FALSE(s.SetParam(15, 100000, 1));
    EXPECT_FALSE(s.SetParam(107, 0, 9));
    EXPECT_TRUE(s == before);
    EXPECT_TRUE(log.Contains("CStatus::SetParam()"));
    EXPECT_EQ(s.GetParam(99, 0), 0);
    EXPECT_EQ(s.GetParam(-1, 0), 0);
    EXPECT_EQ(s.GetParam(14, -1), 0);
    EXPECT_EQ(s.GetParam(100, 13), 0);
    EXPECT_FALSE(CStatus::IsKnownParam(100, 13));
    EXPECT_TRUE(CStatus::IsKnownParam(132, 26));
    EXPECT_TRUE(CStatus::IsKnownParam(15, 50441));
    EXPECT_FALSE(CStatus::IsWritableParam(110, 0));
    EXPECT_TRUE(CStatus::IsWritableParam(109, 2));
}

TEST(StatusParams, Pair104_5IsAPlainWordThatSavesKeep) {
    CLogCapture log;
    CStatus s;
    for (int index = 0; index <= 9; ++index) EXPECT_TRUE(CStatus::IsKnownParam(104, index)) << index;
    EXPECT_TRUE(CStatus::IsWritableParam(104, 5));
    EXPECT_TRUE(s.SetParam(104, 5, -123456));
    EXPECT_EQ(s.GetParam(104, 5), -123456) << "stored as written";
    EXPECT_EQ(s.GetParam(104, 4), 0) << "no neighbour moved";
    EXPECT_EQ(s.GetParam(104, 6), 0);
    EXPECT_FALSE(log.Contains("CStatus::"));
    CDataFile file;
    file.BeginStore();
    s.Serialize(file);
    const std::vector<uint8_t> bytes = file.GetBuffer();
    CDataFile in;
    in.SetBuffer(bytes);
    in.BeginLoad();
    CStatus loaded;
    loaded.Serialize(in);
    ASSERT_FALSE(in.HasFailed());
    EXPECT_EQ(loaded.GetParam(104, 5), -123456);
}

TEST(StatusParams, RankMonthCountersAndContentment) {
    CStatus s;
    s.Words().rankMonths[0] = 3;
    EXPECT_EQ(s.GetParam(112, 0), 0);
    s.Words().rankMonths[0] = 4;
    EXPECT_EQ(s.GetParam(112, 0), 1);
    s.Words().rankMonths[1] = 1;
    EXPECT_EQ(s.GetParam(112, 1), 0);
    s.Words().rankMonths[1] = 2;
    EXPECT_EQ(s.GetParam(112, 1), 1);
    s.Words().rankMonths[2] = 9;
    EXPECT_EQ(s.GetParam(118, 3), 9);
    s.SetParam(100, 2, 19);
    EXPECT_EQ(s.GetParam(110, 0), 0);
    s.SetParam(100, 2, 20);
    EXPECT_EQ(s.GetParam(110, 0), 1);
}

TEST(StatusLists, SeenEventsFlagMapAndLetters) {
    CStatus s;
    s.MarkEventSeen(440);
    s.MarkEventSeen(440);
    s.MarkEventSeen(10511);
    EXPECT_EQ(s.GetSeenEvents().size(), 2u);
    EXPECT_TRUE(s.HasSeenEvent(10511));
    EXPECT_FALSE(s.HasSeenEvent(441));

    int32_t v = -1;
    EXPECT_FALSE(s.FindFlag(6, 1, &v));
    EXPECT_EQ(v, 0);
    s.SetLastEvent(100, 6, 1);
    s.SetLastEvent(200, 7, 1);
    s.SetLastEvent(101, 6, 1);  // updates the record of (6, 1)
    EXPECT_EQ(s.GetFlagMap().size(), 2u);
    EXPECT_TRUE(s.FindFlag(6, 1, &v));
    EXPECT_EQ(v, 101);
    EXPECT_TRUE(s.FindFlag(7, 1, &v));
    EXPECT_EQ(v, 200);

    s.AddReadLetter("a");
    s.AddReadLetter("a");
    s.AddReadLetter("b");
    EXPECT_EQ(s.GetReadLetters().size(), 2u);
    EXPECT_TRUE(s.HasReadLetter("b"));
    EXPECT_FALSE(s.HasReadLetter("c"));

    s.Reset();
    EXPECT_TRUE(s.GetSeenEvents().empty());
    EXPECT_TRUE(s.GetFlagMap().empty());
    EXPECT_TRUE(s == CStatus());
}

}  // namespace
