// The settings menu's page container: slides, tab locks, defaults, cancel and the
// settings file after leaving.
#include <gtest/gtest.h>

#include "engine/base/Keyboard.h"
#include "engine/sound/FadeSound.h"
#include "engine/sound/SoundBank.h"
#include "game/menus/settings/DisplayOptionPage.h"
#include "game/menus/settings/SoundOptionPage.h"
#include "game/menus/settings/VoiceOptionPage.h"
#include "tests/game/menus/settings/SettingsTestUtil.h"

namespace {

using settingstest::SettingsTest;

TEST_F(SettingsTest, PagesSlideInFromTheRightAndOutToTheLeft) {
    Enter();
    ASSERT_NE(Page<CDisplayOptionPage>(), nullptr);
    EXPECT_EQ(Page<CDisplayOptionPage>()->GetState(), CMenuPage::STATE_SHOWN) << "the first page shows at once";
    d.Move(0, 599);
    d.Frame();
    screentest::SFrame f = d.Pixels();
    EXPECT_TRUE(Probe().ShowsCellAt(f, CDisplayOptionPage::kBackgroundFile, 0, 0, 0, 88));
    EXPECT_TRUE(Probe().ShowsCellAt(f, CSystemMenuScene::kCommandSheet, 0, 2, 424, 12)) << "page button 0 selected";
    EXPECT_TRUE(Probe().ShowsCellAt(f, "obj\\c000_002.bmp", 5, 2, 248, 48)) << "the own tab on";
    for (int i : {2, 3, 4}) EXPECT_FALSE(Menu()->GetTabBar().GetButton(i).HasImage()) << i;
    for (int i : {2, 3, 4}) EXPECT_TRUE(Probe().Absent(f, "obj\\c000_002.bmp", i, 0)) << i;

    Command(2);
    CMenuPage* out = Page<CDisplayOptionPage>();
    CMenuPage* in = Page<CSoundOptionPage>();
    ASSERT_NE(out, nullptr);
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(out->GetState(), CMenuPage::STATE_SLIDING_OUT);
    EXPECT_EQ(in->GetState(), CMenuPage::STATE_SLIDING_IN);
    EXPECT_EQ(in->GetOffsetX(), 800);
    d.Frame();
    EXPECT_LT(in->GetOffsetX(), 800);
    EXPECT_GT(in->GetOffsetX(), 0);
    EXPECT_LT(out->GetOffsetX(), 0);
    EXPECT_GT(out->GetOffsetX(), -800);
    // Drawn where its counter stands: the music test button, at (536, 157) once in,
    // shows moved right by the offset.
    int frames = 1;
    while (in->GetOffsetX() > 100 && frames < 19) {
        d.Frame();
        ++frames;
    }
    ASSERT_EQ(in->GetState(), CMenuPage::STATE_SLIDING_IN);
    const int32_t dx = in->GetOffsetX();
    ASSERT_GT(dx, 0);
    EXPECT_TRUE(Probe().CornersAt(d.Pixels(), "obj\\c000_034.bmp", 8, 0, 536 + dx, 157));
    d.Frame(20 - frames);
    EXPECT_EQ(in->GetState(), CMenuPage::STATE_SHOWN);
    EXPECT_EQ(in->GetOffsetX(), 0);
    EXPECT_EQ(Page<CDisplayOptionPage>(), nullptr) << "dropped once its slide ended";
    EXPECT_TRUE(Menu()->GetCommand(2).IsChecked());
    EXPECT_FALSE(Menu()->GetCommand(0).IsChecked());
}

TEST_F(SettingsTest, EveryPageFindsItsFilesInTheDemoData) {
    CLogCapture log;
    Enter();
    for (int page = 1; page < CMenuPageFactory::kPageCount; ++page) OpenPage(page);
    OpenPage(0);
    for (const std::string& line : log.GetLines()) {
        EXPECT_EQ(line.find("開けません"), std::string::npos) << line;
        EXPECT_EQ(line.find("失敗"), std::string::npos) << line;
    }
    EXPECT_EQ(Menu()->GetPages().GetCount(), 1u);
}

TEST_F(SettingsTest, ThePageButtonOfAPageSlidingOutReplacesItAtOnce) {
    Enter();
    Command(3);
    d.Frame(5);
    CMenuPage* old = Page<CDisplayOptionPage>();
    ASSERT_NE(old, nullptr);
    ASSERT_EQ(old->GetState(), CMenuPage::STATE_SLIDING_OUT);
    Command(0);
    CMenuPage* fresh = Page<CDisplayOptionPage>();
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, old);
    EXPECT_EQ(fresh->GetState(), CMenuPage::STATE_SLIDING_IN);
    EXPECT_EQ(Page<CVoiceOptionPage>()->GetState(), CMenuPage::STATE_SLIDING_OUT);
    d.Frame(25);
    EXPECT_EQ(Page<CDisplayOptionPage>(), fresh);
    EXPECT_EQ(Page<CVoiceOptionPage>(), nullptr);
    EXPECT_EQ(Menu()->GetPages().GetCount(), 1u);
}

