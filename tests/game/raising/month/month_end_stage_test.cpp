// The month end on the real stage with the game's command table, frame by frame: a
// script's command 70 starts it, the stage holds the script while it runs, and the
// veil and the halved sounds come and go.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/base/ScriptToolInterface.h"
#include "engine/sound/SoundBank.h"
#include "game/core/RunningGame.h"
#include "game/raising/event/EventTable.h"
#include "game/raising/month/MonthEnd.h"
#include "tests/game/stage/command/CommandTestUtil.h"
#include "tools/script/AdvScriptBuilder.h"

namespace {

constexpr uint8_t kGrey = 0xC0;
constexpr int32_t kProbeX = 400;
constexpr int32_t kProbeY = 100;  // above the message window

class MonthEndStageTest : public commandtest::CommandFixture {
protected:
    // A script of [a line], the month end and the line "after"; a report of `lines`
    // lines (settings of the pending row, line i raising by i), a grey background and
    // music slot 1 playing at volume 75.
    void Start(int lines, bool lineBefore = false, bool branch = false) {
        for (int i = 1; i <= lines; ++i) {
            scenes.owner.row.settings.push_back(CEventTable::_SetEventSetFlag("[106_12]+=" + std::to_string(i)));
        }
        scenes.owner.pending = true;
        m_State.m_EventKind = 52;
        CAdvScriptBuilder script;
        if (lineBefore) script.Add(5, {100, 0}, {"n", "before", ""});
        script.Add(70);
        script.Add(5, {100, 0}, {"n", "after", ""});
        ASSERT_TRUE(testsupport::MakeParentDirs(d.Folder() + "scr/month.txt"));
        ASSERT_TRUE(script.Save(d.Folder() + "scr/month.txt"));
        Begin(branch);
        auto monthEnd = std::make_unique<CMonthEnd>();
        m_MonthEnd = monthEnd.get();
        Stage().SetTurnMachine(std::move(monthEnd));
        Settings().m_AutoMode = 1;  // every page goes on by itself
        Settings().m_AutoSpeed = 100;
        Stage().SetLayerFill(CMainGameScene::kBackgroundLayer, 0xFF000000u | kGrey * 0x010101u);
        Stage().LoadSlot(0, 1, "bgm\\a.ogg");
        Stage().SetSlotVolume(0, 1, 75);
        Stage().PlaySlot(0, 1, 0, 0);
        Stage().LoadSlot(0, 2, "bgm\\b.ogg");  // loaded, never played looping
        Stage().SetSlotVolume(0, 2, 80);
        ASSERT_TRUE(Stage().StartScript("scr\\month.txt"));
    }

    const CTurnMachine& Machine() { return m_MonthEnd->GetMachine(); }
    uint8_t Probe() { return static_cast<uint8_t>(d.Pixels().At(kProbeX, kProbeY) >> 16); }
    std::string ShownLine() { return Stage().GetWindow().GetCurrentLine().m_Text; }
    void FrameUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 600 && !done(); ++i) ASSERT_TRUE(d.Frame());
        ASSERT_TRUE(done());
    }
    // Frames until the script has gone on past the month end, which must never have
    // started the sequence: auto mode would run a wrongly started one to its end before
    // the line shows, so every frame is looked at.
    void FrameUntilAfterWithoutTheSequence() {
        for (int i = 0; i < 600 && ShownLine() != "after"; ++i) {
            ASSERT_TRUE(d.Frame());
            ASSERT_FALSE(Machine().IsActive()) << "started in frame " << i;
            ASSERT_EQ(Layer(CTurnMachine::kVeilLayer), nullptr) << "veiled in frame " << i;
        }
        ASSERT_EQ(ShownLine(), "after");
    }

    // Frames until the sequence has ended: the distinct states visited and the page
    // that each of the states 2, 4 and 6 showed; the script must not run meanwhile.
    void RunSequence(std::vector<int32_t>* states, std::vector<std::string>* pages) {
        FrameUntil([&] { return Machine().IsActive(); });
        while (Machine().IsActive()) {
            const int32_t before = Machine().GetState();
            ASSERT_TRUE(d.Frame());
            if (states->empty() || states->back() != before) states->push_back(before);
            if ((before == 2 || before == 4 || before == 6) && Machine().GetState() != before) {
                pages->push_back(ShownLine());
            }
            ASSERT_NE(ShownLine(), "after") << "the script ran in state " << before;
            ASSERT_LT(states->size(), 20u);
        }
    }

    CGameState m_State;
    CRunningGameOverride m_Override{m_State};
    CMonthEnd* m_MonthEnd = nullptr;
};

