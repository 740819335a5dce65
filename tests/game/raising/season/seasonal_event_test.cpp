// The seasonal event screen: the choice of the kind, the ability test, picture 1's
// motion, the states with their outcomes, and its saved words.
#include <cmath>

#include "engine/base/Random.h"
#include "engine/base/SinTable.h"
#include "game/raising/season/SeasonalEventScene.h"
#include "tests/game/raising/season/SeasonTestUtil.h"

namespace {

using namespace seasontest;
using ingametest::SRow;
using G = CG000Scene;

class SeasonalEventTest : public SeasonFixture {
protected:
    void SetUp() override {
        BuildSeason({{1, 2, 4, "thief"}, {2, 2, 12, "thief_after"}, {3, 2, 7, "eighth"}, {4, 2, 0, "harvest"},
                     {5, 2, 9, "harvest_after"}, {6, 2, 15, "eighth_after"}, {7, 2, 1, "bad"}, {8, 2, 5, "poor"},
                     {9, 2, 13, "poor_after"}, {10, 2, 2, "epidemic"}, {11, 2, 10, "epidemic_after"},
                     {12, 2, 3, "cold"}, {13, 2, 11, "cold_after"}, {14, 2, 6, "sleep"}, {15, 2, 14, "sleep_after"}});
    }

    // A month in which an event may come.
    void Ready(int32_t year, int32_t month, int32_t mind = 50) {
        CStatus& s = kept->Status();
        SetCalendar(year, month);
        s.Words().seasonGap = 2;
        s.SetParam(100, 2, mind);
    }
    // The kinds chosen over `seeds` seeded loads.
    std::map<int32_t, int> Kinds(int seeds) {
        std::map<int32_t, int> out;
        for (int seed = 1; seed <= seeds; ++seed) {
            CRandom::SetDefaultSeedForTests(static_cast<uint32_t>(seed));
            const int32_t gap = kept->Status().Words().seasonGap;
            G screen(*kept);
            screen.Load();
            kept->Status().Words().seasonGap = gap;
            ++out[screen.GetKind()];
        }
        return out;
    }
    // A seed whose load chooses `kind` (0 when none of the first 200 does).
    uint32_t SeedFor(int32_t kind) {
        for (uint32_t seed = 1; seed <= 200; ++seed) {
            CRandom::SetDefaultSeedForTests(seed);
            G screen(*kept);
            screen.Load();
            if (screen.GetKind() == kind) return seed;
        }
        return 0;
    }
    // Friend i's help at level 7 with `mastery`, the one that makes the test pass or fail.
    void Helper(int i, int32_t mastery) {
        CStatus& s = kept->Status();
        s.Words().exchange[i] = 700;
        s.Words().evaluationTotal = 2600;
        s.Words().abilityMastery[i] = mastery;
        s.SetParam(i + 2, i == 0 ? 6 : 4, 1);
    }
    // Reseeds the ability test's generator so that its next draw passes `t` or fails it.
    static void NextRoll(bool pass, int32_t t) {
        for (uint32_t seed = 1;; ++seed) {
            CRandom probe(seed);
            if (G::Chance(probe, t) == pass) {
                G::AbilityRandom().Seed(seed);
                return;
            }
        }
    }
    G* Screen() {
        auto* host = Current<CG000ModeState>();
        return host ? &host->GetScene() : nullptr;
    }
};

TEST_F(SeasonalEventTest, NoEventBeforeTheSecondAprilInMonthsNineAndElevenOrRightAfterOne) {
    struct Case {
        int32_t year, month, gap, mind;
    };
    const Case cases[] = {
        {1, 8, 5, 50}, {1, 12, 5, 50}, {2, 1, 5, 50}, {2, 3, 5, 50},  {3, 8, 1, 50},  {3, 9, 5, 50},
        {3, 11, 5, 50}, {3, 3, 5, 10}, {3, 4, 5, 19}, {3, 12, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "year " << c.year << " month " << c.month << " gap " << c.gap);
        Ready(c.year, c.month, c.mind);
        kept->Status().Words().seasonGap = c.gap;
        const auto kinds = Kinds(60);
        EXPECT_EQ(kinds.size(), 1u);
        EXPECT_EQ(kinds.begin()->first, 0);
    }
}

TEST_F(SeasonalEventTest, KindsComeByMonthAtTheirChances) {
    struct Case {
        int32_t month, mind;
        std::map<int32_t, double> share;  // kind → expected share of loads
    };
    const Case cases[] = {
        {1, 0, {{4, 0.25}}},        // P(25), then P(100)
        {2, 100, {{4, 0.20}}},      // P(25), then P(80)
        {4, 100, {{6, 0.15}}},      // content: P(25), then P(60)
        {6, 50, {{3, 0.225}}},      // P(25), then P(90)
        {7, 100, {{7, 0.15}}},      // P(25), then P(60)
        {8, 0, {{8, 0.25}}},        // P(25) only
        {10, 50, {{1, 0.125}, {2, 0.125}}},
        {10, 0, {{1, 0.125}}},      // discontented: the second branch gives nothing
        {12, 30, {{5, 0.25}}},
    };
    const int seeds = 600;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "month " << c.month << " mind " << c.mind);
        Ready(3, c.month, c.mind);
        const auto kinds = Kinds(seeds);
        double none = 1.0;
        for (const auto& [kind, share] : c.share) {
            const auto it = kinds.find(kind);
            const double got = it == kinds.end() ? 0.0 : static_cast<double>(it->second) / seeds;
            EXPECT_NEAR(got, share, 0.05) << "kind " << kind;
            none -= share;
        }
        EXPECT_EQ(kinds.size(), c.share.size() + 1);
        EXPECT_NEAR(static_cast<double>(kinds.at(0)) / seeds, none, 0.05);
    }
}

