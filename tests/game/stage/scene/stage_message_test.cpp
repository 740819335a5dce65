// The stage's message display: reveal settings by message speed, the auto wait,
// skipping, balloons holding the script, and which line's voice plays.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/ReadHistory.h"
#include "platform/window/WindowMessage.h"
#include "tests/game/stage/scene/StageTestUtil.h"

using namespace stagetest;

namespace {

class StageMessageTest : public StageFixture {
protected:
    bool Heard(const std::string& what) {
        const std::vector<std::string> all = d.Sounds().Take();
        return std::find(all.begin(), all.end(), what) != all.end();
    }
    CTextObject& Text() { return Stage().GetWindow().GetText().GetTextObject(); }
};

}  // namespace

TEST_F(StageMessageTest, MessageSpeedGivesTheWindowItsRevealSettings) {
    Begin();
    struct SCase {
        int32_t speed, step;
        bool timed;
        int32_t interval;
    };
    for (const SCase c : {SCase{100, 0, false, 0}, {50, 1, true, 10}, {0, 11, true, 10}, {75, 1, true, 25}}) {
        SCOPED_TRACE(c.speed);
        Settings().m_MessageSpeed = c.speed;
        Stage().ShowMessage({"a", "text", ""});
        EXPECT_EQ(Text().GetCharsPerStep(), c.step);
        EXPECT_EQ(Text().IsTimed(), c.timed);
        if (c.timed) {
            EXPECT_EQ(Text().GetInterval(), c.interval);
        }
        Stage().ShowBalloon(0, 0, {"a", "text", ""}, false);
        EXPECT_EQ(Stage().GetWindow().GetBalloon(0)->GetTextObject().GetCharsPerStep(), c.step) << "a balloon";
    }
}

TEST_F(StageMessageTest, TheAutoWaitClosesAFinishedLineOnceItsVoiceHasEnded) {
    Begin();
    Settings().m_AutoMode = 1;
    Settings().m_AutoSpeed = 100;
    Stage().ShowMessage({"a", "line", "voice\\me_0001.ogg", 100, 0});
    EXPECT_EQ(Stage().GetMessageState().GetAutoCounter(), 0);
    ASSERT_TRUE(d.Frame(25));
    EXPECT_TRUE(Stage().IsLineVoicePlaying());
    EXPECT_TRUE(Stage().GetMessageState().m_LineShown) << "held while the voice plays";
    Stage().StopLineVoice();
    ASSERT_TRUE(d.Frame());
    EXPECT_FALSE(Stage().GetMessageState().m_LineShown);

    Settings().m_AutoSpeed = 50;
    Stage().ShowMessage({"a", "0123456789", ""});
    EXPECT_EQ(Stage().GetMessageState().GetAutoCounter(), 50 * 10 / 10 + 30);
}

// The in-game menu (the darkened window) holds the auto wait where it stands: no line or
// balloon closes under it, and the wait goes on once the menu has closed.
TEST_F(StageMessageTest, TheInGameMenuHoldsTheAutoWait) {
    Begin();
    Settings().m_AutoMode = 1;
    Settings().m_AutoSpeed = 90;
    for (const bool balloon : {false, true}) {
        SCOPED_TRACE(balloon ? "balloon" : "line");
        const CSaveRecordStrings line{"a", "one", ""};
        if (balloon) {
            Stage().ShowBalloon(0, 0, line, true);
        } else {
            Stage().ShowMessage(line);
        }
        auto read = [&] {
            const CMessageState& m = Stage().GetMessageState();
            return balloon ? m.m_Balloons[0].advanced : !m.m_LineShown;
        };
        Stage().GetWindow().SetDarken(true);
        ASSERT_TRUE(d.Frame(120));
        EXPECT_FALSE(read());
        EXPECT_EQ(Stage().GetMessageState().GetAutoCounter(), (100 - 90) * 3 / 10 + 30);
        Stage().GetWindow().SetDarken(false);
        ASSERT_TRUE(d.Frame(120));
        EXPECT_TRUE(read()) << "the wait went on after the menu";
        Stage().ResetStage();
        ASSERT_TRUE(d.Frame());
    }
}

TEST_F(StageMessageTest, SkipMode1SkipsOnlyLinesAlreadyRead) {
    Begin();
    Settings().m_SkipMode = 1;
    WriteScript("s.scr", {Record(1, 0, 3), Line(3, 4, "read", "voice\\me_0001.ogg"), Line(4, 0, "new")});
    d.Game().GetReadFlags().Add("s.scr", 4);
    Stage().SetSkip(true);
    ASSERT_TRUE(Stage().StartScript("s.scr"));
    d.Sounds().Take();
    ASSERT_TRUE(d.Frame(2));
    EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "new") << "the read line went by";
    EXPECT_TRUE(Stage().GetMessageState().m_LineShown) << "the unread one holds";
    EXPECT_FALSE(Heard("bank 2 0 voice\\me_0001.ogg")) << "a skipped line plays no voice";
}

