// The message settings page: the speed mapping, the sliders and step buttons, the
// demo line's wait and the window's opacity.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "engine/sound/SoundBank.h"
#include "game/menus/settings/MessageOptionPage.h"
#include "tests/game/menus/settings/SettingsTestUtil.h"

namespace {

using settingstest::SettingsTest;

class MessagePageTest : public SettingsTest {
protected:
    CMessageOptionPage* Msg() { return Page<CMessageOptionPage>(); }
    void Open() {
        Enter();
        OpenPage(CMessageOptionPage::kPageId);
        ASSERT_NE(Msg(), nullptr);
        ASSERT_EQ(Msg()->GetState(), CMenuPage::STATE_SHOWN);
    }
};

TEST_F(MessagePageTest, TheSpeedSetsTheDemoRevealAndItsUpdatesPerFrame) {
    struct SCase {
        int32_t speed, chars, interval, updates;
    };
    const SCase cases[] = {{100, 0, 0, 1}, {51, 1, 0, 1}, {54, 1, 0, 1}, {55, 1, 5, 2},
                           {99, 1, 45, 10}, {50, 1, 10, 1}, {0, 11, 10, 1}};
    Open();
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.speed);
        Live().m_MessageSpeed = c.speed;
        Msg()->ToTextSpeed();
        EXPECT_EQ(Msg()->GetDemoText().GetCharsPerStep(), c.chars);
        EXPECT_EQ(Msg()->GetDemoText().GetInterval(), c.interval);
        EXPECT_FALSE(Msg()->GetDemoText().IsActive()) << "stopped: the next frame starts the next line";
        EXPECT_EQ(CMessageOptionPage::UpdatesPerFrame(c.speed), c.updates);
    }
}

TEST_F(MessagePageTest, TheDemoWaitsByTheAutoSpeedAndTheLineLength) {
    EXPECT_EQ(CMessageOptionPage::DemoWait(100, 90), 0);
    EXPECT_EQ(CMessageOptionPage::DemoWait(50, 44), 50 * 44 / 10 + 30);
    EXPECT_EQ(CMessageOptionPage::DemoWait(0, 1), 40);
    EXPECT_EQ(CMessageOptionPage::DemoWait(99, 9), 30);
    // The lines are Shift-JIS: "「" is 0x81 0x75, every character two bytes.
    const char* line = CMessageOptionPage::kLines[0];
    EXPECT_EQ(static_cast<uint8_t>(line[0]), 0x81);
    EXPECT_EQ(static_cast<uint8_t>(line[1]), 0x75);
    EXPECT_EQ(std::strlen(line), 44u);
    EXPECT_NE(std::strchr(CMessageOptionPage::kLines[1], '\n'), nullptr);

    // At speed 100 and auto 100 a line shows whole and the next starts a frame later.
    Open();
    Live().m_MessageSpeed = 100;
    Live().m_AutoSpeed = 100;
    Msg()->ToTextSpeed();
    d.Frame();
    const int32_t first = Msg()->GetLineIndex();
    EXPECT_EQ(Msg()->GetDemoText().GetRevealedCount(), Msg()->GetDemoText().GetCharCount());
    d.Frame();
    EXPECT_EQ(Msg()->GetLineIndex(), (first + 1) % 4);
    // A slower wait holds the shown line: 30 frames and more at auto 99.
    Live().m_AutoSpeed = 99;
    d.Frame(20);
    const int32_t held = Msg()->GetLineIndex();
    d.Frame(5);
    EXPECT_EQ(Msg()->GetLineIndex(), held);
}

