// The home actions against a test event table: pending changes, their month words, the
// cost, counters, the closing event and nursing.
#include "tests/game/raising/home/HomeTestUtil.h"

namespace {

using namespace hometest;

class ActionTest : public HomeFixture {
protected:
    void SetUp() override {
        BuildHome();
        EnterHome();
    }
    CStatus& S() { return kept->Status(); }
    SStatusWords& W() { return kept->Status().Words(); }
    // Runs action `id` and records the month words while its event plays.
    bool RunAndWatch(int32_t id, SStatusWords* during) {
        Host()->StartHomeMode(id, 0, 0);
        bool seen = false;
        const bool done = RunUntil([&] {
            auto* action = dynamic_cast<CHomeActionMode*>(Host()->GetCurrentSideMode());
            if (action && action->GetStep() == 1 && !seen) {
                *during = W();
                seen = true;
            }
            return seen && Host()->GetHomeMode() == 0 && Menu() != nullptr;
        });
        return done && seen;
    }
};

TEST_F(ActionTest, EachActionAppliesItsChangeAfterItsEventAndPaysItsCost) {
    struct Case {
        int32_t mode;
        int32_t choice;
        const char* script;
        int32_t personality, temper, contentment;
        float ability[5];
        int32_t cost;
    };
    const Case cases[] = {
        {1, 0, "hw0", -2, 2, 0, {0, 0, 0, 0, 2.0f}, 15},
        {2, 10, "out10", 2, 0, 0, {-0.25f, 3.0f, -0.25f, -0.25f, 0}, 25},
        {3, 1, "play1", -2, 0, 0, {1.75f, -0.5f, 0, 0, 0}, 15},
        {4, 1, "rest1", -1, -1, 1, {0, 0, 0, 0, -0.5f}, 10},
    };
    for (const Case& c : cases) {
        S().Reset();
        S().SetParam(100, 0, 50);
        S().SetParam(100, 1, 50);
        S().SetParam(100, 2, 50);
        S().SetParam(100, 9, 80);
        for (int a = 0; a < 5; ++a) S().AddAbility(static_cast<EAbility>(a), 10.0f);
        CGameState& st = kept->State();
        st.m_HouseworkKind = st.m_OutingDestination = st.m_RoomPlay = st.m_RestChoice = c.choice;
        log.Clear();
        SStatusWords during;
        ASSERT_TRUE(RunAndWatch(c.mode, &during)) << c.mode;
        EXPECT_EQ(Played(), (std::vector<std::string>{c.script, "close"})) << c.mode;
        // While the event plays the report reads the change from the month words.
        EXPECT_EQ(during.pendingPersonality, c.personality) << c.mode;
        EXPECT_EQ(during.monthPersonalityChange, c.personality) << c.mode;
        EXPECT_EQ(during.monthMindChange, c.contentment) << c.mode;
        EXPECT_EQ(during.monthReadingChange, c.ability[0]) << c.mode;
        EXPECT_EQ(during.monthSportsChange, c.ability[1]) << c.mode;
        EXPECT_EQ(during.monthHouseworkChange, c.ability[4]) << c.mode;
        EXPECT_EQ(S().GetParam(100, 0), 50 + c.personality) << c.mode;
        EXPECT_EQ(S().GetParam(100, 1), 50 + c.temper) << c.mode;
        EXPECT_EQ(S().GetParam(100, 2), 50 + c.contentment) << c.mode;
        for (int a = 0; a < 5; ++a) EXPECT_EQ(W().ability[a], 10.0f + c.ability[a]) << c.mode << " ability " << a;
        EXPECT_EQ(S().GetParam(100, 9), 80 - c.cost) << c.mode;
        EXPECT_EQ(S().GetParam(100, 10), 1) << c.mode;
        EXPECT_EQ(S().GetParam(126, 22), 1) << c.mode;
        EXPECT_EQ(W().pendingPersonality, 0);
        EXPECT_EQ(W().pendingTemper, 0);
        EXPECT_EQ(W().pendingContentment, 0);
        for (float f : W().pendingAbility) EXPECT_EQ(f, 0.0f);
    }
    // The counters of each choice.
    EXPECT_EQ(S().GetParam(101, 29), 1);
    EXPECT_EQ(S().GetParam(101, 28), 0);
}

TEST_F(ActionTest, CountersCapsAndTheSatietyFloor) {
    // Housework 995.5 with both housework items: 997.5 + 25 passes 999, so 974 is kept.
    S().Reset();
    S().SetParam(102, 0, 1);
    S().SetParam(102, 1, 1);
    S().SetParam(100, 9, 90);
    W().ability[ABILITY_HOUSEWORK] = 995.5f;
    kept->State().m_HouseworkKind = 2;
    ASSERT_TRUE(RunAction(1));
    EXPECT_EQ(W().ability[ABILITY_HOUSEWORK], 974.0f);
    EXPECT_EQ(S().GetParam(101, 4), 1);
    kept->State().m_OutingDestination = 17;
    ASSERT_TRUE(RunAction(2));
    EXPECT_EQ(W().outingCounter[17], 1);
    EXPECT_EQ(S().GetParam(100, 9), 90 - 15 - 30);
    EXPECT_EQ(S().GetParam(126, 22), 2);
    EXPECT_EQ(S().GetParam(100, 10), 2);
    // Rest under 添い寝神 costs 12: from 12 and from 11 nothing is left.
    for (int32_t copy : {12, 11}) {
        S().SetParam(107, 0, 7);
        S().SetParam(100, 9, copy);
        kept->State().m_RestChoice = 0;
        ASSERT_TRUE(RunAction(4));
        EXPECT_EQ(S().GetParam(100, 9), 0) << copy;
    }
    EXPECT_EQ(S().GetParam(101, 28), 2);
}

TEST_F(ActionTest, NursingPaysTheDoctorAndCuresHer) {
    struct Case {
        int32_t season, money, fee;
    };
    for (const Case& c : {Case{4, 40, 14}, Case{4, 2, 0}, Case{4, 1, 1}, Case{4, 60, 50}, Case{3, 75, 75},
                          Case{3, 74, 37}, Case{3, 0, 0}}) {
        S().Reset();
        S().SetParam(107, 0, c.season);
        S().SetParam(104, 0, c.money);
        S().SetParam(100, 9, 40);
        log.Clear();
        ASSERT_TRUE(RunAction(5));
        EXPECT_EQ(S().GetParam(104, 0), c.money - c.fee) << c.season << " " << c.money;
        EXPECT_EQ(S().GetParam(107, 0), 0);
        EXPECT_EQ(S().GetParam(126, 20), 1);
        EXPECT_EQ(S().GetParam(126, 21), 1);
        EXPECT_EQ(S().GetParam(100, 9), 0);
        EXPECT_EQ(S().GetParam(126, 22), 0) << "nursing is not counted";
        EXPECT_EQ(Played(), std::vector<std::string>{"nurse"}) << "no closing event";
    }
}

TEST_F(ActionTest, AMissingChoiceChangesNothing) {
    S().SetParam(100, 9, 50);
    kept->State().m_OutingDestination = 40;
    ASSERT_TRUE(RunAction(2));
    EXPECT_EQ(S().GetParam(100, 9), 50);
    EXPECT_EQ(S().GetParam(126, 22), 0);
}

TEST(HomeChanges, EveryOutingAndRoomPlayHasTheChangeAndCostOfItsRow) {
    struct Row {
        int32_t mode;
        std::vector<int32_t> choices;
        int32_t personality;
        float ability[5];  // reading, sports, art, music, housework
        int32_t cost;
    };
    const Row rows[] = {
        {2, {0, 1, 2, 3, 4, 5, 14, 16}, 1, {-0.25f, 2.0f, -0.25f, -0.25f, 0}, 15},
        {2, {6, 7, 8, 9}, 3, {-0.25f, 0, -0.25f, -0.25f, 0}, 20},
        {2, {10}, 2, {-0.25f, 3.0f, -0.25f, -0.25f, 0}, 25},
        {2, {11}, 2, {-0.25f, 1.0f, -0.25f, -0.25f, 2.0f}, 25},
        {2, {12}, 4, {-0.25f, 1.0f, -0.25f, -0.25f, 0}, 25},
        {2, {13}, 2, {0, 3.0f, 0, 0, 0}, 25},
        {2, {15, 17}, 2, {-0.25f, 3.0f, -0.25f, -0.25f, 0}, 30},
        {3, {0, 4, 5}, -2, {0, -0.5f, 0, 0, 0}, 15},
        {3, {1}, -2, {1.75f, -0.5f, 0, 0, 0}, 15},
        {3, {2}, -2, {0, -0.5f, 1.75f, 0, 0}, 15},
        {3, {3}, -2, {0, -0.5f, 0, 1.75f, 0}, 15},
    };
    for (const Row& r : rows) {
        for (int32_t choice : r.choices) {
            SCOPED_TRACE(testing::Message() << "mode " << r.mode << " choice " << choice);
            const SHomeChange c = HomeChangeOf(r.mode, choice);
            EXPECT_EQ(c.personality, r.personality);
            EXPECT_EQ(c.temper, 0);
            EXPECT_EQ(c.contentment, 0);
            for (int a = 0; a < 5; ++a) EXPECT_EQ(c.ability[a], r.ability[a]) << "ability " << a;
            EXPECT_EQ(c.cost, r.cost);
        }
    }
}

class ClosingTest : public HomeFixture {};

TEST_F(ClosingTest, TheClosingEventStartsAlwaysAndTheMusicFadesOnlyWhenItHasARow) {
    for (bool closing : {true, false}) {
        BuildHome(closing);
        EnterHome();
        CMainGameScene& stage = kept->Stage();
        ASSERT_EQ(stage.GetRecord().GetSoundSlot(0, 0)->playing, 1) << "the menu's music";
        kept->State().m_HouseworkKind = 0;
        Host()->StartHomeMode(1, 0, 0);
        ASSERT_TRUE(RunUntil([&] {
            auto* action = dynamic_cast<CHomeActionMode*>(Host()->GetCurrentSideMode());
            return action && action->GetStep() == 5;
        }));
        EXPECT_EQ(kept->State().m_EventKind, 53) << closing;
        EXPECT_EQ(stage.GetRecord().GetSoundSlot(0, 0)->playing, closing ? 0 : 1) << closing;
    }
}

}  // namespace