TEST_F(StageMessageTest, CtrlAndTheRightButtonUnderSetting2Skip) {
    Begin();
    for (int variant = 0; variant < 2; ++variant) {
        SCOPED_TRACE(variant);
        WriteScript("k.scr", {Record(1, 0, 3), Line(3, 4, "one", "voice\\me_0001.ogg"), Line(4, 0, "two")});
        ASSERT_TRUE(Stage().StartScript("k.scr"));
        Settings().m_CancelAction = variant == 0 ? 0 : 2;
        d.Sounds().Take();
        if (variant == 0) {
            d.Key(VKey::kControl);
        } else {
            d.Press(CMouse::kRight);
        }
        ASSERT_TRUE(d.Frame());
        EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "one");
        EXPECT_FALSE(Stage().GetMessageState().m_LineShown) << "shown whole, holding nothing";
        EXPECT_FALSE(Heard("bank 2 0 voice\\me_0001.ogg"));
        ASSERT_TRUE(d.Frame());
        EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "two");
        Stage().ResetStage();
    }
}

TEST_F(StageMessageTest, VoiceSwitchesAndTheOrderOfChoice) {
    Begin();
    struct SCase {
        const char* voice;
        int speaker;
        bool on;
    };
    for (const SCase c : {SCase{"voice\\me_0001.ogg", 1, true}, {"voice\\me_0001.ogg", 1, false},
                          {"voice\\zz_0001.ogg", 15, true}, {"voice\\zz_0001.ogg", 15, false}}) {
        SCOPED_TRACE(std::string(c.voice) + (c.on ? " on" : " off"));
        Settings().m_VoiceSwitches[c.speaker] = c.on;
        d.Sounds().Take();
        Stage().ShowMessage({"a", "t", c.voice, 100, 0});
        ASSERT_TRUE(d.Frame());
        EXPECT_EQ(Heard(std::string("bank 2 0 ") + c.voice), c.on);
        Settings().m_VoiceSwitches[c.speaker] = 1;
    }
    // Balloons: the first open one not yet voiced.
    Stage().ResetStage();
    ASSERT_TRUE(d.Frame());
    Stage().ShowBalloon(0, 0, {"a", "b0", "voice\\me_0001.ogg", 100, 0}, false);
    Stage().ShowBalloon(1, 0, {"a", "b1", "voice\\me_0002.ogg", 100, 0}, false);
    EXPECT_EQ(Bank().GetName(2, 0), "voice\\me_0002.ogg") << "balloon 0 was voiced, so balloon 1 is next";
    // The log's line comes first.
    Stage().ShowMessage({"a", "logged", "voice\\zz_0001.ogg", 100, 0});
    Stage().GetWindow().OpenLog();
    Stage().PlayLineVoice();
    EXPECT_EQ(Bank().GetName(2, 0), "voice\\zz_0001.ogg");
}

TEST_F(StageMessageTest, BalloonsHoldUntilAdvancedAndCloseOnAdvanceWhenAsked) {
    Begin();
    Stage().ShowBalloon(0, 0, {"a", "stays", ""}, false);
    Stage().ShowBalloon(1, 0, {"a", "goes", ""}, true);
    ASSERT_TRUE(d.Frame(40));
    EXPECT_TRUE(Stage().GetMessageState().IsActive());
    ClickAt(400, 300);
    EXPECT_TRUE(Stage().GetMessageState().m_Balloons[0].advanced);
    EXPECT_TRUE(Stage().GetMessageState().IsActive()) << "held at balloon 1";
    ClickAt(400, 300);
    EXPECT_TRUE(Stage().GetWindow().IsBalloonClosing(1));
    EXPECT_FALSE(Stage().GetRecord().m_Balloons[1].shown);
    ASSERT_TRUE(d.Frame(40));
    EXPECT_FALSE(Stage().GetMessageState().IsActive());
    EXPECT_TRUE(Stage().GetWindow().IsBalloonOpen(0)) << "an advanced balloon stays without holding";
}

// A balloon skipped on a number whose last balloon closed on advance holds nothing: the
// script goes on to its line, skipping or not.
TEST_F(StageMessageTest, ABalloonSkippedAfterOneThatClosedOnAdvanceLetsTheScriptGoOn) {
    Begin();
    Settings().m_SkipMode = 0;
    CAdvCommand one = Line(3, 4, "one");
    CAdvCommand two = Line(4, 5, "two");
    for (CAdvCommand* r : {&one, &two}) {
        r->Code = 6;
        r->Ints[12] = 1;  // close on advance
    }
    WriteScript("b.scr", {Record(1, 0, 3), one, two, Line(5, 0, "end")});
    ASSERT_TRUE(Stage().StartScript("b.scr"));
    ASSERT_TRUE(d.Frame(40));
    ClickAt(400, 300);
    Stage().SetSkip(true);
    ASSERT_TRUE(d.Frame(60));
    Stage().SetSkip(false);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(d.Frame(20));
        ClickAt(400, 300);
    }
    EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "end");
}

