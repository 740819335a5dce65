// The stage's frame, step by step, with input given to the real frame loop: scripts
// held by lines and waits, the side panel, skipping, the hidden window, the log, the
// right-click settings, the locks and the window's buttons.
#include <gtest/gtest.h>

#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/ReadHistory.h"
#include "game/core/SaveData.h"
#include "game/core/SceneRequest.h"
#include "game/menus/unlock/PlayViewTable.h"
#include "platform/window/WindowMessage.h"
#include "tests/game/stage/scene/StageTestUtil.h"

using namespace stagetest;

namespace {

// The centre of window button i (0 to 6 in the normal set, 8 to 11 when darkened).
SPoint ButtonCentre(int i) {
    switch (i) {
        case 12: return {707, 584};
        case 13: return {769, 584};
        case 14: return {581, 548};
        case 15: return {660, 548};
        case 16: return {742, 548};
        default: return {i <= 6 ? 80 * i + 40 : 152 + 80 * (i - 8) + 40, 580};
    }
}

class StageUpdateTest : public StageFixture {
protected:
    void PressButton(int i) {
        const SPoint p = ButtonCentre(i);
        HoverButton(p.x, p.y);
        ClickAt(p.x, p.y);
    }
    void Cancel() {
        d.Key(VKey::kEscape);
        ASSERT_TRUE(d.Frame());
    }
    // One frame after leaving: the music fades over 900 ms (54 frames) under transition 1
    // over 60 frames.
    void ExpectLeavingFadesAndTransition() {
        EXPECT_EQ(d.Game().GetSceneManager().GetTransitionIndex(), 1);
        ASSERT_TRUE(d.Frame(50));
        EXPECT_TRUE(Bank().IsPlaying(0, 0));
        EXPECT_TRUE(d.Game().GetSceneManager().IsInTransition());
        ASSERT_TRUE(d.Frame(12));
        EXPECT_FALSE(Bank().IsPlaying(0, 0));
        EXPECT_FALSE(d.Game().GetSceneManager().IsInTransition());
    }
};

}  // namespace

TEST_F(StageUpdateTest, LinesHoldTheScriptUntilReadAndItsEndIsToldToHistoryAndPlayView) {
    ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(d.Folder(), "cfg\\playview1.txt"),
                                {'0', ',', 't', ',', 'p', ',', '7', ',', '4', '2', '\n'}));
    CPlayViewTable::Reload();
    Begin();
    scenes.owner.pending = true;
    scenes.owner.row.id = 42;
    WriteScript("s1.scr", {Record(1, 0, 3), Line(3, 4, "one"), Line(4, 0, "two")});
    ASSERT_TRUE(Stage().StartScript("s1.scr"));
    ASSERT_TRUE(d.Frame(25));
    EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "one");
    EXPECT_TRUE(LastResult()) << "a shown line holds the frame";
    EXPECT_TRUE(d.Game().GetReadFlags().Contains("s1.scr", 4));
    ClickAt(400, 300);
    EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "one") << "the frame that closes a line holds the script";
    EXPECT_TRUE(LastResult());
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "two") << "the next line runs in the frame after";
    EXPECT_FALSE(Stage().GetScriptEndFlag());
    EXPECT_EQ(Settings().GetPlayViewUnlock(0), 0);
    ASSERT_TRUE(d.Frame(5));
    ClickAt(400, 300);
    EXPECT_FALSE(Stage().GetScriptEndFlag());
    ASSERT_TRUE(d.Frame());
    EXPECT_TRUE(Stage().GetScriptEndFlag());
    EXPECT_TRUE(d.Game().GetReadFlags().Find("s1.scr"));
    EXPECT_EQ(Settings().GetPlayViewUnlock(0), 1);
    CPlayViewTable::Reload();
}

