// The seven actions in the real mode machine: prices, events, results, costs, counters,
// weekly flags, the month report's line while the event plays, saves in every step.
#include "tests/game/raising/mansion/MansionTestUtil.h"

#include "game/raising/month/MonthReport.h"

namespace {

using namespace mansiontest;

struct SParam {
    int32_t category, index, value;
};

struct SCase {
    const char* name;
    SPick pick;
    std::function<void(CStatus&)> setup;
    std::vector<std::string> played;
    std::string reportLine;  // part of the report while the event plays
    std::vector<SParam> want;
    std::function<void(const SStatusWords&)> more = {};
    int32_t moneyWhilePlaying = -1;  // -1: not checked
};

class ActionTest : public MansionFixture {
protected:
    void SetUp() override { Make(MansionRows()); }
};

TEST_F(ActionTest, EachActionPlaysItsEventAndAppliesItsTables) {
    const uint32_t miss = SeedWhere([](uint32_t r) { return r >= 40; });
    const uint32_t hit = SeedWhere([](uint32_t r) { return r < 6; });
    const SCase cases[] = {
        {"work, nobody joins", {1}, [&](CStatus& s) {
             CMansionWorkMode::Generator().Seed(miss);
             s.Words().abilityPoints = 250;
         }, {"work0"}, "(+10)", {{104, 2, 10}, {104, 3, 10}, {104, 1, 92}, {103, 11, 1}, {103, 9, 0}}},
        {"work with friend 2", {1}, [&](CStatus& s) {
             CMansionWorkMode::Generator().Seed(hit);
             s.SetParam(106, 2, 5);  // friend 2 is the candidate
             s.Words().exchange[2] = 250;
         }, {"work3"}, "(+12)", {{104, 2, 12}, {104, 1, 92}, {103, 9, 1}, {103, 11, 0}}},
        {"time with friend 1, paid", {2, 1, 0}, [](CStatus& s) {
             s.Words().exchange[1] = 150;
             s.Words().money = 100;
         }, {"talk1"}, "(+15)", {{106, 5, 165}, {104, 0, 75}, {104, 1, 94}}, [](const SStatusWords& w) {
             EXPECT_EQ(w.exchangeCounter[1][0], 1);
         }, 100},
        {"time with friend 1, free", {2, 1, 1}, [](CStatus& s) { s.Words().money = 100; }, {"walk1"}, "(+20)",
         {{106, 5, 20}, {104, 0, 100}, {103, 13, 1}}, [](const SStatusWords& w) { EXPECT_EQ(w.exchangeCounter[1][1], 1); }},
        {"bond with friend 2", {3, 2}, [](CStatus& s) { s.Words().evaluationTotal = 300; }, {"bond2"}, "多少感謝している",
         {{106, 14, 2}, {104, 1, 94}, {103, 19, 1}}},
        {"bond with too little stamina", {3, 2}, [](CStatus& s) { s.Words().stamina = 3; }, {"bond2"}, "見習い",
         {{104, 1, 0}}},
        {"training alone", {4}, [](CStatus& s) { s.Words().abilityPoints = 150; }, {"train0"}, "(+6)",
         {{104, 8, 56}, {140, 1, 156}, {104, 1, 95}, {103, 26, 1}}},
        {"a job that raises the pay", {6}, [](CStatus& s) { s.Words().jobCount = 19; }, {"job", "raise"},
         "今回のバイト代 90 を受け取りました", {{104, 0, 90}, {104, 3, -6}, {103, 4, 20}, {104, 1, 90}}},
        {"a meal without the common event", {7, 1}, [](CStatus& s) {
             s.Words().money = 200;
             s.Words().stamina = 10;
         }, {"meal1"}, "体力が 20 (30)", {{104, 0, 80}, {104, 1, 30}}, [](const SStatusWords& w) {
             EXPECT_EQ(w.mealCounter[1], 1);
             EXPECT_EQ(w.mealDone, 1);
         }, 80},
        {"a small expense", {8}, [](CStatus& s) {
             s.Words().money = 10;
             s.Words().contentment = 30;
         }, {"care"}, "心境が 5", {{104, 0, 5}, {100, 2, 35}, {104, 1, 98}, {103, 6, 1}}, [](const SStatusWords& w) {
             EXPECT_EQ(w.smallExpenseDone, 1);
         }},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        kept->Status().Reset();
        kept->Status().Words().stamina = 100;
        c.setup(kept->Status());
        const CStatus before = kept->Status();
        log.Clear();
        picks = {c.pick};
        kept->SetMode(16, 0, 0);
        // While the event plays: the result is pending, not applied, and the report tells it.
        ASSERT_TRUE(RunUntil([this] { return Action() != nullptr && Action()->GetStep() == 1; }));
        EXPECT_EQ(kept->Status().GetParam(104, 1), before.GetParam(104, 1));
        if (c.moneyWhilePlaying >= 0) {
            EXPECT_EQ(kept->Status().GetParam(104, 0), c.moneyWhilePlaying) << "the price is taken at its own step";
        }
        EXPECT_NE(CMonthReport::Build(kept->Status(), {kept->State().m_EventKind, kept->State().m_EventSub, nullptr, ""})
                      .find(c.reportLine),
                  std::string::npos);
        ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }, 3000));
        EXPECT_EQ(Played(), c.played);
        for (const SParam& p : c.want) EXPECT_EQ(kept->Status().GetParam(p.category, p.index), p.value) << p.category << "," << p.index;
        const SStatusWords& w = kept->Status().Words();
        if (c.more) c.more(w);
        // Every pending word is back to 0.
        EXPECT_EQ(w.pendingWorkGain + w.pendingTrainingGain + w.pendingJobPay + w.pendingJobEvaluation +
                      w.pendingMealStamina + w.pendingContentmentGain,
                  0);
        for (int f = 0; f < 4; ++f) EXPECT_EQ(w.pendingExchangeGain[f] + w.pendingBondGain[f], 0);
    }
}

