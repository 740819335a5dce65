#include <gtest/gtest.h>

#include <map>

#include "game/core/SaveRecordStrings.h"
#include "game/core/StageSnapshot.h"
#include "game/raising/month/TurnMachine.h"

namespace {

// A stage whose screen change runs two frames and whose window stays active for two
// frames after each line, recording what the machine asked of it.
class CFakeStage : public ITurnStage {
public:
    void BuildReport(CSaveRecordStrings& record) override {
        record.Reset();
        record.m_Text = report;
        ++builds;
    }
    void ShowMessage(const CSaveRecordStrings& record) override {
        pages.push_back(record.m_Text);
        activeFrames = 2;
        shown = true;
    }
    void SetMessageOff() override { shown = false; }
    bool IsMessageBusyOrShown() override { return shown; }
    bool IsMessageActive() override { return activeFrames-- > 0; }
    void ShowVeil(int32_t layer, uint32_t colour) override { layers[layer] = colour; }
    void RemoveVeil(int32_t layer) override { layers.erase(layer); }
    void StartScreenChange(int32_t kind, int32_t frames) override {
        changes.push_back(kind * 1000 + frames);
        changeFrames = 2;
    }
    bool IsScreenChangeRunning() override { return changeFrames-- > 0; }
    const SSoundSlotRecord* GetSlotRecord(int32_t group, int32_t slot) override { return record.GetSoundSlot(group, slot); }
    void FadeBankVolume(int32_t group, int32_t slot, int32_t volume, int32_t ms) override {
        fades.push_back({group * 100 + slot, volume, ms});
    }

    std::string report;
    int builds = 0;
    std::vector<std::string> pages;
    bool shown = false;
    int activeFrames = 0;
    int changeFrames = 0;
    std::map<int32_t, uint32_t> layers;
    std::vector<int32_t> changes;
    std::vector<std::array<int32_t, 3>> fades;
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

// Runs the machine to its end; the states it was in before each call.
std::vector<int32_t> _RunToEnd(CTurnMachine& machine, CFakeStage& stage) {
    std::vector<int32_t> states;
    for (int frame = 0; frame < 100; ++frame) {
        const int32_t state = machine.GetState();
        if (!machine.Step(stage)) return states;
        states.push_back(state);
    }
    ADD_FAILURE() << "the sequence did not end";
    return states;
}

}  // namespace

TEST(TurnMachineTest, ReportsArePagedThreeLinesAPage) {
    struct SCase {
        int lines;
        std::vector<std::string> pages;
        std::vector<int32_t> states;  // distinct states in the order visited
    };
    const std::vector<int32_t> one = {0, 1, 2, 10, 11, 12, 13};
    const std::vector<int32_t> two = {0, 1, 2, 3, 4, 10, 11, 12, 13};
    const std::vector<int32_t> three = {0, 1, 2, 3, 4, 5, 6, 10, 11, 12, 13};
    const SCase cases[] = {
        {1, {_Lines(1)}, one},
        {3, {_Lines(3)}, one},
        {4, {_Lines(4), "行4"}, two},
        {6, {_Lines(6), "行4\n行5\n行6"}, two},
        {7, {_Lines(7), "行4\n行5\n行6\n行7", "行7"}, three},
        {10, {_Lines(10), "行4\n行5\n行6\n行7\n行8\n行9\n行10", "行7\n行8\n行9\n行10"}, three},
    };
    for (const SCase& c : cases) {
        CFakeStage stage;
        stage.report = _Lines(c.lines);
        CTurnMachine machine;
        machine.Begin(stage);
        ASSERT_TRUE(machine.IsActive()) << c.lines;
        std::vector<int32_t> states = _RunToEnd(machine, stage);
        states.erase(std::unique(states.begin(), states.end()), states.end());
        EXPECT_EQ(states, c.states) << c.lines;
        EXPECT_EQ(stage.pages, c.pages) << c.lines;
        EXPECT_FALSE(machine.IsActive());
        EXPECT_EQ(stage.changes, (std::vector<int32_t>{1015, 1015})) << c.lines;
        EXPECT_TRUE(stage.layers.empty()) << c.lines;
    }
}

TEST(TurnMachineTest, AnEmptyReportStartsNothing) {
    CFakeStage stage;
    CTurnMachine machine;
    machine.Begin(stage);
    EXPECT_FALSE(machine.IsActive());
    EXPECT_FALSE(machine.Step(stage));
    EXPECT_TRUE(stage.changes.empty());
}

TEST(TurnMachineTest, OnlyPlayingSlotsFadeToHalfAndBack) {
    CFakeStage stage;
    stage.report = "一行";
    SSoundSlotRecord* music = stage.record.GetSoundSlot(0, 3);
    music->playing = 1;
    music->volume = 75;
    SSoundSlotRecord* voice = stage.record.GetSoundSlot(2, 29);
    voice->playing = 1;
    voice->volume = 1;
    stage.record.GetSoundSlot(1, 4)->volume = 80;  // loaded, not marked playing
    CTurnMachine machine;
    machine.Begin(stage);
    machine.Step(stage);
    EXPECT_EQ(stage.fades, (std::vector<std::array<int32_t, 3>>{{3, 37, 300}, {229, 0, 300}}));
    EXPECT_EQ(stage.layers, (std::map<int32_t, uint32_t>{{9999, 0x80000000}}));
    stage.fades.clear();
    _RunToEnd(machine, stage);
    EXPECT_EQ(stage.fades, (std::vector<std::array<int32_t, 3>>{{3, 75, 300}, {229, 1, 300}}));
    // The records keep what the script set.
    EXPECT_EQ(music->volume, 75);
}

TEST(TurnMachineTest, TheWindowIsPutBackAsItWas) {
    for (bool wasShown : {false, true}) {
        CFakeStage stage;
        stage.report = "一行";
        stage.shown = wasShown;
        CTurnMachine machine;
        machine.Begin(stage);
        _RunToEnd(machine, stage);
        EXPECT_EQ(stage.shown, wasShown);
    }
}

TEST(TurnMachineTest, EndMonthDuringTheSequenceStartsItAgain) {
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