// The in-game menu (the darkened window) takes every press: one that reaches CONFIG or
// CLOSE with the pointer, before the buttons take input, or lands beside them, moves no
// line behind the menu.
TEST_F(StageUpdateTest, APressOnTheDarkenedWindowNeverAdvancesTheLine) {
    Begin();
    WriteScript("m.scr", {Record(1, 0, 3), Line(3, 4, "one"), Line(4, 0, "two")});
    ASSERT_TRUE(Stage().StartScript("m.scr"));
    ASSERT_TRUE(d.Frame(25));
    Stage().GetWindow().SetDarken(true);
    for (const SPoint at : {ButtonCentre(8), ButtonCentre(11), SPoint{400, 300}}) {
        SCOPED_TRACE(at.x);
        d.Move(400, 300);
        ASSERT_TRUE(d.Frame(10));
        ClickAt(at.x, at.y);
        ASSERT_TRUE(d.Frame(3));
        EXPECT_TRUE(Stage().GetMessageState().m_LineShown);
        EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "one");
    }
}

// A left press on a finished line is a button's or the line's, never both and never
// neither, by where the pointer is in the frame of the press: the pointer's first frame
// over a button, the frame it leaves one, and the event panel's CLOSE.
TEST_F(StageUpdateTest, ALeftPressIsTheButtonsOrTheLinesByThisFramesPointer) {
    constexpr int kPanel = 17;  // the event panel's CLOSE, at (272, 8), 96 × 32
    const SPoint text{200, 480};  // on the line, beside the panel's picture
    const SPoint band{600, 590};  // in the bottom band, on no button
    struct SCase {
        const char* name;
        bool menuFirst;  // the press comes in the frame after the in-game menu's CLOSE
        SPoint rest, click;
        int button;  // the button that takes the press; -1: the line reads on
    };
    const SCase cases[] = {
        {"first frame on VOICE", false, band, ButtonCentre(5), 5},
        {"first frame on MENU", false, band, ButtonCentre(6), 6},
        {"leaving VOICE", false, ButtonCentre(5), text, -1},
        {"after the menu's CLOSE, resting on VOICE's place", true, ButtonCentre(11), text, -1},
        {"the panel's CLOSE", false, SPoint{320, 24}, SPoint{320, 24}, kPanel},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        Begin();
        ASSERT_TRUE(probe.Write(d.Folder(), kit::MakeSheet("obj\\u000_005.bmp", 192, 160, 2, 5)));
        Stage().SetEventPanel("obj\\girl.bmp", 7);
        Stage().OpenEventPanel(true);
        WriteScript("p.scr", {Record(1, 0, 3), Line(3, 4, "one"), Line(4, 0, "two")});
        ASSERT_TRUE(Stage().StartScript("p.scr"));
        ASSERT_TRUE(d.Frame(25));
        if (c.menuFirst) Stage().GetWindow().SetDarken(true);
        HoverButton(c.rest.x, c.rest.y);
        if (c.menuFirst) {
            ClickAt(c.rest.x, c.rest.y);
            ASSERT_FALSE(Stage().GetWindow().IsDarkened());
        }
        ClickAt(c.click.x, c.click.y);
        CImageButton* taker =
            c.button == kPanel ? &Stage().GetEventPanel().GetButton() : Stage().GetWindow().GetButton(c.button);
        EXPECT_EQ(Stage().GetMessageState().m_LineShown, taker != nullptr) << "the line read on";
        if (taker) {
            EXPECT_TRUE(taker->IsChecked()) << "the button took the press";
        }
        EXPECT_EQ(Stage().IsPanelOpenFlag(), c.button != kPanel);
        EXPECT_EQ(Stage().GetWindow().IsDarkened(), c.button == 6);
    }
}

TEST_F(StageUpdateTest, AScriptThatEndsInItsFirstFrameSetsTheEndFlagInThatUpdate) {
    Begin();
    WriteScript("s2.scr", {Record(1, 0, 3), Record(3, 0, 0)});
    ASSERT_TRUE(Stage().StartScript("s2.scr"));
    ASSERT_TRUE(d.Frame());
    EXPECT_TRUE(Stage().GetScriptEndFlag());
    EXPECT_FALSE(Stage().StartScript("missing.scr"));
    EXPECT_FALSE(Stage().GetScriptEndFlag());
    ASSERT_TRUE(d.Frame());
    EXPECT_TRUE(Stage().GetScriptEndFlag()) << "a script that failed to load ends at the next update";
}