TEST_F(MessagePageTest, SlidersTakeTheirEndsAndTheStepButtonsLockAtTheLimits) {
    EXPECT_EQ(CSliderSet::ValueAt(2, 240), 0);
    EXPECT_EQ(CSliderSet::ValueAt(3, 240), 5);
    EXPECT_EQ(CSliderSet::ValueAt(239, 240), 100);
    Open();
    const SPoint fill = CMessageOptionPage::kLayout.fills[2];
    d.Click(fill.x + 1, fill.y + 4);
    d.Frame();
    EXPECT_EQ(Live().m_WindowOpacity, 0);
    EXPECT_TRUE(Msg()->GetStepButton(4).IsLocked()) << "minus locked at 0";
    d.Click(fill.x + 239, fill.y + 4);
    d.Frame();
    EXPECT_EQ(Live().m_WindowOpacity, 100);
    EXPECT_FALSE(Msg()->GetStepButton(4).IsLocked());
    EXPECT_TRUE(Msg()->GetStepButton(5).IsLocked()) << "plus locked at 100";
    d.Move(0, 599);
    d.Frame(6);
    ClickAt(CMessageOptionPage::kLayout.steps[4]);
    EXPECT_EQ(Live().m_WindowOpacity, 95);
    EXPECT_FALSE(Msg()->GetStepButton(5).IsLocked());
    // The speed slider restarts the demo at the new speed.
    const SPoint speed = CMessageOptionPage::kLayout.fills[0];
    d.Click(speed.x + 120, speed.y + 4);
    d.Frame();
    EXPECT_EQ(Live().m_MessageSpeed, 55);
    EXPECT_EQ(Msg()->GetDemoText().GetInterval(), 5);
}

TEST_F(MessagePageTest, OnlyTheMessageSpeedStepsRestartTheDemoLineWhileBothSpeedSlidersDoOnAChange) {
    struct SCase {
        bool drag;  // else a step button
        int index;  // slider, or step button: minus and plus of speed, auto-advance, opacity
        int32_t CSystemData::* field;
        int32_t value;
        bool restarts;
        int32_t dx = 120;  // a drag's point right of the fill's left edge
        int32_t pastX = 0;  // else the frame after the press moves it there, 40 above the row
        int onto = -1;  // else onto that slider's row
    };
    const SCase cases[] = {{false, 0, &CSystemData::m_MessageSpeed, 85, true},
                           {false, 1, &CSystemData::m_MessageSpeed, 95, true},
                           {false, 2, &CSystemData::m_AutoSpeed, 45, false},
                           {false, 3, &CSystemData::m_AutoSpeed, 55, false},
                           {false, 4, &CSystemData::m_WindowOpacity, 45, false},
                           {false, 5, &CSystemData::m_WindowOpacity, 55, false},
                           {true, 1, &CSystemData::m_AutoSpeed, 55, true},
                           {true, 2, &CSystemData::m_WindowOpacity, 55, false},
                           // Held where the slider gives the value it has: nothing is called.
                           {true, 1, &CSystemData::m_AutoSpeed, 50, false, 110},
                           // A quick drag past an end: the held slider follows the x alone.
                           {true, 2, &CSystemData::m_WindowOpacity, 100, false, 120, 400},
                           {true, 2, &CSystemData::m_WindowOpacity, 0, false, 120, -200},
                           // Across the auto-advance row: the held slider takes the value.
                           {true, 2, &CSystemData::m_WindowOpacity, 30, false, 120, 60, 1}};
    const std::pair<int32_t CSystemData::*, int32_t> starts[] = {
        {&CSystemData::m_MessageSpeed, 90}, {&CSystemData::m_AutoSpeed, 50}, {&CSystemData::m_WindowOpacity, 50}};
    Open();
    for (const SCase& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.drag ? "slider " : "step ") << c.index);
        // Slow enough that no line ends on its own while the case runs.
        Live().m_MessageSpeed = 90;
        Live().m_AutoSpeed = 50;
        Live().m_WindowOpacity = 50;
        Msg()->ToTextSpeed();
        d.Frame(8);
        const int32_t line = Msg()->GetLineIndex();
        ASSERT_TRUE(Msg()->GetDemoText().IsActive());
        if (c.drag) {
            const SPoint fill = CMessageOptionPage::kLayout.fills[static_cast<size_t>(c.index)];
            d.Move(fill.x + c.dx, fill.y + 4);
            d.Game().GetMouse().ButtonDown(CMouse::kLeft);
            d.Frame();
            if (c.pastX != 0) {
                const int32_t y = c.onto < 0 ? fill.y - 40 : CMessageOptionPage::kLayout.fills[static_cast<size_t>(c.onto)].y + 4;
                d.Move(fill.x + c.pastX, y);
                d.Frame();
            }
            d.Game().GetMouse().ButtonUp(CMouse::kLeft);
            d.Move(0, 599);
        } else {
            ClickAt(CMessageOptionPage::kLayout.steps[static_cast<size_t>(c.index)]);
        }
        d.Frame();
        EXPECT_EQ(Live().*c.field, c.value);
        for (const auto& [field, start] : starts) {
            if (field != c.field) {
                EXPECT_EQ(Live().*field, start) << "another slider moved";
            }
        }
        EXPECT_EQ(Msg()->GetLineIndex(), c.restarts ? (line + 1) % 4 : line);
        EXPECT_TRUE(Msg()->GetDemoText().IsActive());
        d.Frame(6);
    }
}