TEST_F(SeasonalEventTest, EachKindPutsItsBackgroundOnLayerOneHundred) {
    struct Case {
        int32_t month, kind;
        bool night;
    };
    const Case cases[] = {{1, 4, true}, {4, 6, false}, {8, 8, false}, {10, 2, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind);
        Ready(3, c.month, 60);
        const uint32_t seed = SeedFor(c.kind);
        ASSERT_NE(seed, 0u);
        kept->Stage().RemoveLayer(CMainGameScene::kBackgroundLayer);
        CRandom::SetDefaultSeedForTests(seed);
        G screen(*kept);
        screen.Load();
        const SLayerRecord* r = kept->Stage().FindLayerRecord(CMainGameScene::kBackgroundLayer);
        ASSERT_NE(r, nullptr);
        if (c.night) {
            EXPECT_EQ(r->file, G::kNightBackground);
        } else {
            EXPECT_EQ(r->kind, 4);  // the time-of-day background
            EXPECT_EQ(r->level, 256);
        }
    }
    // A failed draw leaves the layer alone.
    Ready(3, 8, 60);
    const uint32_t seed = SeedFor(0);
    kept->Stage().ShowLayerImage(CMainGameScene::kBackgroundLayer, G::kSheets[0]);
    CRandom::SetDefaultSeedForTests(seed);
    G screen(*kept);
    screen.Load();
    EXPECT_EQ(kept->Stage().GetLayerFile(CMainGameScene::kBackgroundLayer), G::kSheets[0]);
}

TEST_F(SeasonalEventTest, TheAbilityTestGoesByHelpLevelAndMastery) {
    struct Case {
        int32_t exchange, evaluation, mastery;
        bool flag;
        int level;
        int32_t chance;  // 0: fails without a draw
    };
    const Case cases[] = {
        {0, 0, 95, false, 0, 0},        {100, 0, 95, false, 1, 0},     {200, 0, 95, false, 2, 35},
        {200, 0, 85, false, 2, 30},     {200, 0, 75, false, 2, 25},    {200, 0, 65, false, 2, 20},
        {200, 0, 55, false, 2, 15},     {200, 0, 45, false, 2, 12},    {200, 0, 39, false, 2, 0},
        {400, 600, 40, false, 3, 17},   {300, 600, 50, false, 5, 20},  {700, 2600, 90, false, 4, 45},
        {400, 1200, 70, true, 6, 35},   {700, 2600, 100, true, 7, 50},
    };
    G screen(*kept);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " mastery " << c.mastery);
        CStatus& s = kept->Status();
        s.Words().exchange[2] = c.exchange;
        s.Words().evaluationTotal = c.evaluation;
        s.Words().abilityMastery[2] = c.mastery;
        s.SetParam(4, 4, c.flag ? 1 : 0);
        ASSERT_EQ(s.GetItemAbilityBonus(2), c.level);
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            G::AbilityRandom().Seed(seed);
            CRandom model(seed);
            const bool want = c.chance > 0 && G::Chance(model, c.chance);
            ASSERT_EQ(screen.RollAbility(2), want) << "seed " << seed;
            // A test that fails at once draws nothing.
            if (c.chance == 0) {
                EXPECT_EQ(G::AbilityRandom().Next(), model.Next());
            }
        }
    }
}

