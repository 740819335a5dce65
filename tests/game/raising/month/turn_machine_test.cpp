#include <gtest/gtest.h>

#include "game/core/SaveRecordStrings.h"
#include "game/core/StageSnapshot.h"
#include "game/raising/month/TurnMachine.h"

namespace {

// A stage whose screen change runs two frames and whose window stays active for two
// frames after each line, recording the pages shown.  (The sequence on the real stage
// is tested in month_end_stage_test.cpp.)
class CFakeStage : public ITurnStage {
public:
    void BuildReport(CSaveRecordStrings& record) override {
        record.Reset();
        record.m_Text = report;
    }
    void ShowMessage(const CSaveRecordStrings& record) override {
        pages.push_back(record.m_Text);
        activeFrames = 2;
        shown = true;
    }
    void SetMessageOff() override { shown = false; }
    bool IsMessageBusyOrShown() override { return shown; }
    bool IsMessageActive() override { return activeFrames-- > 0; }
    void ShowVeil(int32_t, uint32_t) override {}
    void RemoveVeil(int32_t) override {}
    void StartScreenChange(int32_t, int32_t) override { changeFrames = 2; }
    bool IsScreenChangeRunning() override { return changeFrames-- > 0; }
    const SSoundSlotRecord* GetSlotRecord(int32_t group, int32_t slot) override {
        return record.GetSoundSlot(group, slot);
    }
    void FadeBankVolume(int32_t, int32_t, int32_t, int32_t) override {}

    std::string report;
    std::vector<std::string> pages;
    bool shown = false;
    int activeFrames = 0;
    int changeFrames = 0;
    CStageSnapshot record;
};

std::string _Lines(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) {
        if (i > 1) text += '\n';
        text += "行" + std::to_string(i);
    }
    return text;
}

void _RunToEnd(CTurnMachine& machine, CFakeStage& stage) {
    for (int frame = 0; frame < 100; ++frame) {
        if (!machine.Step(stage)) return;
    }
    ADD_FAILURE() << "the sequence did not end";
}

}  // namespace

TEST(TurnMachineTest, AnEmptyReportStartsNothing) {
    CFakeStage stage;
    CTurnMachine machine;
    machine.Begin(stage);
    EXPECT_FALSE(machine.IsActive());
    EXPECT_FALSE(machine.Step(stage));
    EXPECT_TRUE(stage.pages.empty());
}

TEST(TurnMachineTest, EndMonthDuringTheSequenceStartsItAgainAndResetEndsIt) {
    CFakeStage stage;
    stage.report = _Lines(4);
    CTurnMachine machine;
    machine.Begin(stage);
    for (int i = 0; i < 6; ++i) machine.Step(stage);
    ASSERT_GT(machine.GetState(), 2);
    machine.Begin(stage);
    EXPECT_EQ(machine.GetState(), 0);
    _RunToEnd(machine, stage);
    EXPECT_EQ(stage.pages.size(), 3u);  // the first page shown twice, then the second
    machine.Begin(stage);
    machine.Step(stage);
    machine.Reset();
    EXPECT_FALSE(machine.Step(stage));
}

TEST(TurnMachineTest, LinesAreCountedAtRealLineFeedsOnly) {
    // 0x81 is a lead byte: the byte after it belongs to its character.
    const std::string text = "a\nb\x81\nc\nd";
    EXPECT_EQ(CTurnMachine::CountLines(text), 3);
    EXPECT_EQ(CTurnMachine::TextAfterLine(text, 2), "d");
    EXPECT_EQ(CTurnMachine::TextAfterLine(text, 3), "");
    EXPECT_EQ(CTurnMachine::TextAfterLine(text, 0), text);
    EXPECT_EQ(CTurnMachine::CountLines(""), 1);
    EXPECT_EQ(CTurnMachine::CountLines("ソ\nソ\n"), 3);
}
