// What other screens use of the stage: lines without a script, balloons closed at
// once, the suspended event panel, layer queries, restarts at a record, and the save
// thumbnail's layers.
#include <gtest/gtest.h>

#include "engine/sound/SoundBank.h"
#include "game/core/SystemData.h"
#include "tests/game/stage/scene/StageTestUtil.h"

using namespace stagetest;

namespace {

class StageScreensTest : public StageFixture {};

}  // namespace

TEST_F(StageScreensTest, LinesOfOtherScreensHoldNothingAndChooseTheirVoice) {
    Begin();
    Stage().ShowMessageAlt({"a", "hint", "voice\\me_0001.ogg", 30, 500});
    EXPECT_TRUE(Stage().IsLineVoicePlaying());
    EXPECT_EQ(Bank().GetVolume(2, 0), 100);
    EXPECT_EQ(Bank().GetPan(2, 0), 0);
    EXPECT_TRUE(Stage().GetMessageState().m_TalkText);
    ASSERT_TRUE(d.Frame(25));
    EXPECT_FALSE(Stage().GetMessageState().IsActive()) << "the talk-text flag keeps the line from holding";
    Stage().StopLineVoice();
    EXPECT_FALSE(Stage().IsLineVoicePlaying());
    EXPECT_TRUE(Bank().GetName(2, 0).empty());
    Stage().ShowNameLine({"a", "name only", "voice\\me_0001.ogg", 30, 500});
    EXPECT_FALSE(Stage().IsLineVoicePlaying());
    EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "name only");
    Stage().ResetMessageState();
    EXPECT_FALSE(Stage().GetMessageState().m_TalkText);
    EXPECT_EQ(Stage().GetWindow().GetTextRequest(), CMessageWindow::TEXT_CLEAR);
}

TEST_F(StageScreensTest, BalloonsClosedAtOnceLoseTheirMark) {
    Begin();
    Stage().ShowBalloon(3, 0, {"a", "x", ""}, false);
    EXPECT_TRUE(Stage().GetRecord().m_Balloons[3].shown);
    Stage().CloseBalloonAtOnce(3);
    EXPECT_FALSE(Stage().GetRecord().m_Balloons[3].shown);
    EXPECT_FALSE(Stage().GetWindow().IsBalloonOpen(3));
    Stage().CloseBalloonAtOnce(40);  // no such balloon: nothing happens
}

TEST_F(StageScreensTest, TheSuspendedEventPanelLocksItsButtonsAndReopensWithItsFlag) {
    Begin();
    Stage().SetEventPanel("obj\\girl.bmp", 7);
    EXPECT_EQ(Stage().GetRecord().m_PanelEventId, 7);
    Stage().BeginTalk();
    EXPECT_TRUE(Stage().GetEventPanel().IsOpen());
    Stage().SetEventPanelSuspended(true);
    ASSERT_TRUE(d.Frame());
    EXPECT_FALSE(Stage().GetEventPanel().IsOpen());
    EXPECT_FALSE(Stage().GetWindow().GetButton(15)->IsEnabled());
    Stage().SetEventPanelSuspended(false);
    ASSERT_TRUE(d.Frame());
    EXPECT_TRUE(Stage().GetEventPanel().IsOpen()) << "the panel-open flag brings it back";
    EXPECT_TRUE(Stage().GetWindow().GetButton(15)->IsEnabled());
    Settings().SetOption(CSystemData::OPTION_EVENT_PANEL, 0);
    ASSERT_TRUE(d.Frame());
    EXPECT_FALSE(Stage().GetWindow().GetButton(16)->IsEnabled());
}

TEST_F(StageScreensTest, LayerQueriesAndARestartAtARecord) {
    Begin();
    Stage().ShowLayerImage(300, "obj\\girl.bmp");
    EXPECT_EQ(Stage().GetLayerSize(300).cx, 200);
    EXPECT_EQ(Stage().GetLayerSize(300).cy, 400);
    EXPECT_EQ(Stage().GetBackgroundFile(), "") << "layer 100 is the black fill";
    Stage().ShowLayerImageAlt(100, "bg\\room.bmp");
    EXPECT_EQ(Stage().GetBackgroundFile(), "bg\\room.bmp");
    WriteScript("r.scr", {Record(1, 0, 3), Line(3, 4, "one"), Line(4, 0, "two")});
    ASSERT_TRUE(Stage().StartScriptAt("r.scr", 4));
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "two");
    Stage().ResetForRestore();
    EXPECT_TRUE(Stage().GetScriptName().empty());
    EXPECT_TRUE(Stage().GetRecord().m_Layers.empty());
}