TEST_F(SeasonalEventTest, PictureOneZoomsInAndTurnsTwice) {
    // The angle runs over two whole turns, 0 to 1024 unwrapped, as 1024 sin(turn / 8).
    CCounterAccel turn;
    turn.Set(2048, 1024, -30);
    int32_t last = -1;
    for (int step = 0; step <= 30; ++step, turn.Next()) {
        const int32_t t = turn.GetValue();
        const int32_t unwrapped = (CSinTable::Sin(t / 8) * 1024) >> 16;
        EXPECT_GE(unwrapped, last);
        last = unwrapped;
        EXPECT_EQ(G::TurnAngle(t), unwrapped % 512);
        EXPECT_NEAR(unwrapped, 1024.0 * std::sin((t / 8) * 2.0 * M_PI / 512.0), 1.0);
    }
    EXPECT_EQ(last, 1024);

    Ready(3, 8);
    CRandom::SetDefaultSeedForTests(SeedFor(8));
    kept->SetMode(6, 0, 0);
    ASSERT_TRUE(D().Frame(2));
    G* screen = Screen();
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->GetState(), 1);
    // Opened in the first frame, stepped in the next: 29 more steps to the end.
    int32_t scale = 0;
    for (int frame = 1; frame <= 29; ++frame) {
        EXPECT_EQ(screen->GetPictureState(0), G::kOpening) << frame;
        EXPECT_GT(screen->GetScale(), scale) << frame;
        scale = screen->GetScale();
        // Decide while picture 1 opens does nothing.
        if (frame == 10) D().Press();
        ASSERT_TRUE(D().Frame());
        EXPECT_EQ(screen->GetState(), 1) << frame;
    }
    EXPECT_EQ(screen->GetPictureState(0), G::kOpen);
    EXPECT_EQ(screen->GetScale(), 1024);
    EXPECT_EQ(screen->GetTurn(), 1024);
    EXPECT_EQ(screen->GetAlpha(0), 255);
    // Open: picture 1 plainly at its place; decide moves on at once.
    ASSERT_TRUE(probe.ShowsCellAt(D().Pixels(), G::kSheets[0], 7, 0, G::kPictureAt[0].x, G::kPictureAt[0].y));
    D().Press();
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(screen->GetState(), 2);
}

TEST_F(SeasonalEventTest, ThiefTakesASixthAndGivesItBackOnlyAfterTheSecondScript) {
    for (const bool pass : {true, false}) {
        SCOPED_TRACE(pass ? "passed" : "failed");
        Ready(3, 12, 60);
        const uint32_t seed = SeedFor(5);
        ASSERT_NE(seed, 0u);
        CRandom::SetDefaultSeedForTests(seed);
        kept->Status().Words().money = 605;
        Helper(3, 90);
        NextRoll(pass, 50);
        log.Clear();
        kept->SetMode(6, 0, 0);
        ASSERT_TRUE(D().Frame(2));
        G* screen = Screen();
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->GetKind(), 5);
        EXPECT_EQ(kept->Status().Words().seasonGap, 0);
        // Picture 1's 200 frames, then picture 2 and 3 (the second event exists).
        ASSERT_TRUE(RunUntil([&] { return screen->GetState() == 3; }, 300));
        EXPECT_TRUE(screen->IsThirdShown());
        ASSERT_TRUE(RunUntil([&] { return screen->GetState() == 5; }, 700));
        EXPECT_EQ(kept->Status().Words().money, 605);
        ASSERT_TRUE(RunUntil([&] { return screen->GetState() >= 7; }, 300));
        EXPECT_EQ(kept->Status().Words().money, 505);
        EXPECT_EQ(kept->Status().Words().seasonLoss, 100);
        EXPECT_EQ(kept->Status().Words().lastSeasonKind, 5);
        ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }, 300));
        EXPECT_EQ(kept->Status().Words().money, pass ? 605 : 505);
        EXPECT_EQ(kept->Status().Words().seasonDone, pass ? 1 : 0);
        const std::vector<std::string> want = pass ? std::vector<std::string>{"thief", "thief_after"}
                                                   : std::vector<std::string>{"thief"};
        EXPECT_EQ(Played(), want);
    }
}