TEST_F(StageUpdateTest, AnEndedScriptLeavesRecordIdZeroAndItsPairInTheHistory) {
    Begin();
    // The line holds at record 4; the plain record after it ends the script in the
    // frame after the one that closes the line.
    WriteScript("s3.scr", {Record(1, 0, 3), Line(3, 4, "last"), Record(4, 0, 0)});
    ASSERT_TRUE(Stage().StartScript("s3.scr"));
    ASSERT_TRUE(d.Frame(25));
    EXPECT_EQ(Stage().GetRecord().m_RecordId, 4);
    ClickAt(400, 300);
    ASSERT_TRUE(d.Frame());
    ASSERT_TRUE(Stage().GetScriptEndFlag());
    EXPECT_EQ(Stage().GetRecord().m_RecordId, 0) << "no record is current once the script has ended";
    EXPECT_TRUE(d.Game().GetReadFlags().Contains("s3.scr", 0));
}

TEST_F(StageUpdateTest, WaitFlagsAndTheWaitSwitch) {
    Begin();
    struct SCase {
        const char* name;
        bool f1, f2, f3, f4, waitSwitch;
        uint32_t key;  // pressed on frame 3 (0: none)
        int heldFrames;  // frames the stage holds in the first 8
    };
    const SCase cases[] = {
        {"flag 2 holds past its frames", false, true, false, false, true, 0, 8},
        {"wait switch off cancels at once", false, true, false, false, false, 0, 0},
        {"flag 1 keeps its frames with the switch off", true, false, false, false, false, 0, 4},
        {"flag 3 and decide", false, true, true, false, true, VKey::kSpace, 2},
        {"flag 4 and cancel", false, true, false, true, true, VKey::kEscape, 2},
        {"flag 3 ignores cancel", false, true, true, false, true, VKey::kEscape, 8},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        Settings().SetOption(CSystemData::OPTION_WAIT, c.waitSwitch);
        Stage().SetWait(5, c.f1, c.f2, c.f3, c.f4);
        int held = 0;
        for (int frame = 0; frame < 8; ++frame) {
            if (frame == 2 && c.key) d.Key(c.key);
            ASSERT_TRUE(d.Frame());
            held += Stage().GetRecord().m_WaitFrames != 0 || Stage().GetRecord().m_WaitFlags[1];
        }
        EXPECT_EQ(held, c.heldFrames);
        Stage().SetWait(0, false, false, false, false);
    }
}

TEST_F(StageUpdateTest, TheCancelLockLeavesEverythingButAFlag4Wait) {
    Begin();
    Stage().SetCancelLock(true);
    Settings().m_CancelAction = 1;
    Stage().GetSidePanel().SetupPanelButtons(2);
    Stage().GetSidePanel().Open();
    Cancel();
    EXPECT_TRUE(Stage().GetSidePanel().IsOpen());
    Stage().GetSidePanel().Close();
    ASSERT_TRUE(d.Frame(12));
    Stage().SetSkip(true);
    Cancel();
    EXPECT_TRUE(Stage().IsSkipOn());
    Stage().SetSkip(false);
    EXPECT_FALSE(Stage().GetWindow().IsDarkened()) << "right-click setting 1 did not act";
    Stage().ShowMessage({"a", "line", ""});
    ASSERT_TRUE(d.Frame(25));
    Stage().GetWindow().OpenLog();
    Cancel();
    EXPECT_TRUE(Stage().GetWindow().IsLogOpen());
    Stage().GetWindow().CloseLog();
    Stage().HideWindowByPlayer();
    Cancel();
    EXPECT_FALSE(Stage().IsWindowShownByPlayer());
    EXPECT_TRUE(LastResult()) << "a hidden window takes every frame";
    d.Key(VKey::kSpace);
    ASSERT_TRUE(d.Frame());
    EXPECT_TRUE(Stage().IsWindowShownByPlayer()) << "decide shows it again";
    Stage().SetWait(100, false, true, false, true);
    Cancel();
    EXPECT_EQ(Stage().GetRecord().m_WaitFrames, 0);
}