TEST_F(StageScreensTest, TheThumbnailDrawsTheSavedShownLayersByIdWithoutNoiseWhenEffectsAreOff) {
    Begin();
    CStageSnapshot record;
    SLayerRecord girl;
    girl.id = 200;
    girl.file = "obj\\girl.bmp";
    girl.x = 300;
    girl.y = 100;
    girl.shown = 1;
    SLayerRecord room = girl;
    room.id = 100;
    room.file = "bg\\room.bmp";
    room.x = room.y = 0;
    SLayerRecord noise;
    noise.id = 10000;
    noise.kind = 3;
    noise.shown = 1;
    record.m_Layers = {girl, noise, room};  // drawn by id, not by list order
    Settings().SetOption(CSystemData::OPTION_EFFECTS, 0);
    scenes.host->drawHook = [&] { Stage().BuildThumbnail(record); };
    ASSERT_TRUE(d.Frame());
    const screentest::SFrame f = d.Pixels();
    EXPECT_EQ(probe.At(f, 350, 200).Describe(), "obj\\girl.bmp (0, 0)");
    EXPECT_EQ(probe.At(f, 100, 100).Describe(), "bg\\room.bmp (0, 0)");
    scenes.host->drawHook = nullptr;
}

namespace {

// A screen that lays one picture across the message box's top edge.
class CStrip : public CSceneBase {
public:
    static constexpr const char* kSheet = "obj\\strip.bmp";
    void Load() override { m_Plane.Load(kSheet); }
    void Draw() override { m_Plane.Draw(200, 380, 0xFFFFFFFFu); }

private:
    CImagePlane m_Plane;
};

}  // namespace

// The three places of a screen on the stage: under the window (the box covers it), over
// it, and in it (over the box, and gone with the window when the player hides it).
TEST_F(StageScreensTest, AScreenLiesUnderOverOrInTheMessageWindow) {
    Begin();
    ASSERT_TRUE(probe.Write(d.Folder(), kit::MakeSheet(CStrip::kSheet, 400, 100)));
    CStrip strip;
    strip.Load();
    ASSERT_TRUE(Stage().ShowLayerImage(100, "bg\\room.bmp"));
    Stage().ShowLayer(100);
    Stage().ShowMessage({"a", "line", ""});
    ASSERT_TRUE(d.Frame(30));
    ASSERT_TRUE(Stage().GetWindow().IsBoxShown());
    using Draw = void (CMainGameScene::*)(CSceneBase*);
    struct SCase {
        const char* name;
        Draw draw;
        // What shows on the box's edge (y 430) and above it (y 400), with the window
        // shown and with it hidden by the player.
        const char* onBox;
        const char* aboveBox;
        const char* onBoxHidden;
        const char* aboveBoxHidden;
    };
    const SCase cases[] = {
        {"under", &CMainGameScene::DrawWithScreen, "obj\\f000_001.bmp", CStrip::kSheet, CStrip::kSheet, CStrip::kSheet},
        {"over", &CMainGameScene::DrawOverWindow, CStrip::kSheet, CStrip::kSheet, CStrip::kSheet, CStrip::kSheet},
        {"in", &CMainGameScene::DrawInWindow, CStrip::kSheet, CStrip::kSheet, "bg\\room.bmp", "bg\\room.bmp"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        scenes.host->drawHook = [&] { (Stage().*c.draw)(&strip); };
        for (bool hidden : {false, true}) {
            if (hidden) Stage().HideWindowByPlayer();
            ASSERT_TRUE(d.Frame());
            const screentest::SFrame f = d.Pixels();
            EXPECT_EQ(probe.At(f, 300, 430).sheet, hidden ? c.onBoxHidden : c.onBox) << hidden;
            EXPECT_EQ(probe.At(f, 300, 400).sheet, hidden ? c.aboveBoxHidden : c.aboveBox) << hidden;
        }
        // A click brings the window back.
        d.Press(CMouse::kLeft);
        ASSERT_TRUE(d.Frame());
        ASSERT_TRUE(Stage().IsWindowShownByPlayer());
    }
    scenes.host->drawHook = nullptr;
}