TEST_F(SeasonalEventTest, KindsTwoAndSixGoOnToTheirSecondEventAndTheOthersEndAfterTheFirst) {
    struct Case {
        int32_t month, kind;
        bool third;
        std::vector<std::string> played;
        uint8_t done = 0;
    };
    // Kind 1 never shows a third picture; kinds 3, 4, 7 and 8 show it, but never reach
    // their tests, which every helper here would pass (kind 7's before kind 6 raises the
    // flag that would fail it).
    const Case cases[] = {{10, 1, false, {"harvest"}}, {8, 8, true, {"eighth"}},
                          {5, 3, true, {"epidemic"}},   {1, 4, true, {"cold"}},
                          {7, 7, true, {"sleep"}},      {10, 2, true, {"bad", "harvest_after"}, 1},
                          {3, 6, true, {"poor", "poor_after"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Ready(3, c.month, 60);
        CRandom::SetDefaultSeedForTests(SeedFor(c.kind));
        for (int i = 0; i < 3; ++i) Helper(i, 100);
        NextRoll(true, 50);
        log.Clear();
        kept->SetMode(6, 0, 0);
        ASSERT_TRUE(D().Frame(2));
        G* screen = Screen();
        ASSERT_NE(screen, nullptr);
        ASSERT_TRUE(RunUntil([&] { return screen->GetState() == 3; }, 300));
        EXPECT_EQ(screen->IsThirdShown(), c.third);
        ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }, 1200));
        EXPECT_EQ(Played(), c.played);
        EXPECT_EQ(kept->Status().Words().lastSeasonKind, c.kind);
        EXPECT_EQ(kept->Status().Words().seasonDone, c.done);
    }
}

TEST_F(SeasonalEventTest, SavedWordsBringTheScreenBackWhereItWas) {
    struct Case {
        int32_t state, kind, third;
        int32_t wantState, wantPicture1;
        bool ended;
    };
    const Case cases[] = {
        {1, 4, 0, 0, G::kClosed, false}, {2, 5, 1, 2, G::kOpen, false},  {3, 5, 1, 2, G::kOpen, false},
        {5, 8, 0, 5, G::kClosed, false}, {100, 3, 0, 100, G::kClosed, true}, {101, 3, 0, 101, G::kClosed, true},
    };
    // Mode 6's own record, by number: saves already written hold the words there.
    constexpr int kRecord = 6;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << c.state);
        kept->State().m_ModeId = 6;
        CGameState saved;
        saved.SetModeWord(kRecord, 0, c.state);
        saved.SetModeWord(kRecord, 1, c.kind);
        saved.SetModeWord(kRecord, 2, c.third);
        G screen(*kept);
        screen.LoadState(saved);
        EXPECT_EQ(screen.GetState(), c.wantState);
        EXPECT_EQ(screen.GetKind(), c.kind);
        EXPECT_EQ(screen.IsThirdShown(), c.third != 0);
        EXPECT_EQ(screen.GetPictureState(0), c.wantPicture1);
        EXPECT_EQ(kept->State().m_ModeId == 0, c.ended);
        CGameState again;
        screen.SaveState(again);
        EXPECT_EQ(again.GetModeWord(kRecord, 0), c.wantState);
        EXPECT_EQ(again.GetModeWord(kRecord, 1), c.kind);
        EXPECT_EQ(again.GetModeWord(kRecord, 2), c.third);
    }
}

}  // namespace
