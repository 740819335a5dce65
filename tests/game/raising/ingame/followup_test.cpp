// What follows an event when its script has ended, and the developer starts.
#include "tests/game/raising/ingame/InGameTestUtil.h"

#include <cstring>
#include <random>

#include "engine/base/CommandLine.h"
#include "engine/base/ScriptToolInterface.h"
#include "game/raising/event/EventTable.h"
#include "platform/ipc/InstanceLock.h"
#include "platform/ipc/SharedMemory.h"

namespace {

using namespace ingametest;

class FollowUpTest : public InGameFixture {
protected:
    void SetUp() override {
        Build({
            {10, 70, 0, "more1", "1", 0, "[104_0]+=5", "more"},
            {11, 70, 0, "more2", "", 1, "[104_0]+=7"},
            {20, 71, 0, "jump", "", 0, "", "jump", "", 21},
            {21, 72, 0, "jumped"},
            {22, 71, 1, "lost", "", 0, "", "jump", "", 999},
            {30, 73, 0, "select", "", 0, "[104_0]=1", "select", "two", 31},
            Choice("two", 32),
            {31, 74, 0, "first"},
            {32, 74, 1, "second"},
            {40, 23, 1, "graded", "", 0, "[104_0]+=1"},
        }, [this](const std::string& folder) {
            probe.Write(folder, kit::MakeSheet("obj\\selection\\two.bmp", 544, 200, 2, 5));
        });
        EnterParked();
    }
    bool Idle() { return kept->GetPendingEvent() == nullptr && ModeEnded(); }
};

TEST_F(FollowUpTest, MoreSelectsTheOccasionAgainAndEachRowsSettingsApply) {
    kept->StartEvent(70, 0);
    kept->SetMode(2, 0, 0);
    ASSERT_TRUE(RunUntil([this] { return Idle(); }));
    EXPECT_EQ(Played(), (std::vector<std::string>{"more1", "more2"}));
    EXPECT_EQ(kept->Status().GetParam(104, 0), 12);
    EXPECT_EQ(kept->State().m_EventActive, 0);
    int32_t last = 0;
    ASSERT_TRUE(kept->Status().FindFlag(70, 0, &last));
    EXPECT_EQ(last, 11);
}

TEST_F(FollowUpTest, JumpStartsItsTargetAndAMissingTargetLeavesNothingPending) {
    ASSERT_TRUE(PlayById(20));
    EXPECT_EQ(Played(), (std::vector<std::string>{"jump", "jumped"}));
    ASSERT_TRUE(PlayById(22));
    EXPECT_EQ(kept->GetPendingEvent(), nullptr);
    EXPECT_EQ(kept->State().m_EventActive, 0);
    EXPECT_FALSE(kept->IsScriptRunning());
}

TEST_F(FollowUpTest, SelectStartsTheChosenChoicesEvent) {
    kept->StartEventById(30);
    kept->SetMode(2, 0, 0);
    ASSERT_TRUE(RunUntil([this] { return kept->IsSelectionShown(); }));
    EXPECT_EQ(kept->State().m_SelectionValue, 2);
    EXPECT_EQ(kept->State().m_SelectionPicture, "obj\\selection\\two.bmp");
    ASSERT_TRUE(RunUntil([this] { return kept->GetSelectionMode().GetSelection().GetState() == CSelectionScene::STATE_OPEN; }));
    D().Click(300, 330);  // button 1 of two
    CSelectionScene& screen = kept->GetSelectionMode().GetSelection();
    ASSERT_TRUE(RunUntil([&screen] { return screen.IsDone(); }));
    EXPECT_EQ(Played(), std::vector<std::string>{"select"}) << "closed in this frame";
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Played(), (std::vector<std::string>{"select", "second"})) << "started in the frame of the report";
    EXPECT_FALSE(kept->IsSelectionShown());
    ASSERT_TRUE(RunUntil([this] { return Idle() && !kept->IsSelectionShown(); }));
    EXPECT_EQ(Played(), (std::vector<std::string>{"select", "second"}));
}

TEST_F(FollowUpTest, AnIndexPastTheChoicesDropsThePendingEvent) {
    kept->StartEventById(30);
    kept->SetMode(2, 0, 0);
    ASSERT_TRUE(RunUntil([this] { return kept->GetSelectionMode().GetSelection().GetState() == CSelectionScene::STATE_OPEN; }));
    D().Click(300, 330);
    ASSERT_TRUE(D().Frame());
    ASSERT_EQ(kept->State().m_SelectedIndex, 1) << "written at the press";
    // In its place, a choice the row does not have, as a damaged save may bring; the
    // screen reports it as it closes.
    kept->State().m_SelectedIndex = 4;
    ASSERT_TRUE(RunUntil([this] { return Idle(); }));
    EXPECT_FALSE(kept->IsSelectionShown());
    EXPECT_EQ(kept->State().m_EventActive, 0);
    EXPECT_TRUE(log.Contains("CRaisingScene::UpdatePendingEvent()"));
    EXPECT_EQ(Played(), std::vector<std::string>{"select"});
}

