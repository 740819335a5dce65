// The display, voice-switch, cancel-action and information pages.  Screen-mode changes
// need a window: those cases run the game in a hidden one (CHostApp).
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/base/Window.h"
#include "game/menus/settings/CancelActionPage.h"
#include "game/menus/settings/DisplayOptionPage.h"
#include "game/menus/settings/InfoPage.h"
#include "game/menus/settings/SoundOptionPage.h"
#include "game/menus/settings/VoiceOptionPage.h"
#include "platform/window/Shell.h"
#include "tests/game/core/app/HostApp.h"
#include "tests/game/menus/settings/SettingsTestUtil.h"

namespace {

using settingstest::SettingsTest;

TEST_F(SettingsTest, VoiceButtonsSitInTwoColumnsWithTrimmedHitsAndSetTheirSwitch) {
    Enter();
    OpenPage(CVoiceOptionPage::kPageId);
    CVoiceOptionPage* page = Page<CVoiceOptionPage>();
    ASSERT_NE(page, nullptr);
    struct SCase {
        int n;
        SPoint at;
    };
    const SCase cases[] = {{0, {184, 157}}, {1, {272, 157}}, {14, {184, 381}}, {15, {272, 381}},
                           {16, {568, 157}}, {17, {656, 157}}, {31, {656, 381}}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.n);
        const CButton& b = page->GetButton(c.n);
        EXPECT_EQ(b.GetPosition().x, c.at.x);
        EXPECT_EQ(b.GetPosition().y, c.at.y);
        const SRect cell = b.GetRect();
        const SRect hit = b.GetHitRect();
        EXPECT_EQ(hit.left, cell.left);
        EXPECT_EQ(hit.top, cell.top + 4);
        EXPECT_EQ(hit.right, cell.right - 45);
        EXPECT_EQ(hit.bottom, cell.bottom - 4);
    }
    // OFF of switch 9 (button 19), then a click in its trimmed margin does nothing.
    ClickAt(CVoiceOptionPage::Place(19), 10, 10);
    EXPECT_EQ(Live().GetVoiceSwitch(9), 0);
    EXPECT_TRUE(page->GetButton(19).IsChecked());
    EXPECT_FALSE(page->GetButton(18).IsChecked());
    ClickAt(CVoiceOptionPage::Place(18), 80, 10);
    EXPECT_EQ(Live().GetVoiceSwitch(9), 0) << "the right margin is not the button";
    ClickAt(CVoiceOptionPage::Place(18), 10, 10);
    EXPECT_EQ(Live().GetVoiceSwitch(9), 1);
}

TEST_F(SettingsTest, TheCancelPageSelectsExactlyTheStoredAction) {
    Enter();
    OpenPage(CCancelActionPage::kPageId);
    CCancelActionPage* page = Page<CCancelActionPage>();
    ASSERT_NE(page, nullptr);
    for (int k : {3, 0, 4, 1, 2}) {
        SCOPED_TRACE(k);
        ClickAt(CCancelActionPage::Place(k), 10, 10);
        EXPECT_EQ(Live().m_CancelAction, k);
        for (int j = 0; j < CCancelActionPage::kButtonCount; ++j) EXPECT_EQ(page->GetButton(j).IsChecked(), j == k) << j;
    }
}

TEST_F(SettingsTest, TheDisplayPageShowsTheStoredModeAndSwitches) {
    Enter();
    CDisplayOptionPage* page = Page<CDisplayOptionPage>();
    ASSERT_NE(page, nullptr);
    struct SCase {
        int32_t mode;
        bool on[4];
    };
    const SCase cases[] = {{0, {true, false, false, false}}, {16, {false, true, true, false}},
                           {32, {false, true, false, true}}, {8, {false, true, false, true}}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.mode);
        Live().m_ScreenMode = c.mode;
        page->Refresh();
        for (int i = 0; i < 4; ++i) EXPECT_EQ(page->GetButton(i).IsChecked(), c.on[i]) << i;
    }
    Live().m_ScreenMode = 0;
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        ClickAt(CDisplayOptionPage::kPlaces[static_cast<size_t>(5 + 2 * s)], 10, 10);
        EXPECT_EQ(Live().GetOption(s), 0);
        EXPECT_TRUE(page->GetButton(5 + 2 * s).IsChecked());
        EXPECT_FALSE(page->GetButton(4 + 2 * s).IsChecked());
        ClickAt(CDisplayOptionPage::kPlaces[static_cast<size_t>(4 + 2 * s)], 10, 10);
        EXPECT_EQ(Live().GetOption(s), 1);
    }
    EXPECT_EQ(Live().GetOption(CSystemData::OPTION_QUIT_CONFIRM), 1) << "the fifth byte is no setting here";
}