TEST_F(MessagePageTest, TheOptionButtonsSetSkipAndAutoMode) {
    Open();
    ClickAt(CMessageOptionPage::kOptionPlaces[0]);
    EXPECT_EQ(Live().m_SkipMode, 1);
    EXPECT_TRUE(Msg()->GetOptionButton(0).IsChecked());
    EXPECT_FALSE(Msg()->GetOptionButton(1).IsChecked());
    ClickAt(CMessageOptionPage::kOptionPlaces[2]);
    EXPECT_EQ(Live().m_AutoMode, 1);
    ClickAt(CMessageOptionPage::kOptionPlaces[3]);
    EXPECT_EQ(Live().m_AutoMode, 0);
}

TEST_F(MessagePageTest, TheWindowsOpacityFollowsTheSetting) {
    Open();
    d.Frame();
    // On the box's right edge: its middle is open.
    const SPoint probe{797, 590};
    const screentest::SCellHit hit = Probe().At(d.Pixels(), probe.x, probe.y);
    EXPECT_EQ(hit.sheet, CMessageOptionPage::kWindowFile);
    EXPECT_EQ(hit.column, 3);
    Live().m_WindowOpacity = 0;
    d.Frame();
    EXPECT_TRUE(Probe().Absent(d.Pixels(), CMessageOptionPage::kWindowFile, 3, 0)) << "fully transparent";
    Live().m_WindowOpacity = 50;
    d.Frame();
    const screentest::SFrame half = d.Pixels();
    Live().m_WindowOpacity = 0;
    d.Frame();
    const screentest::SFrame none = d.Pixels();
    EXPECT_NE(half.At(probe.x, probe.y), none.At(probe.x, probe.y));
}

// A tap's press and release both come before the frame reads them (a touchpad, a quick
// click): each page's sliders take it at its point, as every button does, and hold
// nothing after it.  The sound page is opened from the message page.
TEST_F(MessagePageTest, ASliderTakesATapAtItsPointOnBothPages) {
    struct SCase {
        int32_t page;
        int32_t CSystemData::* field;
        SPoint at;
        int32_t value;
    };
    const SCase cases[] = {
        {1, &CSystemData::m_WindowOpacity, {269 + 1, 364 + 4}, 0},
        {1, &CSystemData::m_AutoSpeed, {269 + 239, 316 + 4}, 100},
        {1, &CSystemData::m_MessageSpeed, {269 + 150, 172 + 4}, 65},
        {2, &CSystemData::m_MusicVolume, {245 + 2, 172 + 4}, 0},
        {2, &CSystemData::m_VoiceVolume, {245 + 239, 268 + 4}, 100},
        {2, &CSystemData::m_EffectVolume, {245 + 60, 220 + 4}, 30},
    };
    Open();
    for (const SCase& c : cases) {
        if (c.page != 1 && !Page<CSoundOptionPage>()) OpenPage(c.page);
        Live().*c.field = 40;
        d.Tap(c.at.x, c.at.y);
        d.Frame();
        EXPECT_EQ(Live().*c.field, c.value) << "page " << c.page << " x " << c.at.x;
        // Back over the track with the button up: the tap left nothing taken.
        d.Move(c.at.x < 400 ? c.at.x + 100 : c.at.x - 100, c.at.y);
        d.Frame(3);
        EXPECT_EQ(Live().*c.field, c.value) << "page " << c.page << " x " << c.at.x;
        if (c.field == &CSystemData::m_MessageSpeed) {
            EXPECT_EQ(Msg()->GetDemoText().GetInterval(), 15) << "the demo at speed 65";
        }
    }
    EXPECT_EQ(d.Game().GetSoundBank().GetGroupVolume(CSoundBank::GROUP_EFFECT), 30);
}

}  // namespace