TEST_F(SettingsTest, TheTabBarLocksFollowTheGameAndTheReplayFlag) {
    struct SCase {
        int32_t inProgress;
        uint8_t replay;
        bool locked[6];
    };
    const SCase cases[] = {{0, 0, {true, false, false, false, false, false}},
                           {1, 0, {false, false, false, false, false, false}},
                           {1, 1, {true, true, false, false, false, false}}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.inProgress << "/" << int(c.replay));
        Manager().Reset();
        m_Factory.called = false;
        d.Game().m_GameInProgress = c.inProgress;
        d.Game().m_ReplayFlag = c.replay;
        Enter();
        for (int i : {0, 1, 5}) {
            EXPECT_EQ(Menu()->GetTabBar().GetButton(i).IsLocked(), c.locked[i]) << i;
        }
    }
}

TEST_F(SettingsTest, DefaultsResetTheSettingsAndRefreshOpenPagesButKeepTheTables) {
    Enter();
    OpenPage(3);
    CSystemData& sd = Live();
    sd.m_MusicVolume = 10;
    sd.m_MessageSpeed = 0;
    sd.m_CancelAction = 3;
    sd.m_LastSavedSlot = 12;
    sd.SetOption(CSystemData::OPTION_WAIT, 0);
    sd.SetOption(CSystemData::OPTION_QUIT_CONFIRM, 0);
    sd.SetVoiceSwitch(5, 0);
    sd.SetCgUnlock(7, 1);
    sd.SetPersistent(10000, 42);
    sd.m_LogoSeen = 1;
    sd.m_OverwriteConfirm = 0;
    Page<CVoiceOptionPage>()->Refresh();
    ASSERT_TRUE(Page<CVoiceOptionPage>()->GetButton(11).IsChecked());
    Command(CSystemMenuScene::COMMAND_DEFAULTS);
    CSystemData expected(CSystemData::kNoLoad);
    expected.SetOption(CSystemData::OPTION_QUIT_CONFIRM, 0);
    expected.SetCgUnlock(7, 1);
    expected.SetPersistent(10000, 42);
    expected.m_LogoSeen = 1;
    expected.m_OverwriteConfirm = 0;
    EXPECT_TRUE(sd == expected);
    EXPECT_TRUE(Page<CVoiceOptionPage>()->GetButton(10).IsChecked()) << "the open page follows";
    EXPECT_FALSE(Page<CVoiceOptionPage>()->GetButton(11).IsChecked());
    EXPECT_EQ(d.Game().GetSoundBank().GetGroupVolume(CSoundBank::GROUP_MUSIC), 80) << "volumes applied";
}