TEST_F(SettingsTest, TheInformationPageDrawsItsDigits) {
    Enter();
    OpenPage(CInfoPage::kPageId);
    d.Frame();
    const screentest::SFrame f = d.Pixels();
    EXPECT_TRUE(Probe().ShowsCellAt(f, CInfoPage::kBackgroundFile, 0, 0, 72, 88));
    // Each digit's top-left pixel, with the row above it not the digit (their rows differ).
    for (size_t i = 0; i < CInfoPage::kDigitPlaces.size(); ++i) {
        const SPoint at = CInfoPage::kDigitPlaces[i];
        const screentest::SCellHit hit = Probe().At(f, at.x, at.y);
        EXPECT_EQ(hit.sheet, CInfoPage::kDigitSheet) << i;
        EXPECT_EQ(hit.column, CInfoPage::kDigits[i]) << i;
        EXPECT_NE(Probe().At(f, at.x, at.y - 1).sheet, CInfoPage::kDigitSheet) << i;
    }
    EXPECT_TRUE(Probe().ShowsCellAt(f, CInfoPage::kLinkSheet, 0, 0, 248, 312));
}

// ---- in a window ----


// The settings menu in a hidden window on the demo data; `body` drives it.
class CWindowedMenu {
public:
    using Body = std::function<void(CWindowedMenu&)>;

    // `entryMode`: the screen mode stored and applied before the menu is entered.
    explicit CWindowedMenu(Body body, int32_t entryMode = 0) : m_Body(std::move(body)), m_EntryMode(entryMode) {}

    bool Run() {
        settingstest::CQuietLog quiet;
        testsupport::CTempDir dir;
        testsupport::CGameFolderScope scope(dir.Path());
        demo::CDemoWriter out(dir.Path());
        demo::WriteSharedData(out);
        demo::WriteSettingsData(out);
        screentest::WriteChannelSounds(dir.Path());
        gametest::CHostApp app([this](gametest::CHostApp& self) {
            gametest::CFakeClock clock;
            settingstest::CFactory factory;
            CGameMain::SOptions o;
            o.clock = &clock;
            o.manualSound = true;
            o.reportPath = "";
            o.sceneFactory = &factory;
            CGameMain game(o);
            m_Game = &game;
            m_Window = self.GetWindow();
            game.GetSystemData().m_ScreenMode = m_EntryMode;
            game.Begin(CGameMain::START_SCENE, {}, 7);
            Frames(3);
            if (Menu()) m_Body(*this);
            m_Game = nullptr;
            return 0;
        });
        if (!app.Run() || !app.Wait()) return false;
        CSystemData saved(CSystemData::kNoLoad);
        m_SavedScreenMode = saved.Load() ? saved.m_ScreenMode : -1;
        return true;
    }
    // The screen mode that the game's exit wrote to cfg.sav, or -1.
    int32_t SavedScreenMode() const { return m_SavedScreenMode; }

    CGameMain& Game() { return *m_Game; }
    CWindow& Window() { return *m_Window; }
    CSystemMenuScene* Menu() {
        return dynamic_cast<CSystemMenuScene*>(m_Game->GetSceneManager().GetCurrentScene());
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) m_Game->RunFrame();
    }
    void Click(SPoint at) {
        m_Game->GetMouse().Move(at.x, at.y);
        m_Game->GetMouse().ButtonDown(CMouse::kLeft);
        Frames(1);
        m_Game->GetMouse().ButtonUp(CMouse::kLeft);
        m_Game->GetMouse().Move(0, 599);
    }
    void OpenPage(int id) {
        const SPoint at = CSystemMenuScene::kCommandPlaces[static_cast<size_t>(id)];
        Click(SPoint{at.x + 10, at.y + 10});
        Frames(21);
    }