TEST_F(FollowUpTest, Kind23RowsAddTheirValueAndMoveTheCounters) {
    struct Case {
        int32_t code, value;
        int32_t wantValue, wantCounter1, wantCounter2;
    };
    // From value 180 and counters (2, 2).
    const Case cases[] = {{1, 30, 200, 3, 2}, {2, 5, 185, 0, 0}, {3, -10, 170, 2, 3}, {4, 0, 180, 2, 3}, {9, 0, 180, 2, 2}};
    for (const Case& c : cases) {
        SStatusWords& w = kept->Status().Words();
        w.kind23Value = 180;
        w.kind23Counter1 = w.kind23Counter2 = 2;
        EventRow* row = D().Game().GetEventTable().FindRow(40);
        row->outcomeClass = c.code;
        row->result = c.value;
        ASSERT_TRUE(PlayById(40));
        EXPECT_EQ(w.kind23Value, c.wantValue) << c.code;
        EXPECT_EQ(w.kind23Counter1, c.wantCounter1) << c.code;
        EXPECT_EQ(w.kind23Counter2, c.wantCounter2) << c.code;
    }
    EXPECT_EQ(kept->Status().GetParam(104, 0), 5);
    // Applied at once (the letters screen): settings and value, no counter, nothing pending.
    kept->Status().Words().kind23Value = 0;
    kept->StartEventById(21);
    kept->ApplyEventRowNow(40);
    EXPECT_EQ(kept->Status().Words().kind23Value, 0);
    EXPECT_EQ(kept->Status().Words().kind23Counter1, 2);
    EXPECT_EQ(kept->GetPendingEvent(), nullptr);
}

TEST_F(FollowUpTest, TheOccasionGivenDecidesTheKind23ValueAndTheLastEvent) {
    D().Game().GetEventTable().FindRow(40)->result = 7;
    struct SCase {
        int32_t kind, sub;
        int32_t added;
    };
    for (const SCase c : {SCase{23, 1, 7}, {23, 0, 0}, {5, 1, 0}}) {
        SCOPED_TRACE(std::to_string(c.kind) + ", " + std::to_string(c.sub));
        kept->Status().Words().kind23Value = 0;
        kept->Status().SetParam(104, 0, 0);
        kept->StartEventById(21);
        kept->ApplyEventSettings(40, c.kind, c.sub);
        EXPECT_EQ(kept->Status().Words().kind23Value, c.added);
        EXPECT_EQ(kept->Status().GetParam(104, 0), 1) << "the row's settings";
        EXPECT_EQ(kept->GetPendingEvent(), nullptr);
    }
    ASSERT_TRUE(kept->StartEventById(21, 9, 3));
    EXPECT_EQ(kept->State().m_EventKind, 9);
    EXPECT_EQ(kept->State().m_EventSub, 3);
    int32_t last = 0;
    ASSERT_TRUE(kept->Status().FindFlag(9, 3, &last));
    EXPECT_EQ(last, 21);
    EXPECT_FALSE(kept->StartEventById(999, 9, 4));
    EXPECT_FALSE(kept->Status().FindFlag(9, 4, &last)) << "no row, no last event";
}

class DeveloperStartTest : public InGameFixture {
protected:
    void Start(std::vector<std::string> scripts) {
        Build({{1, 80, 0, "a"}, {2, 80, 1, "b"}});
        D().Game().m_Viewer = true;
        D().Game().m_ViewerScripts = std::move(scripts);
        D().Start(19);
    }
};

TEST_F(DeveloperStartTest, TheViewerPlaysItsScriptsInTurnThenEndsTheProgram) {
    Start({ScriptPath("a"), ScriptPath("b")});
    ASSERT_TRUE(RunUntil([this] { return D().Game().IsEndRequested(); }));
    EXPECT_EQ(Played(), (std::vector<std::string>{"a", "b"}));
    for (int index : {24, 25, 26, 28, 29}) EXPECT_EQ(kept->Status().GetParam(15, index), 1) << index;
    EXPECT_EQ(kept->Status().GetParam(15, 27), 0);
    EXPECT_EQ(kept->GetStep(), 0) << "the step machine does not run";
}

TEST_F(DeveloperStartTest, AnEmptyViewerListEndsAsACancelledChooser) {
    Start({});
    D().Frame();
    EXPECT_TRUE(D().Game().IsEndRequested());
    EXPECT_TRUE(Played().empty());
}

// The script tool's start: its block (of a name of the test's own) and its arguments.
class CToolStart {
public:
    explicit CToolStart(const std::vector<std::string>& scripts) {
        CInstanceLock::SetFolderOverride(m_LockDir.Path());
        m_Name = "niwa-test-ingame-" + std::to_string(std::random_device{}());
        m_Block.Create(m_Name, CScriptToolInterface::kBlockSize);
        std::vector<std::string> args = {"niwa", CScriptToolInterface::kLaunchArgument};
        args.insert(args.end(), scripts.begin(), scripts.end());
        SetCommandLineArgs(args);
        GetScriptToolLink().Open(args, m_Name, m_Name + "-lock");
    }
    ~CToolStart() {
        GetScriptToolLink().Close();
        SetCommandLineArgs({});
        CSharedMemory::Unlink(m_Name);
        CInstanceLock::SetFolderOverride("");
    }

private:
    testsupport::CTempDir m_LockDir;
    std::string m_Name;
    CSharedMemory m_Block;
};

TEST_F(DeveloperStartTest, TheToolStartPlaysTheToolsArgumentsThenEndsTheProgram) {
    Build({{1, 80, 0, "a"}, {2, 80, 1, "b"}});
    CToolStart tool({ScriptPath("a"), ScriptPath("b")});
    ASSERT_TRUE(GetScriptToolLink().IsConnected());
    D().Start(19);
    ASSERT_TRUE(RunUntil([this] { return D().Game().IsEndRequested(); }));
    EXPECT_EQ(Played(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(kept->Status().GetParam(15, 25), 1);
    EXPECT_EQ(kept->GetStep(), 0);
}

}  // namespace