TEST_F(ActionTest, TheJobPaysByTheCountBeforeItAndRaisesAtEachLimit) {
    for (int32_t count : {19, 20, 39, 40, 69, 70, 109, 110, 149, 150}) {
        CStatus& s = kept->Status();
        s.Reset();
        s.Words().stamina = 100;
        s.Words().jobCount = count;
        const int32_t pay = s.GetTierValue240();
        const int32_t cost = s.GetTierValue16();
        const bool raise = count == 19 || count == 39 || count == 69 || count == 109 || count == 149;
        log.Clear();
        ASSERT_TRUE(RunMansion({{6}}));
        const std::vector<std::string> want = raise ? std::vector<std::string>{"job", "raise"} : std::vector<std::string>{"job"};
        EXPECT_EQ(Played(), want) << count;
        EXPECT_EQ(s.GetParam(104, 0), pay) << count;
        EXPECT_EQ(s.GetParam(104, 3), -cost) << count;
        EXPECT_EQ(s.Words().jobCount, count + 1);
    }
}

TEST_F(ActionTest, ASaveInAnyStepComesBackAndAppliesTheResultOnce) {
    const SPick actions[] = {{1}, {2, 1, 0}, {3, 2}, {4}, {6}, {7, 1}, {8}};
    for (const SPick& pick : actions) {
        SCOPED_TRACE(pick.mode);
        CStatus& s = kept->Status();
        s.Reset();
        s.Words().stamina = 100;
        s.Words().money = 500;
        s.Words().jobCount = 19;
        s.Words().evaluationTotal = 300;
        picks = {pick};
        kept->SetMode(16, 0, 0);
        // A save in every step the action passes through.
        std::map<int32_t, std::unique_ptr<CSaveData>> saves;
        ASSERT_TRUE(RunUntil([&] {
            if (CMansionActionMode* a = Action(); a && !saves.count(a->GetStep())) {
                saves[a->GetStep()] = std::make_unique<CSaveData>();
                kept->WriteSave(*saves[a->GetStep()]);
            }
            return ModeEnded();
        }, 3000));
        const SStatusWords straight = s.Words();
        EXPECT_TRUE(saves.count(2) && saves.count(3)) << "the steps of the machine were seen";
        for (auto& [step, save] : saves) {
            kept->RestoreFromSave(*save);
            if (step == 4) {
                EXPECT_EQ(Action(), nullptr) << "the action had already sent the machine back to the menu";
            } else {
                ASSERT_NE(Action(), nullptr);
                EXPECT_EQ(Action()->GetStep(), step);
            }
            picks.clear();
            ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }, 3000));
            EXPECT_TRUE(s.Words() == straight) << "restored in step " << step;
        }
    }
}

TEST_F(ActionTest, AForcedPartnerAndTheFallbackOfAnEventThatDoesNotStart) {
    dp.reset();
    commands.clear();
    Make({{1, 6, 4, "forced work"}, {2, 15, 5, "forced training"}});
    ASSERT_TRUE(RunMansion({{1}, {4}, {2, 3, 1}}));
    EXPECT_EQ(Played(), (std::vector<std::string>{"forced work", "forced training"}));
    const CStatus& s = kept->Status();
    // Partner 5 counts in no counter; the exchange without an event still applies its gain.
    for (int32_t i = 7; i <= 11; ++i) EXPECT_EQ(s.GetParam(103, i), 0) << i;
    for (int32_t i = 22; i <= 26; ++i) EXPECT_EQ(s.GetParam(103, i), 0) << i;
    EXPECT_EQ(s.GetParam(106, 7), 8);
    EXPECT_EQ(s.GetParam(104, 1), 100 - 8 - 5 - 6);
}

}  // namespace