private:
    Body m_Body;
    int32_t m_EntryMode;
    CGameMain* m_Game = nullptr;
    CWindow* m_Window = nullptr;
    int32_t m_SavedScreenMode = -1;
};

SPoint Inside(SPoint at) { return SPoint{at.x + 10, at.y + 10}; }

TEST(SettingsWindow, AModeChangedOutsideThePageIsStoredLiveAndInTheEntryCopy) {
    struct SSeen {
        int32_t live = -1, backup = -1, afterCancel = -1;
        bool full = false, windowButton = true;
    } seen;
    CWindowedMenu menu([&](CWindowedMenu& m) {
        CDisplayOptionPage* page = dynamic_cast<CDisplayOptionPage*>(m.Menu()->FindPage(0));
        m.Game().SetScreenMode(32);
        m.Frames(1);
        seen.live = m.Game().GetSystemData().m_ScreenMode;
        seen.backup = m.Menu()->GetBackup().m_ScreenMode;
        seen.full = m.Window().IsFullScreen();
        seen.windowButton = page->GetButton(0).IsChecked();
        m.Click(Inside(CSystemMenuScene::kCommandPlaces[CSystemMenuScene::COMMAND_CANCEL]));
        seen.afterCancel = m.Game().GetScreenMode();
    });
    ASSERT_TRUE(menu.Run());
    EXPECT_EQ(seen.live, 32);
    EXPECT_EQ(seen.backup, 32);
    EXPECT_TRUE(seen.full);
    EXPECT_FALSE(seen.windowButton);
    EXPECT_EQ(seen.afterCancel, 32) << "cancel keeps the window as it was changed";
}

// The page's own switches (a mode button, the defaults) are not changes from outside:
// the entry copy keeps the entry mode, and the cancel button brings the window back.
TEST(SettingsWindow, TheCancelButtonUndoesAModeChosenInTheMenu) {
    struct SCase {
        const char* name;
        int32_t entry;
        std::vector<int> commands;  // option button 0..11, or 100 + a command button
        int32_t chosen;             // the window after the commands
        bool cancel;
    };
    constexpr int kDefaults = 100 + CSystemMenuScene::COMMAND_DEFAULTS;
    const SCase cases[] = {
        {"full screen, cancel", 0, {1}, 32, true},
        {"16 bits then 32, cancel", 0, {2, 3}, 32, true},
        {"full screen, accept", 0, {1}, 32, false},
        {"window from full screen, cancel", 32, {0}, 0, true},
        {"defaults from 16 bits, cancel", 16, {kDefaults}, 0, true},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        struct SSeen {
            int32_t chosen = -1, backup = -1, window = -1, live = -1;
        } seen;
        CWindowedMenu menu(
            [&](CWindowedMenu& m) {
                for (int command : c.commands) {
                    m.Click(Inside(command >= 100 ? CSystemMenuScene::kCommandPlaces[static_cast<size_t>(command - 100)]
                                                  : CDisplayOptionPage::kPlaces[static_cast<size_t>(command)]));
                    m.Frames(6);
                }
                seen.chosen = m.Game().GetScreenMode();
                seen.backup = m.Menu()->GetBackup().m_ScreenMode;
                m.Click(Inside(CSystemMenuScene::kCommandPlaces[c.cancel ? CSystemMenuScene::COMMAND_CANCEL
                                                                         : CSystemMenuScene::COMMAND_ACCEPT]));
                m.Frames(3);
                seen.window = m.Game().GetScreenMode();
                seen.live = m.Game().GetSystemData().m_ScreenMode;
            },
            c.entry);
        ASSERT_TRUE(menu.Run());
        EXPECT_EQ(seen.chosen, c.chosen);
        EXPECT_EQ(seen.backup, c.entry) << "the entry copy";
        const int32_t left = c.cancel ? c.entry : c.chosen;
        EXPECT_EQ(seen.window, left);
        EXPECT_EQ(seen.live, left);
    }
}