namespace {

// Pixels of the drawn letters (the sheets' colours stay below 0xD0 in every channel).
int InkIn(const screentest::SFrame& frame, int32_t top, int32_t bottom) {
    int ink = 0;
    for (int32_t y = top; y < bottom; ++y) {
        for (int32_t x = 36; x < 500; ++x) {
            const uint32_t c = frame.At(x, y);
            ink += ((c >> 16) & 0xFF) >= 0xE0 && ((c >> 8) & 0xFF) >= 0xE0 && (c & 0xFF) >= 0xE0;
        }
    }
    return ink;
}

}  // namespace

TEST_F(StageMessageTest, ASkippedLineShowsWholeNameAndTextOnTheFrameItIsSet) {
    Begin();
    enum EWay { SCRIPT_LINE, AFTER_A_SHOWN_LINE, SCREENS_LINE_AFTER_A_RESET };
    for (const EWay way : {SCRIPT_LINE, AFTER_A_SHOWN_LINE, SCREENS_LINE_AFTER_A_RESET}) {
        SCOPED_TRACE(way);
        switch (way) {
            case SCRIPT_LINE:
                WriteScript("w.scr", {Record(1, 0, 3), Line(3, 0, "skipped whole")});
                ASSERT_TRUE(Stage().StartScript("w.scr"));
                d.Key(VKey::kControl);
                ASSERT_TRUE(d.Frame());
                break;
            case AFTER_A_SHOWN_LINE:
                WriteScript("w.scr", {Record(1, 0, 3), Line(3, 4, "before"), Line(4, 0, "skipped whole")});
                ASSERT_TRUE(Stage().StartScript("w.scr"));
                ASSERT_TRUE(d.Frame(25));
                ASSERT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "before");
                // Ctrl closes "before" in its first frame; the next line comes in the second.
                d.Game().GetKeyboard().KeyDown(VKey::kControl);
                ASSERT_TRUE(d.Frame(2));
                d.Game().GetKeyboard().KeyUp(VKey::kControl);
                break;
            case SCREENS_LINE_AFTER_A_RESET:
                // A menu's help line while Ctrl is held, right after the last one was
                // taken away (its clear request is still pending).
                d.Game().GetKeyboard().KeyDown(VKey::kControl);
                ASSERT_TRUE(d.Frame());
                Stage().ResetMessageState();
                Stage().ShowNameLine({"help", "skipped whole", ""});
                ASSERT_TRUE(d.Frame());
                d.Game().GetKeyboard().KeyUp(VKey::kControl);
                break;
        }
        ASSERT_EQ(Stage().GetWindow().GetCurrentLine().m_Text, "skipped whole");
        EXPECT_TRUE(Text().IsHolding());
        EXPECT_EQ(Text().GetRevealedCount(), Text().GetCharCount());
        const screentest::SFrame frame = d.Pixels();
        EXPECT_GT(InkIn(frame, 438, 462), 0) << "the name";
        EXPECT_GT(InkIn(frame, 464, 490), 0) << "the text";
        ASSERT_TRUE(d.Frame(5));
        EXPECT_TRUE(Text().IsHolding()) << "still shown once the skip is over";
        Stage().ResetStage();
        ASSERT_TRUE(d.Frame());
    }
}

TEST_F(StageMessageTest, ALinesVoicePlaysAtTheLinesVolumeAndPan) {
    Begin();
    struct SCase {
        const char* what;
        bool balloon;
        int32_t volume, pan;
    };
    // Each case leaves values the next must replace, so that none passes on what was left.
    for (const SCase c : {SCase{"window line", false, 30, -2500}, {"balloon", true, 60, 4000},
                          {"window line again", false, 100, -10000}}) {
        SCOPED_TRACE(c.what);
        const CSaveRecordStrings line{"a", c.what, "voice\\me_0001.ogg", c.volume, c.pan};
        if (c.balloon) {
            Stage().ShowBalloon(0, 0, line, false);
        } else {
            Stage().ShowMessage(line);
        }
        EXPECT_EQ(Bank().GetName(2, 0), "voice\\me_0001.ogg");
        EXPECT_EQ(Bank().GetVolume(2, 0), c.volume);
        EXPECT_EQ(Bank().GetPan(2, 0), c.pan);
        Stage().ResetStage();
        ASSERT_TRUE(d.Frame());
    }
}
