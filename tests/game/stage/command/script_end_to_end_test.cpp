// A whole script made with the script builder runs frame by frame on the stage with the
// game's command table: the software device's picture is probed at chosen frames and
// the recording bank shows the sounds.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "tests/game/stage/command/CommandTestUtil.h"
#include "tools/script/AdvScriptBuilder.h"

using namespace commandtest;
using screentest::SCellHit;
using screentest::SFrame;

namespace {

constexpr uint32_t kVeil = 0xFF183050;
constexpr int32_t kVeilLayer = 20000;
constexpr int32_t kVeilFrames = 10;

// Stands in for the month end's turn machine: its veil over the stage while it holds.
class CVeil : public IStageTurnMachine {
public:
    void Begin(CMainGameScene& stage) override {
        ++begun;
        left = kVeilFrames;
        stage.ShowColorFill(kVeilLayer, kVeil);
    }
    bool Step(CMainGameScene& stage) override {
        if (left == 0) return false;
        if (--left == 0) stage.RemoveLayer(kVeilLayer);
        return true;
    }
    int begun = 0;
    int left = 0;
};

uint32_t Rgb(uint32_t argb) { return argb & 0xFFFFFFu; }

class ScriptEndToEnd : public CommandFixture {
protected:
    void WriteScript() {
        for (const char* fig : {"obj\\fig_a.bmp", "obj\\fig_b.bmp", "obj\\fig_c.bmp"}) {
            probe.Write(d.Folder(), kit::MakeSheet(fig, 200, 400, 1, 2));
        }
        probe.Write(d.Folder(), kit::MakeSheet("obj\\anim.bmp", 400, 100, 4, 1));
        probe.Write(d.Folder(), kit::MakeSheet("sys\\rule.bmp", 80, 60));
        CAdvScriptBuilder s;
        s.Add(30, {0, 100, 0, 0}, {"bgm\\bgm_001.ogg"});
        s.Add(11, {}, {"bg\\room.bmp"});
        s.Add(13, {0, 0, 0, 0}, {"obj\\fig_a.bmp"});
        s.Add(13, {1, 0, 0, 0}, {"obj\\fig_b.bmp"});
        s.Add(13, {2, 0, 0, 0}, {"obj\\fig_c.bmp"});
        s.Add(3);
        s.Add(5, {100, 0}, {"n", "hello", ""});
        s.Add(41, {0, 100, 0, 0, 1}, {"voice\\me_0001.ogg"});
        s.Add(6, {100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {"n", "balloon", ""});
        s.Add(16, {0, 600, 20, 250, 0, 0, 0, 4, 10, 0}, {"obj\\anim.bmp"});
        s.Add(19, {250, 0}, {"pos_y,120,0,30"});
        s.Add(2, {1000});
        s.Add(20, {250});
        s.Add(15, {0, 0, 0, 100, 1, 0, 0}, {"bg\\house.bmp"});
        s.Add(9, {1, 500, 128}, {"sys\\rule.bmp"});
        s.Add(2, {600});
        s.Add(60);
        s.Add(50, {500, 0x20, 0x40, 0x60});
        s.Add(70);
        s.Add(5, {100, 0}, {"n", "after", ""});
        ASSERT_TRUE(s.Save("e2e.scr"));
    }
    // Frames until `done` holds (at most `limit`); false when it never did.
    template <typename F>
    bool RunUntil(F done, int limit = 200) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            if (!d.Frame()) return false;
        }
        return done();
    }
    bool Heard(const std::vector<std::string>& sounds, const std::string& entry) {
        return std::find(sounds.begin(), sounds.end(), entry) != sounds.end();
    }
};

}  // namespace