TEST_F(StageUpdateTest, SkipToggleAndTheSkipStopLock) {
    Begin();
    Settings().m_CancelAction = 1;
    Stage().SetSkip(true);
    Stage().SetSkipStopLock(true);
    Cancel();
    EXPECT_TRUE(Stage().IsSkipOn());
    EXPECT_TRUE(Stage().GetWindow().IsDarkened()) << "the press went on to the right-click setting";
    Stage().GetWindow().SetDarken(false);
    Stage().SetSkipStopLock(false);
    Cancel();
    EXPECT_FALSE(Stage().IsSkipOn());
    EXPECT_TRUE(LastResult());
    EXPECT_FALSE(Stage().GetWindow().GetButton(2)->IsChecked());
    EXPECT_FALSE(Stage().GetWindow().IsDarkened());
    // Skipping under the in-game menu: one cancel closes the menu and skipping goes on.
    Stage().SetSkip(true);
    Stage().GetWindow().SetDarken(true);
    Cancel();
    EXPECT_FALSE(Stage().GetWindow().IsDarkened());
    EXPECT_TRUE(Stage().IsSkipOn());
}

TEST_F(StageUpdateTest, RightClickSettings) {
    Begin();
    Settings().m_CancelAction = 1;
    Cancel();
    EXPECT_TRUE(Stage().GetWindow().IsDarkened());
    Cancel();
    EXPECT_FALSE(Stage().GetWindow().IsDarkened()) << "cancel on a darkened window brings it back";
    Settings().m_CancelAction = 4;
    Cancel();
    EXPECT_TRUE(LastResult());
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(CurrentScene(), 9);
}

TEST_F(StageUpdateTest, RightClickSetting3TwiceWithinTheCooldownCallsOnce) {
    Begin();
    Settings().m_CancelAction = 3;
    Cancel();
    EXPECT_EQ(Stage().GetCooldown(), CMainGameScene::kCooldownFrames);
    // Back on the stage at once, the cooldown still running.
    d.Game().GetSceneManager().Return();
    d.Game().GetSceneManager().Transition(0, 0);
    ASSERT_TRUE(d.Frame(2));
    EXPECT_EQ(scenes.made[8], 1);
    Cancel();
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(scenes.made[8], 1) << "the second press fell in the cooldown";
    EXPECT_EQ(CurrentScene(), kHostScene);
    ASSERT_TRUE(d.Frame(CMainGameScene::kCooldownFrames));
    Cancel();
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(scenes.made[8], 2);
}

TEST_F(StageUpdateTest, WithTheBranchSwitchOnSetting3CallsNothingAndTakesTheFrame) {
    Begin(true);
    Settings().m_CancelAction = 3;
    Cancel();
    EXPECT_TRUE(LastResult());
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(scenes.made.count(8), 0u);
}

TEST_F(StageUpdateTest, LeavingByTheSidePanelOrAtOnce) {
    Begin();
    // Confirmation on: the end button opens the side panel in mode 2; its first button leaves.
    Settings().m_CancelAction = 1;
    Cancel();
    ASSERT_TRUE(Stage().GetWindow().IsDarkened());
    PressButton(10);
    ASSERT_TRUE(Stage().GetSidePanel().IsOpen());
    EXPECT_EQ(Stage().GetSidePanel().GetMode(), CMainGameScene::kPanelLeaveToExit);
    Cancel();
    EXPECT_FALSE(Stage().GetSidePanel().IsOpen()) << "cancel closes the panel";
    ASSERT_TRUE(d.Frame(12));
    PressButton(10);
    ASSERT_TRUE(d.Frame(12));
    d.Game().m_GameInProgress = 1;
    Stage().LoadSlot(0, 0, "bgm\\a.ogg");
    Stage().PlaySlot(0, 0, 0, 0);
    HoverButton(300, 300);
    ClickAt(300, 300);
    EXPECT_EQ(d.Game().m_GameInProgress, 0);
    EXPECT_FALSE(Stage().GetRecord().GetSoundSlot(0, 0)->playing);
    CSaveData saved;
    ASSERT_TRUE(saved.Load(CSaveData::SlotPath(0)));
    EXPECT_EQ(saved.m_Used, 1) << "the running game is kept marked as the automatic save";
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(CurrentScene(), 1);
    ExpectLeavingFadesAndTransition();
}

