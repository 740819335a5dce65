// A new game's month, frame by frame from relay scene 21 to the request of scene 5.
#include "tests/game/raising/ingame/InGameTestUtil.h"

#include <array>

#include "engine/draw/SceneManager.h"
#include "game/core/SaveData.h"

namespace {

using namespace ingametest;

std::vector<SRow> MonthRows() {
    return {{1, 0, 0, "e00"}, {2, 0, 1, "e01"}, {3, 60, 0, "e60"}, {4, 3, 0, "e03"},
            {5, 22, 0, "e22"}, {6, 53, 0, "e53"}, {7, 52, 0, "e52"}};
}

class MonthTest : public InGameFixture {
protected:
    // Plays from scene 21 until the kept scene's step machine has ended.
    void PlayMonth(int32_t satiety) {
        hooks[15] = [satiety](CRaisingScene& s) { s.Status().Words().satietyPercent = satiety; };
        hooks[16] = [this](CRaisingScene& s) { stamina.push_back(s.Status().GetParam(104, 1)); };
        D().Start(21);
        ASSERT_TRUE(RunUntil([this] { return kept != nullptr && kept->GetStep() == CRaisingScene::kStepNone; }, 3000));
        ASSERT_TRUE(D().Frame());
    }
    std::vector<int32_t> stamina;
};

TEST_F(MonthTest, ANewGamePlaysItsMonthAndEndsAtTheLogo) {
    Build(MonthRows());
    PlayMonth(50);
    const std::vector<int32_t> week1 = {7, 16, 2, 13};  // mode 8 waits for the second week
    const std::vector<int32_t> week = {7, 8, 16, 2, 13};
    std::vector<int32_t> want = {2, 2, 1, 4, 5, 6, 2, 15, 2};
    want.insert(want.end(), week1.begin(), week1.end());
    want.insert(want.end(), week.begin(), week.end());
    want.insert(want.end(), week.begin(), week.end());
    want.insert(want.end(), {9, 10, 17, 2, 11, 12});
    EXPECT_EQ(modes, want);
    EXPECT_EQ(Played(), (std::vector<std::string>{"e00", "e01", "e60", "e03", "e22", "e22", "e22", "e53"}));
    // Rank 0: ten a week.
    EXPECT_EQ(stamina, (std::vector<int32_t>{10, 20, 30}));
    // The end of play: scene 5 requested over everything, the game reset, the record too.
    CSceneManager& top = D().Game().GetSceneManager();
    EXPECT_EQ(top.GetCurrentSceneId(), CRaisingScene::kEndScene);
    EXPECT_EQ(top.GetReturnStackDepth(), 0u);
    EXPECT_EQ(kept->State().m_ModeId, 0);
    EXPECT_EQ(kept->Status().GetParam(109, 0), 0);
    EXPECT_EQ(D().Game().GetSaveData().GetGameState().m_Step, 0);
}

TEST_F(MonthTest, HungerAtTheMonthsStartPlaysItsEventAndEndsThePlay) {
    Build(MonthRows());
    PlayMonth(9);
    EXPECT_EQ(Played(), (std::vector<std::string>{"e00", "e01", "e60", "e03", "e52"}));
    EXPECT_EQ(modes.back(), 2);
    EXPECT_EQ(D().Game().GetSceneManager().GetCurrentSceneId(), CRaisingScene::kEndScene);
}

TEST(RaisingMonthStart, SatietyRankAndTheSeasonOfTheMonth) {
    struct Case {
        int32_t satiety, seasonKind, evaluationTotal;
        int32_t wantCopy, wantTaken, wantContentment, wantTally;
        std::array<int32_t, 3> wantRankMonths;
    };
    const Case cases[] = {
        {10, 8, 0, 10, 0, 48, 0, {0, 0, 0}},
        {30, 8, 300, 10, 20, 48, 0, {0, 0, 1}},
        {80, 8, 1200, 30, 50, 51, 2, {1, 1, 1}},
        {100, 0, 2600, 100, 0, 51, 3, {1, 1, 1}},
    };
    for (const Case& c : cases) {
        CStatus s;
        SStatusWords& w = s.Words();
        w.satietyPercent = c.satiety;
        w.contentment = 50;
        w.evaluationTotal = c.evaluationTotal;
        s.SetParam(107, 0, c.seasonKind);
        CRaisingScene::ApplyMonthStart(s);
        EXPECT_EQ(w.satietyCopy, c.wantCopy) << c.satiety;
        EXPECT_EQ(w.seasonValue, c.wantTaken) << c.satiety;
        EXPECT_EQ(w.contentment, c.wantContentment) << c.satiety;
        EXPECT_EQ(w.scoreTally, c.wantTally) << c.satiety;
        const std::array<int32_t, 3> rankMonths = {w.rankMonths[0], w.rankMonths[1], w.rankMonths[2]};
        EXPECT_EQ(rankMonths, c.wantRankMonths) << c.satiety;
    }
    // The counters stop at 10; poor food counts months in (126, 4).
    CStatus s;
    s.Words().rankMonths[2] = 10;
    s.Words().evaluationTotal = 300;
    s.Words().satietyPercent = 40;
    CRaisingScene::ApplyMonthStart(s);
    CRaisingScene::ApplyMonthStart(s);
    EXPECT_EQ(s.Words().rankMonths[2], 10);
    EXPECT_EQ(s.GetParam(126, 4), 2);
}

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