std::string _Report(int lines, int from = 1) {
    std::string text;
    for (int i = from; i <= lines; ++i) {
        if (i > from) text += '\n';
        text += "フェリナの恩義が " + std::to_string(i) + " (+" + std::to_string(i) + ") になりました。";
    }
    return text;
}

struct SPagingCase {
    int lines;
    std::vector<int32_t> states;
    std::vector<std::pair<int, int>> pages;  // the first and last line of each page
};

class MonthEndPagingTest : public MonthEndStageTest, public ::testing::WithParamInterface<SPagingCase> {};
class MonthEndWindowTest : public MonthEndStageTest, public ::testing::WithParamInterface<bool> {};

const std::vector<int32_t> kOnePage = {0, 1, 2, 10, 11, 12, 13};
const std::vector<int32_t> kTwoPages = {0, 1, 2, 3, 4, 10, 11, 12, 13};
const std::vector<int32_t> kThreePages = {0, 1, 2, 3, 4, 5, 6, 10, 11, 12, 13};

}  // namespace

TEST_P(MonthEndPagingTest, ThreeLinesAPageAndTheRestOnTheThird) {
    const SPagingCase& c = GetParam();
    Start(c.lines);
    std::vector<int32_t> states;
    std::vector<std::string> pages;
    RunSequence(&states, &pages);
    EXPECT_EQ(states, c.states);
    ASSERT_EQ(pages.size(), c.pages.size());
    for (size_t p = 0; p < pages.size(); ++p) EXPECT_EQ(pages[p], _Report(c.pages[p].second, c.pages[p].first)) << p;
    // The log holds the pages, oldest last: every line once.
    std::string logged;
    const CMessageWindow& window = Stage().GetWindow();
    for (size_t i = window.GetLogCount(); i-- > 0;) logged += (logged.empty() ? "" : "\n") + window.GetLogLine(i)->m_Text;
    EXPECT_EQ(logged, _Report(c.lines));
    // The first call after state 13 lets the script go on.
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(ShownLine(), "after");
}

INSTANTIATE_TEST_SUITE_P(Lines, MonthEndPagingTest,
                         ::testing::Values(SPagingCase{3, kOnePage, {{1, 3}}},
                                           SPagingCase{4, kTwoPages, {{1, 3}, {4, 4}}},
                                           SPagingCase{6, kTwoPages, {{1, 3}, {4, 6}}},
                                           SPagingCase{7, kThreePages, {{1, 3}, {4, 6}, {7, 7}}},
                                           SPagingCase{10, kThreePages, {{1, 3}, {4, 6}, {7, 10}}}));

TEST_F(MonthEndStageTest, AnEmptyReportStartsNothing) {
    Start(0);
    FrameUntilAfterWithoutTheSequence();
}

TEST_F(MonthEndStageTest, TheBranchSwitchStartsNothing) {
    Start(2, false, true);
    FrameUntilAfterWithoutTheSequence();
}