TEST_F(ScriptEndToEnd, PlaysOnTheStageFrameByFrame) {
    Begin();
    Settings().SetVoiceSwitch(1, 1);
    auto veil = std::make_unique<CVeil>();
    CVeil& month = *veil;
    Stage().SetTurnMachine(std::move(veil));
    WriteScript();
    ASSERT_TRUE(Stage().StartScript("e2e.scr"));
    d.Sounds().Take();

    // The first line holds the script over the background and the three figures.
    ASSERT_TRUE(RunUntil([&] { return Stage().GetWindow().GetCurrentLine().m_Text == "hello"; }));
    ASSERT_TRUE(d.Frame(30));
    SFrame f = d.Pixels();
    EXPECT_TRUE(probe.ShowsCellAt(f, "bg\\room.bmp", 0, 0, 0, 0));
    EXPECT_TRUE(probe.ShowsCellAt(f, "obj\\fig_b.bmp", 0, 0, 130, 200)) << "left figure, drawn over the centre";
    EXPECT_EQ(probe.At(f, 400, 250).Describe(), "obj\\fig_a.bmp (0, 0)") << "centre figure between the other two";
    EXPECT_EQ(probe.At(f, 660, 250).Describe(), "obj\\fig_c.bmp (0, 0)") << "right figure";
    EXPECT_TRUE(Heard(d.Sounds().Take(), "bank 0 0 bgm\\bgm_001.ogg"));

    // The click passes on: the voice starts and the balloon opens at (180, 148).
    d.Click(400, 300);
    ASSERT_TRUE(RunUntil([&] { return Stage().GetWindow().IsBalloonOpen(0); }));
    ASSERT_TRUE(d.Frame(30));
    f = d.Pixels();
    EXPECT_TRUE(Heard(d.Sounds().Take(), "bank 2 1 voice\\me_0001.ogg"));
    EXPECT_EQ(probe.At(f, 182, 150).Describe(), "obj\\f000_000.bmp (0, 0)") << "balloon shape 0";

    // Past the balloon: the animation runs its motion down to y = 120 during the wait.
    d.Click(400, 300);
    ASSERT_TRUE(RunUntil([&] { return Stage().FindLayerRecord(250) != nullptr; }));
    const SCellHit first = probe.At(d.Pixels(), 602, 22);
    EXPECT_EQ(first.Describe(), "obj\\anim.bmp (0, 0)");
    ASSERT_TRUE(d.Frame(45));
    f = d.Pixels();
    const SCellHit moved = probe.At(f, 602, 122);
    EXPECT_EQ(moved.sheet, "obj\\anim.bmp");
    EXPECT_NE(moved.column, 0) << "the strip has moved on";

    // The rule-picture change brings the prepared house in.
    ASSERT_TRUE(RunUntil([&] { return Stage().GetBackgroundFile() == "bg\\house.bmp"; }));
    ASSERT_TRUE(RunUntil([&] { return !Stage().IsScreenChanging(); }));
    ASSERT_TRUE(d.Frame());
    EXPECT_TRUE(probe.ShowsCellAt(d.Pixels(), "bg\\house.bmp", 0, 0, 0, 0));

    // The colour fade covers the whole screen, window included.
    ASSERT_TRUE(RunUntil([&] { return d.Game().GetSceneManager().IsInTransition(); }));
    ASSERT_TRUE(d.Frame(5));
    f = d.Pixels();
    for (auto [x, y] : {std::pair{5, 5}, std::pair{400, 300}, std::pair{700, 580}}) {
        EXPECT_EQ(Rgb(f.At(x, y)), 0x204060u) << x << "," << y;
    }

    // The month end's veil holds the script, then the last line shows.
    ASSERT_TRUE(RunUntil([&] { return month.begun == 1; }));
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(Rgb(d.Pixels().At(400, 100)), Rgb(kVeil));
    EXPECT_NE(Stage().GetWindow().GetCurrentLine().m_Text, "after");
    ASSERT_TRUE(RunUntil([&] { return Stage().GetWindow().GetCurrentLine().m_Text == "after"; }, 30));
    EXPECT_EQ(month.begun, 1);
}