TEST_F(StageUpdateTest, LeavingToTheTitleAtOnceWithoutConfirmation) {
    Begin();
    Settings().SetOption(CSystemData::OPTION_CONFIRM, 0);
    Stage().LoadSlot(0, 0, "bgm\\a.ogg");
    Stage().PlaySlot(0, 0, 0, 0);
    Stage().GetWindow().SetDarken(true);
    PressButton(9);
    EXPECT_FALSE(Stage().GetSidePanel().IsOpen());
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(CurrentScene(), 5);
    ExpectLeavingFadesAndTransition();
    CSaveData saved;
    EXPECT_FALSE(saved.Load(CSaveData::SlotPath(0))) << "no game was running: nothing is kept";
}

TEST_F(StageUpdateTest, WindowButtonsAndTheLog) {
    Begin();
    Stage().EnableExtraButtons(0);
    Stage().ShowMessage({"a", "first", ""});
    ASSERT_TRUE(d.Frame(25));
    Stage().ShowMessage({"a", "second", "voice\\me_0001.ogg", 100, 0});
    ASSERT_TRUE(d.Frame(3));
    // The log: the wheel back opens it, forward on the newest line closes it.
    d.Wheel(-1);
    ASSERT_TRUE(d.Frame());
    EXPECT_TRUE(Stage().GetWindow().IsLogOpen());
    EXPECT_FALSE(Stage().IsLineVoicePlaying()) << "the log stops the line voice";
    d.Key(VKey::kPrior);
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(Stage().GetWindow().GetLogIndex(), 1u);
    d.Key(VKey::kNext);
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(Stage().GetWindow().GetLogIndex(), 0u);
    d.Wheel(1);
    ASSERT_TRUE(d.Frame());
    EXPECT_FALSE(Stage().GetWindow().IsLogOpen());
    d.Sounds().Take();
    PressButton(5);
    EXPECT_TRUE(Stage().IsLineVoicePlaying()) << "button 5 plays the line again";
    PressButton(2);
    EXPECT_TRUE(Stage().IsSkipOn());
    ClickAt(ButtonCentre(2).x, ButtonCentre(2).y);
    EXPECT_FALSE(Stage().IsSkipOn());
    PressButton(3);
    EXPECT_EQ(Settings().m_AutoMode, 1);
    EXPECT_EQ(Stage().GetMessageState().GetAutoCounter(), (100 - Settings().m_AutoSpeed) * 20 / 10 + 30);
    ClickAt(ButtonCentre(3).x, ButtonCentre(3).y);
    EXPECT_EQ(Settings().m_AutoMode, 0);
    PressButton(15);
    EXPECT_EQ(scenes.owner.hintSteps, 1);
    PressButton(16);
    EXPECT_TRUE(Stage().IsPanelOpenFlag());
    ClickAt(ButtonCentre(16).x, ButtonCentre(16).y);
    EXPECT_FALSE(Stage().IsPanelOpenFlag());
    EXPECT_EQ(scenes.owner.mirror, (std::vector<bool>{true, false}));
    const std::vector<std::string> heard = d.Sounds().Take();
    EXPECT_NE(std::find(heard.begin(), heard.end(), "ch2"), heard.end()) << "releasing a toggle plays cancel";
    PressButton(4);
    EXPECT_FALSE(Stage().IsWindowShownByPlayer());
    ASSERT_TRUE(d.Frame(3));
    EXPECT_TRUE(LastResult());
    d.Key(VKey::kSpace);
    ASSERT_TRUE(d.Frame());
    PressButton(0);
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(CurrentScene(), 8);
}