TEST(SettingsWindow, AFailingDisplayChangeIsTriedOnceWhileTheChoiceStays) {
    int tries = 0;
    struct SSeen {
        int32_t stored = -1, mode = -1, triesAfterChoice = -1, triesAfterDrag = -1, afterLink = -1;
        bool sixteen = false;
    } seen;
    int opened = 0;
    PlatformSetShellLauncher([&](const std::vector<std::string>&) {
        ++opened;
        return true;
    });
    CWindowedMenu menu([&](CWindowedMenu& m) {
        CWindow::SetDisplayChangerFactory([&](int) { return std::make_unique<gametest::CRefusingChanger>(&tries); });
        m.Window().CreateDisplayChanger(1);
        m.Click(Inside(CDisplayOptionPage::kPlaces[2]));
        m.Frames(3);
        seen.stored = m.Game().GetSystemData().m_ScreenMode;
        seen.mode = m.Game().GetScreenMode();
        seen.sixteen = dynamic_cast<CDisplayOptionPage*>(m.Menu()->FindPage(0))->GetButton(2).IsChecked();
        seen.triesAfterChoice = tries;
        // The sound page applies the volumes every frame while a slider is held.
        m.OpenPage(CSoundOptionPage::kPageId);
        const SPoint fill = CSoundOptionPage::kLayout.fills[0];
        m.Game().GetMouse().Move(fill.x + 50, fill.y + 4);
        m.Game().GetMouse().ButtonDown(CMouse::kLeft);
        m.Frames(10);
        m.Game().GetMouse().ButtonUp(CMouse::kLeft);
        seen.triesAfterDrag = tries;
        // The link leaves a full screen only when one stands: the choice is kept.
        m.OpenPage(CInfoPage::kPageId);
        m.Click(Inside(CInfoPage::kLinkAt));
        m.Frames(10);
        seen.afterLink = m.Game().GetSystemData().m_ScreenMode;
        m.Window().DeleteDisplayChanger();
        CWindow::SetDisplayChangerFactory(nullptr);
    });
    ASSERT_TRUE(menu.Run());
    PlatformSetShellLauncher(nullptr);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(seen.afterLink, 16);
    EXPECT_EQ(menu.SavedScreenMode(), 16) << "cfg.sav";
    EXPECT_EQ(seen.stored, 16) << "the choice stays stored";
    EXPECT_EQ(seen.mode, 0);
    EXPECT_TRUE(seen.sixteen);
    EXPECT_EQ(seen.triesAfterChoice, 1);
    EXPECT_EQ(seen.triesAfterDrag, 1);
}

TEST(SettingsWindow, TheLinkLeavesFullScreenThenOpensTheAddressOncePerPress) {
    std::vector<std::vector<std::string>> opened;
    std::vector<int> modeAtOpen;
    CGameMain* game = nullptr;
    PlatformSetShellLauncher([&](const std::vector<std::string>& argv) {
        opened.push_back(argv);
        modeAtOpen.push_back(game ? game->GetScreenMode() : -1);
        return true;
    });
    int32_t storedAfter = -1;
    CWindowedMenu menu([&](CWindowedMenu& m) {
        game = &m.Game();
        m.Game().GetSystemData().m_ScreenMode = 32;
        m.Game().ApplySoundVolumes();
        m.OpenPage(CInfoPage::kPageId);
        m.Click(Inside(CInfoPage::kLinkAt));
        m.Frames(10);
        m.Click(Inside(CInfoPage::kLinkAt));
        m.Frames(10);
        storedAfter = m.Game().GetSystemData().m_ScreenMode;
        game = nullptr;
    });
    ASSERT_TRUE(menu.Run());
    PlatformSetShellLauncher(nullptr);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].back(), CInfoPage::kAddress);
    EXPECT_EQ(modeAtOpen[0], 0) << "full screen left first";
    EXPECT_EQ(storedAfter, 0);
}

}  // namespace