// The stage's report is the running game's: its status, its occasion (kind and sub) and
// the owner's pending row, in the report's own words.
TEST_F(MonthEndStageTest, TheStagesMonthReportIsWhatTheSequenceShows) {
    Start(2);
    CSaveRecordStrings report;
    Stage().BuildMonthReport(report);
    EXPECT_EQ(report.m_Text, "フェリナの恩義が 1 (+1) になりました。\nフェリナの恩義が 2 (+2) になりました。");
    std::vector<int32_t> states;
    std::vector<std::string> pages;
    RunSequence(&states, &pages);
    EXPECT_EQ(pages, std::vector<std::string>{report.m_Text});
    // Work helped by friend 1 (occasion (6, 2)): 9 + 1 this month.
    m_State.m_EventKind = 6;
    m_State.m_EventSub = 2;
    m_State.GetStatus().Words().workAmount = 9;
    m_State.GetStatus().Words().monthWorkGain = 1;
    Stage().BuildMonthReport(report);
    EXPECT_EQ(report.m_Text, "チャコルの協力のおかげで、\n今月の仕事量が 10 (+1) になりました。");
    Stage().SetTurnMachine(nullptr);
    Stage().BuildMonthReport(report);
    EXPECT_EQ(report.m_Text, "") << "no month end, no report";
}

TEST_F(MonthEndStageTest, TheScriptToolStartsNothing) {
    struct SToolConnected {
        SToolConnected() { GetScriptToolLink().SetConnectedWithoutBlock(true); }
        ~SToolConnected() { GetScriptToolLink().SetConnectedWithoutBlock(false); }
    } tool;
    Start(2);
    FrameUntilAfterWithoutTheSequence();
}

TEST_F(MonthEndStageTest, TheVeilAndTheHalvedSoundsComeAndGo) {
    Start(1);
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(Probe(), kGrey);
    FrameUntil([&] { return Machine().GetState() == 1; });
    EXPECT_EQ(Bank().GetVolume(0, 1), 37);
    EXPECT_EQ(Bank().GetVolume(0, 2), 80);
    FrameUntil([&] { return Machine().GetState() == 10; });
    EXPECT_NEAR(Probe(), kGrey / 2, 2);
    EXPECT_EQ(Slot(0, 1).volume, 75);
    FrameUntil([&] { return !Machine().IsActive(); });
    EXPECT_EQ(Probe(), kGrey);
    EXPECT_EQ(Bank().GetVolume(0, 1), 75);
    EXPECT_EQ(Layer(CTurnMachine::kVeilLayer), nullptr);
}

// Shown by a line before the month end, the window stays; else it closes again.
TEST_P(MonthEndWindowTest, TheWindowIsLeftAsTheScriptHadIt) {
    const bool lineBefore = GetParam();
    Start(2, lineBefore);
    FrameUntil([&] { return Machine().IsActive(); });
    FrameUntil([&] { return !Machine().IsActive(); });
    ASSERT_TRUE(d.Frame(30));
    EXPECT_EQ(Stage().GetWindow().IsBoxShown(), lineBefore);
}

INSTANTIATE_TEST_SUITE_P(LineBefore, MonthEndWindowTest, ::testing::Bool());

TEST_F(MonthEndStageTest, AGameSavedDuringTheSequenceGoesOnAfterIt) {
    Start(4);
    FrameUntil([&] { return Machine().GetState() == 3; });
    const CStageSnapshot saved = Stage().SaveSnapshot();
    EXPECT_EQ(std::count_if(saved.m_Layers.begin(), saved.m_Layers.end(),
                            [](const SLayerRecord& r) { return r.id == CTurnMachine::kVeilLayer; }),
              0);
    EXPECT_EQ(saved.m_WindowShown, 0);
    EXPECT_EQ(saved.GetSoundSlot(0, 1)->volume, 75);
    // Restoring it ends the sequence: a clear picture, the whole sound, and the script
    // goes on after the month end.
    Stage().RestoreSnapshot(saved);
    EXPECT_FALSE(Machine().IsActive());
    FrameUntil([&] { return ShownLine() == "after"; });
    EXPECT_EQ(Probe(), kGrey);
    EXPECT_EQ(Bank().GetVolume(0, 1), 75);
}