TEST_F(StageUpdateTest, ExtraTextStepsByMessageSpeed) {
    for (const auto& [speed, steps] : {std::pair{100, 0}, {50, 0}, {30, 0}, {75, 5}, {99, 9}}) {
        EXPECT_EQ(CMainGameScene::ExtraTextSteps(speed), steps) << speed;
    }
}

TEST_F(StageUpdateTest, ButtonsThatCallScenesOrChangeTheWindow) {
    struct SCase {
        const char* name;
        bool darkened;
        int button;
        int32_t scene;  // called scene, or 0
    };
    const SCase cases[] = {
        {"1 calls the load screen", false, 1, 9},
        {"8 calls the settings", true, 8, 16},
        {"14 calls the guide", false, 14, 17},
        {"6 darkens", false, 6, 0},
        {"11 brings the window back", true, 11, 0},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        Begin();
        Stage().EnableExtraButtons(0);
        Stage().GetWindow().SetDarken(c.darkened);
        PressButton(c.button);
        ASSERT_TRUE(d.Frame());
        if (c.scene) {
            EXPECT_EQ(CurrentScene(), c.scene);
        } else {
            EXPECT_EQ(Stage().GetWindow().IsDarkened(), !c.darkened);
        }
    }
}

TEST_F(StageUpdateTest, LogButtonsOpenScrollAndClose) {
    Begin();
    Stage().ShowMessage({"a", "first", ""});
    Stage().ShowMessage({"a", "second", ""});
    ASSERT_TRUE(d.Frame(25));
    PressButton(12);
    ASSERT_TRUE(Stage().GetWindow().IsLogOpen());
    PressButton(12);
    EXPECT_EQ(Stage().GetWindow().GetLogIndex(), 1u);
    PressButton(13);
    EXPECT_EQ(Stage().GetWindow().GetLogIndex(), 0u);
    PressButton(13);
    EXPECT_FALSE(Stage().GetWindow().IsLogOpen()) << "newer on the newest line closes the log";
}


TEST_F(StageUpdateTest, Button7EndsAReplayAndReturnsToTheCaller) {
    for (const bool inGame : {false, true}) {
        SCOPED_TRACE(inGame ? "a game in progress" : "no game");
        constexpr int32_t kCaller = 31;
        scenes.host = nullptr;
        d.Start(kCaller);
        ASSERT_TRUE(d.Frame());
        ASSERT_TRUE(RequestCallSceneKeep(kHostScene, 0, 0));
        ASSERT_TRUE(d.Frame(2));
        ASSERT_NE(scenes.host, nullptr);
        scenes.host->shown = scenes.host->stage.get();
        const int rebuildsBefore = scenes.owner.rebuilds;
        d.Game().m_GameInProgress = inGame;
        d.Game().m_ReplayFlag = 1;
        Stage().LoadSlot(0, 0, "bgm\\a.ogg");
        Stage().PlaySlot(0, 0, 0, 0);
        // Button 7 lies off the screen: a replay's window is the only one that shows it,
        // in the darkened button set.
        Stage().GetWindow().SetDarken(true);
        Stage().GetWindow().GetButton(7)->SetPosition(560, 560);
        HoverButton(600, 580);
        ClickAt(600, 580);
        EXPECT_EQ(scenes.owner.rebuilds - rebuildsBefore, inGame ? 1 : 0);
        EXPECT_EQ(d.Game().m_ReplayFlag, 0);
        EXPECT_FALSE(Stage().GetRecord().GetSoundSlot(0, 0)->playing);
        ASSERT_TRUE(d.Frame(2));
        EXPECT_EQ(CurrentScene(), kCaller);
    }
}