TEST_F(SettingsTest, TheCancelButtonRestoresTheEntrySettingsWhileTheCancelInputKeepsTheEdits) {
    struct SCase {
        const char* how;
        bool restores;
    };
    const SCase cases[] = {{"cancel button", true}, {"accept button", false}, {"esc", false}, {"enter", false},
                           {"right button", false}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.how);
        Manager().Reset();
        m_Factory.called = false;
        Live().SetDefaultSettings();
        d.Game().ApplySoundVolumes();
        Enter();
        CSystemData& sd = Live();
        sd.m_MusicVolume = 30;
        sd.m_WindowOpacity = 40;
        sd.SetVoiceSwitch(2, 0);
        sd.m_CancelAction = 2;
        d.Game().ApplySoundVolumes();
        const std::string how = c.how;
        if (how == "cancel button") Command(CSystemMenuScene::COMMAND_CANCEL);
        if (how == "accept button") Command(CSystemMenuScene::COMMAND_ACCEPT);
        if (how == "esc") d.Key(VKey::kEscape), d.Frame();
        if (how == "enter") d.Key(VKey::kReturn), d.Frame();
        if (how == "right button") d.Click(400, 560, CMouse::kRight), d.Frame();
        EXPECT_EQ(sd.m_MusicVolume, c.restores ? 80 : 30);
        EXPECT_EQ(sd.m_WindowOpacity, c.restores ? 100 : 40);
        EXPECT_EQ(sd.GetVoiceSwitch(2), c.restores ? 1 : 0);
        EXPECT_EQ(sd.m_CancelAction, c.restores ? 0 : 2);
        EXPECT_EQ(d.Game().GetChannel(4)->GetVolume(), (c.restores ? 80 : 30) * 10);
        RunOut();
        EXPECT_EQ(Scene(), 7) << "back at the caller";
        // What the menu left is in the settings file.
        CSystemData stored(CSystemData::kNoLoad);
        ASSERT_TRUE(stored.Load());
        EXPECT_EQ(stored.m_MusicVolume, c.restores ? 80 : 30);
        EXPECT_EQ(stored.m_CancelAction, c.restores ? 0 : 2);
    }
}

// A click while the menu's incoming transition runs is not taken: a button checked
// then, its answer skipped, would stay checked and refuse every later click.
TEST_F(SettingsTest, AClickDuringTheIncomingTransitionLeavesTheCommandButtonsWorking) {
    for (int command : {2, static_cast<int>(CSystemMenuScene::COMMAND_CANCEL)}) {
        SCOPED_TRACE(command);
        Manager().Reset();
        m_Factory.called = false;
        m_Factory.callFrames = 15;
        Live().SetDefaultSettings();
        d.Start(7);
        d.Frame(2);
        ASSERT_NE(Menu(), nullptr);
        ASSERT_TRUE(Manager().IsInTransition());
        Live().m_MusicVolume = 30;
        Command(command);
        EXPECT_FALSE(Menu()->GetCommand(command).IsChecked()) << "not taken during the transition";
        for (int n = 0; n < 30 && Manager().IsInTransition(); ++n) d.Frame();
        ASSERT_FALSE(Manager().IsInTransition());
        d.Move(0, 599);
        d.Frame();
        EXPECT_TRUE(Menu()->GetCommand(0).IsChecked());
        Command(command);
        if (command == CSystemMenuScene::COMMAND_CANCEL) {
            EXPECT_EQ(Live().m_MusicVolume, 80) << "the cancel button restored the entry settings";
            RunOut();
            EXPECT_EQ(Scene(), 7);
        } else {
            const CMenuPage* page = Page<CSoundOptionPage>();
            EXPECT_TRUE(page && page->GetState() == CMenuPage::STATE_SLIDING_IN) << "the page was asked for";
            EXPECT_TRUE(Menu()->GetCommand(command).IsChecked());
            EXPECT_FALSE(Menu()->GetCommand(0).IsChecked());
        }
    }
}

}  // namespace
