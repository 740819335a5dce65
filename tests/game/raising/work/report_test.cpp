// The monthly work report, frame by frame in the running game.
#include <algorithm>
#include <cstdlib>

#include "engine/base/SinTable.h"
#include "game/core/SystemData.h"
#include "tests/game/raising/work/WorkTestUtil.h"

namespace {

using namespace worktest;

class ReportTest : public WorkFixture {
protected:
    void SetUp() override {
        BuildWork();
        CStatus& s = kept->Status();
        s.Words().year = 1;
        s.Words().month = 5;
        s.Words().week = 1;
    }
    // Runs the report, deciding whenever it waits for the player; `at` sees every
    // frame's phase.  False when it did not end.
    bool RunReport(const std::function<bool(int32_t)>& at = {}) {
        phases.clear();
        report = nullptr;
        kept->SetMode(CR000Scene::kModeId, 0, 0);
        for (int i = 0; i < 900; ++i) {
            if (report && (report->GetPhase() == 11 || report->GetPhase() == 29)) D().Key(VKey::kSpace);
            if (!D().Frame()) return false;
            if (ModeEnded()) return true;
            if (!report) continue;
            phases.insert(report->GetPhase());
            if (at && at(report->GetPhase())) return true;
        }
        return false;
    }
    void SetWork(int32_t money, int32_t work, int32_t evaluation, int32_t total) {
        SStatusWords& w = kept->Status().Words();
        w.money = money;
        w.workAmount = work;
        w.evaluation = evaluation;
        w.evaluationTotal = total;
    }
    std::set<int32_t> phases;
};

TEST_F(ReportTest, TheFirstTurnPlaysOnlyTheClosingScriptAndSettlesNothing) {
    SStatusWords& w = kept->Status().Words();
    w.month = 4;
    SetWork(500, 30, 12, 40);
    ASSERT_TRUE(RunReport());
    EXPECT_EQ(Played(), std::vector<std::string>{"r4"});
    EXPECT_EQ(w.money, 500);
    EXPECT_EQ(w.workAmount, 30);
    EXPECT_EQ(w.evaluationTotal, 40);
    EXPECT_EQ(w.reportCount, 0);
}

// The settlement pays at the rate of the total before the evaluation, and the screen
// shows what it pays: a total of 290 with an evaluation of 20 shows and pays 3 a work.
TEST_F(ReportTest, RankChangesPlayTheirScriptsAndTheMoneyShownIsTheMoneyStored) {
    struct Case {
        int32_t total, evaluation;
        std::vector<std::string> played;
        int32_t rate, count;
    };
    const Case cases[] = {
        {100, 20, {"r0", "r1", "r4"}, 3, 3},
        {290, 20, {"r0", "r1", "r2", "r3", "r4"}, 3, 0},
        {310, -20, {"r0", "r1", "r2", "r5", "r4"}, 4, 0},
        {99990, 50, {"r0", "r1", "r4"}, 10, 3},
        {30, -50, {"r0", "r1", "r4"}, 2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        log.Clear();
        SetWork(1000, 10, c.evaluation, c.total);
        kept->Status().Words().reportCount = 2;
        // Read while the screen lives: the mode and its screen are gone once it ends.
        int32_t shownMoney = -1, shownRate = -1, shownPay = -1, shownTotal = -1;
        bool totalNegative = false;
        ASSERT_TRUE(RunReport([&](int32_t phase) {
            if (phase == 29) {
                shownMoney = report->GetNumber(CR000Scene::NUM_MONEY).GetTarget();
                shownRate = report->GetNumber(CR000Scene::NUM_RATE).GetTarget();
                shownPay = report->GetNumber(CR000Scene::NUM_PAY).GetTarget();
                shownTotal = report->GetNumber(CR000Scene::NUM_TOTAL).GetTarget();
                totalNegative = report->GetNumber(CR000Scene::NUM_TOTAL).IsNegative();
            }
            return false;
        }));
        EXPECT_EQ(Played(), c.played);
        // The new total with the minus sign when it is below 0.
        const int32_t newTotal = std::min(99999, c.total + c.evaluation);
        EXPECT_EQ(shownTotal, std::abs(newTotal));
        EXPECT_EQ(totalNegative, newTotal < 0);
        const SStatusWords& w = kept->Status().Words();
        EXPECT_EQ(shownRate, c.rate);
        EXPECT_EQ(shownPay, c.rate * 10);
        EXPECT_EQ(w.money, 1000 + c.rate * 10);
        EXPECT_EQ(shownMoney, w.money);
        EXPECT_EQ(w.evaluationTotal, newTotal);
        EXPECT_EQ(w.lastWorkAmount, 10);
        EXPECT_EQ(w.lastEvaluation, c.evaluation);
        EXPECT_EQ(w.workAmount, 0);
        EXPECT_EQ(w.evaluation, 0);
        EXPECT_EQ(w.reportCount, c.count);
        const bool card = c.played.size() == 5;
        for (int32_t p = 16; p <= 24; ++p) EXPECT_EQ(phases.count(p) != 0, card) << p;
    }
}

TEST_F(ReportTest, LoadStateResumesFromASafePhase) {
    SetWork(0, 5, 20, 290);
    struct Case {
        int32_t saved, restored;
        bool report, card;
    };
    const Case cases[] = {
        {1, 1, false, false},   {7, 7, false, false},   {11, 7, false, false},  {12, 13, false, false},
        {13, 13, false, false}, {14, 14, false, false}, {18, 18, false, false}, {19, 18, false, false},
        {20, 20, false, true},  {21, 21, false, true},  {22, 25, true, false},  {24, 25, true, false},
        {25, 25, true, false},  {29, 25, true, false},  {30, 31, false, false}, {31, 31, false, false},
        {33, 33, false, false}, {35, 35, false, false}, {100, 100, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved);
        CGameState state;
        state.SetModeWord(CR000Scene::kModeId, 0, c.saved);
        CR000Scene screen(*kept);
        screen.LoadState(state);
        EXPECT_EQ(screen.GetPhase(), c.restored);
        EXPECT_EQ(screen.IsReportBuilt(), c.report);
        EXPECT_EQ(screen.IsCardBuilt(), c.card);
        CGameState written;
        screen.SaveState(written);
        EXPECT_EQ(written.GetModeWord(CR000Scene::kModeId, 0), c.restored);
    }
    // The count: raised once a report, cleared by a restored rank change.
    SStatusWords& w = kept->Status().Words();
    const struct {
        int32_t saved, count;
    } counts[] = {{7, 5}, {9, 4}, {23, 0}, {26, 4}};
    for (const auto& c : counts) {
        w.reportCount = 4;
        CGameState state;
        state.SetModeWord(CR000Scene::kModeId, 0, c.saved);
        CR000Scene screen(*kept);
        screen.LoadState(state);
        screen.Update();
        EXPECT_EQ(w.reportCount, c.count) << c.saved;
    }
    ASSERT_TRUE(D().Frame());
}

TEST_F(ReportTest, EveryNumbersDigitsAtTheirPlacesAndTheDateOfTheYearBefore) {
    SStatusWords& w = kept->Status().Words();
    w.year = 3;
    w.month = 2;
    // New total 97,965 and pay 12,340 have five digits for four places; the evaluation
    // is negative.
    SetWork(5000, 1234, -35, 98000);
    ASSERT_TRUE(RunReport([](int32_t phase) { return phase == 29; }));
    const screentest::SFrame f = D().Pixels();
    const std::string digits = "obj\\p001_000.bmp";
    struct Place {
        int32_t x, y, digit;
    };
    const Place places[] = {
        {567, 73, 4},  {545, 79, 3},  {523, 71, 2},  {502, 76, 1},                                  // work 1234
        {569, 124, 0}, {547, 117, 1},                                                               // rate 10
        {570, 161, 5}, {548, 155, 3},                                                               // evaluation -35
        {568, 278, 9}, {547, 284, 9}, {523, 286, 9}, {501, 281, 9},                                 // total 97,965
        {565, 319, 9}, {544, 321, 9}, {523, 316, 9}, {500, 321, 9},                                 // pay 12,340
        {568, 359, 0}, {545, 366, 4}, {523, 359, 3}, {502, 365, 7}, {481, 358, 1},                  // money 17,340
    };
    for (const Place& p : places) EXPECT_TRUE(probe.CornersAt(f, digits, p.digit, 0, p.x, p.y)) << p.x << "," << p.y;
    EXPECT_FALSE(probe.At(f, 461 + 2, 364 + 2).sheet == digits) << "no sixth money digit";
    EXPECT_FALSE(probe.At(f, 527 + 2, 165 + 2).sheet == digits) << "no third evaluation digit";
    // The minus sign 24 pixels left of the evaluation's last place (506, 159).
    EXPECT_TRUE(probe.ShowsCellAt(f, CCountUpNumber::kSignPicture, 0, 0, 506 - 24, 159));
    // Year 2 (month 2 belongs to the year before), month 2, without tens.
    EXPECT_TRUE(probe.CornersAt(f, CR000Scene::kDateDigits, 2, 0, 296, 24));
    EXPECT_TRUE(probe.CornersAt(f, CR000Scene::kDateDigits, 2, 0, 392, 24));
    EXPECT_TRUE(probe.Absent(f, CR000Scene::kDateDigits, 0, 0));
    // No rank change: verdict 0, the old mark only, no arrow.
    EXPECT_TRUE(probe.ShowsCellAt(f, CR000Scene::kVerdicts, 0, 0, 264, 195));
    EXPECT_TRUE(probe.ShowsCellAt(f, CR000Scene::kRankMarks, 5, 0, 480, 192));
    EXPECT_TRUE(probe.Absent(f, CR000Scene::kArrow, 0, 0));
}

// The card against a scalar model of its transform: a point of its board, scaled and
// turned about the card's centre, shows the board's colour at the card's opacity.
TEST_F(ReportTest, TheRankCardGrowsAndTurnsAboutItsCentre) {
    SetWork(0, 5, 20, 290);
    ASSERT_TRUE(RunReport([](int32_t phase) { return phase == 16; }));
    const screentest::SFrame before = D().Pixels();
    const int32_t w = 384, h = 256;
    struct Point {
        int32_t x, y, column, row;
    };
    const Point points[] = {{20, 240, 0, 1}, {360, 20, 1, 0}, {150, 20, 0, 0}};
    int checked = 0;
    bool titled = false;
    ASSERT_TRUE(RunReport([&](int32_t phase) {
        if (phase != 19 && phase != 23) return phase == 24;
        const int32_t scale = report->GetCardScale();
        const int32_t turn = report->GetCardTurn();
        const int32_t alpha = report->GetCardAlpha();
        // At rest before it closes the card shows its title at (33, 39) on it.
        if (phase == 23 && alpha == 255 && !titled) {
            EXPECT_TRUE(probe.ShowsCellAt(D().Pixels(), CR000Scene::kCardTitle, 0, 0, 8 + 33, 144 + 39));
            titled = true;
        }
        if (alpha < 64) return false;
        const int64_t t = CSinTable::Sin(turn / 8);
        const int32_t i = static_cast<int32_t>(((t * 1024) >> 16) % 512);
        const double sn = CSinTable::Sin(i) / 65536.0, cs = CSinTable::Cos(i) / 65536.0, s = scale / 1024.0;
        const screentest::SFrame f = D().Pixels();
        for (const Point& p : points) {
            const double dx = (p.x - w / 2.0) * s, dy = (p.y - h / 2.0) * s;
            const int32_t sx = static_cast<int32_t>(8 + w / 2.0 + dx * cs - dy * sn);
            const int32_t sy = static_cast<int32_t>(144 + h / 2.0 + dx * sn + dy * cs);
            if (sx < 0 || sy < 0 || sx >= 800 || sy >= 600) continue;
            const uint32_t src = kit::CellColour(CR000Scene::kCardBoard, p.column, p.row);
            const uint32_t dst = before.At(sx, sy);
            const uint32_t got = f.At(sx, sy);
            for (int sh = 0; sh <= 16; sh += 8) {
                const int32_t want = (((src >> sh) & 0xFF) * alpha + ((dst >> sh) & 0xFF) * (255 - alpha)) / 255;
                EXPECT_NEAR(static_cast<int32_t>((got >> sh) & 0xFF), want, 6)
                    << "phase " << phase << " turn " << turn << " point " << p.x << "," << p.y;
            }
            ++checked;
        }
        return false;
    }));
    EXPECT_GT(checked, 20);
    EXPECT_TRUE(titled);
}

}  // namespace

namespace {

using namespace worktest;

class MonthTest : public WorkFixture {};

// The step machine runs both screens in their places in the month: the report, then
// the food screen, and goes on to the month's start.
TEST_F(MonthTest, TheMonthRunsTheReportAndThenTheFoodScreen) {
    BuildWork();
    D().Game().GetSystemData().SetOption(CSystemData::OPTION_CONFIRM, 0);
    SStatusWords& w = kept->Status().Words();
    w.year = 1;
    w.month = 5;
    w.week = 1;
    w.contentment = 50;
    w.money = 100;
    w.workAmount = 10;
    w.evaluationTotal = 100;
    kept->State().m_Step = 21;
    std::vector<int32_t> order;
    ASSERT_TRUE(RunUntil(
        [&] {
            FindScreens();
            if (report && (report->GetPhase() == 11 || report->GetPhase() == 29)) D().Key(VKey::kSpace);
            if (food && food->GetPhase() == 1 && food->GetFade() == CFoodAllowanceScene::FADE_SHOWN) {
                D().Click(CFoodAllowanceScene::kDecideX + 20, CFoodAllowanceScene::kDecideY + 20);
            }
            if (food && (order.empty() || order.back() != 15)) order.push_back(15);
            if (report && order.empty()) order.push_back(5);
            return kept->GetStep() > 41;
        },
        2000));
    EXPECT_EQ(order, (std::vector<int32_t>{5, 15}));
    EXPECT_EQ(w.money, 100 + 3 * 10 - 4 * 10) << "paid, then the food bought";
    EXPECT_EQ(w.foodSent, 10);
    // Every picture and sound of the two screens came from the demo data.
    for (const std::string& line : log.GetLines()) {
        const bool failed = line.find("開けません") != std::string::npos || line.find("失敗") != std::string::npos;
        for (const char* file : {"r000_", "p000_", "p001_", "bg06m", "me010", "bgm_002"}) {
            EXPECT_FALSE(failed && line.find(file) != std::string::npos) << line;
        }
    }
}

}  // namespace
