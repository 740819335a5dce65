// A new game on the demo data played headless to find what the demo lacks: the month,
// its save thumbnails and the menus and viewers after it ask for no file that is not
// there, and every choice of the two side menus plays a scene of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/draw/SceneManager.h"
#include "game/core/SystemData.h"
#include "game/raising/ingame/InGameStart.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/ingame/SideHostMode.h"
#include "game/raising/home/HomeScene.h"
#include "game/raising/mansion/MansionHosts.h"
#include "game/raising/mansionmenu/MansionMenuScene.h"
#include "game/raising/panel/ButtonPanel.h"
#include "game/raising/panel/ListPanel.h"
#include "game/raising/work/FoodAllowanceScene.h"
#include "tests/tools/demo/DemoPlayer.h"
#include "tests/tools/demo/DemoRun.h"

namespace {

constexpr int32_t kMansionMode = 16;
constexpr int32_t kHomeMode = 17;

class CPlayedGame {
public:
    CPlayedGame() {
        SetDebugOutputEnabled(false);
        screentest::CGameDriver::SSetup setup = demorun::DemoSetup();
        setup.inGameSceneMaker = MakeInGameSceneMaker();
        m_Driver = std::make_unique<screentest::CGameDriver>(setup);
        D().Game().GetSystemData().m_MessageSpeed = 100;
    }
    ~CPlayedGame() { SetDebugOutputEnabled(true); }

    screentest::CGameDriver& D() { return *m_Driver; }
    const CLogCapture& Log() const { return m_Log; }
    CRaisingScene* Raising() { return dynamic_cast<CRaisingScene*>(D().Game().GetRaisingScene()); }
    int32_t Mode() {
        CRaisingScene* r = Raising();
        return r ? r->State().m_ModeId : -1;
    }
    CSideHostMode* Side() {
        CRaisingScene* r = Raising();
        return r ? dynamic_cast<CSideHostMode*>(r->GetCurrentMode()) : nullptr;
    }
    bool Played(const std::string& id) const {
        const std::vector<std::string> played = demorun::PlayedScripts(m_Log);
        return std::count(played.begin(), played.end(), id) > 0;
    }
    // A save's thumbnail of what shows now, as the save screen takes it.
    void Thumbnail() { EXPECT_TRUE(D().Game().RenderGameToTexture(D().Folder() + "thumb.bmp")); }

    // The demo player's clicks until `done` holds, `each` before every frame.
    bool PlayUntil(const std::function<bool()>& done, int limit = 20000,
                   const std::function<void(int)>& each = {}) {
        for (int i = 0; i < limit && !done(); ++i) {
            if (const SPoint* at = demoplayer::ClickAt(m_Frame++)) D().Click(at->x, at->y);
            if (each) each(i);
            if (!D().Frame()) return false;
        }
        return done();
    }
    // Frames without input until `done` holds.
    bool FramesUntil(const std::function<bool()>& done, int limit) {
        for (int i = 0; i < limit && !done(); ++i) {
            if (!D().Frame()) return false;
        }
        return done();
    }
    // A click every few frames where no control is, to read lines and report pages on.
    bool ReadUntil(const std::function<bool()>& done, int limit, const SPoint& at = SPoint{700, 300}) {
        for (int i = 0; i < limit && !done(); ++i) {
            if (i % 8 == 0) D().Click(at.x, at.y);
            if (!D().Frame()) return false;
        }
        return done();
    }

private:
    CLogCapture m_Log;
    std::unique_ptr<screentest::CGameDriver> m_Driver;
    int m_Frame = 0;
};

// The month with a thumbnail on every kind of screen it shows, every question panel, then
// the menus, the viewers (the full view and a replay among them), the music room playing
// and the developer scenes.
TEST(DemoPlay, TheMonthItsThumbnailsTheMenusAndTheViewersFindEveryFile) {
    CPlayedGame g;
    g.D().Start(21);
    std::vector<int32_t> thumbnails;
    ASSERT_TRUE(g.PlayUntil([&g] { return g.D().Game().GetSceneManager().GetCurrentSceneId() == CRaisingScene::kEndScene; },
                            20000, [&](int) {
                                // Once a screen has settled: the stage (2), the report (5), the
                                // food allowance (15), the two sides (16, 17).
                                const int32_t mode = g.Mode();
                                const bool settled = g.Raising() && !g.Raising()->IsModeInTransition();
                                if (settled && std::find(thumbnails.begin(), thumbnails.end(), mode) == thumbnails.end() &&
                                    (mode == 2 || mode == 5 || mode == 15 || mode == kMansionMode || mode == kHomeMode)) {
                                    g.Thumbnail();
                                    thumbnails.push_back(mode);
                                }
                            }));
    EXPECT_EQ(thumbnails.size(), 5u);
    // The question panels of every type a screen opens (1 is no screen's).
    for (int32_t type = 2; type <= 8; ++type) {
        CButtonPanel panel;
        panel.SetupPanelButtons(type);
    }
    for (int32_t scene : {7, 8, 9, 10, 11, 16, 17, 18, 24, 25, 26, 27, 28, 29}) {
        g.D().Start(scene);
        ASSERT_TRUE(g.D().Frame(40));
    }
    // The picture viewer's first entry opens the full view; the music room plays its
    // first track; the play view replays its first event and comes back.
    CSceneManager& top = g.D().Game().GetSceneManager();
    // A slot takes a click once the pointer has been on it for a frame.
    auto choose = [&g](int32_t x, int32_t y) {
        g.D().Move(x, y);
        g.D().Frame();
        g.D().Click(x, y);
    };
    g.D().Start(12);
    ASSERT_TRUE(g.D().Frame(40));
    choose(44, 90);
    ASSERT_TRUE(g.ReadUntil([&top] { return top.GetCurrentSceneId() == 13; }, 200, SPoint{44, 90}));
    g.D().Start(15);
    ASSERT_TRUE(g.D().Frame(40));
    g.D().Click(32 + 96, 160 + 8);
    ASSERT_TRUE(g.D().Frame(40));
    EXPECT_TRUE(g.D().Game().GetChannel(4)->IsPlaying());
    g.D().Start(14);
    ASSERT_TRUE(g.D().Frame(40));
    choose(44, 90);
    ASSERT_TRUE(g.ReadUntil([&top] { return top.GetCurrentSceneId() == 20; }, 300, SPoint{44, 90}));
    ASSERT_TRUE(g.ReadUntil([&top] { return top.GetCurrentSceneId() == 14 && !top.IsInTransition(); }, 3000)) << top.GetCurrentSceneId() << " " << demorun::PlayedScripts(g.Log()).back();
    demorun::ExpectNoMissingFile(g.Log());
}

// Each choice of the mansion menu and of the home menu, made as the menus make it (the
// game-state words, then the side's relay to the action), plays its own scene with its
// report and comes back to the menu; a thumbnail taken during each scene finds every
// small copy.  The first work and the first training of a game are the master's, the
// first meal a scene of its own; later ones go with a friend the draw picks.
TEST(DemoPlay, EverySideActionPlaysItsScene) {
    CPlayedGame g;
    g.D().Start(21);
    ASSERT_TRUE(g.PlayUntil([&g] { return g.Mode() == kMansionMode && g.Side() && g.Side()->GetSideModeId() == 0; }));
    ASSERT_TRUE(g.D().Frame(40));

    struct SCase {
        int32_t relay;
        std::function<void(CGameState&)> choose;
        std::vector<std::string> scripts;  // one of them plays
    };
    auto set = [](int32_t CGameState::*word, int32_t value) {
        return [word, value](CGameState& s) { s.*word = value; };
    };
    auto none = [](CGameState&) {};
    std::vector<SCase> mansion = {{10, none, {"205"}}, {10, none, {"201", "202", "203", "204"}}};
    for (int32_t manner = 0; manner < 2; ++manner) {
        for (int32_t f = 0; f < 4; ++f) {
            mansion.push_back({11,
                               [manner, f](CGameState& s) {
                                   s.m_ChosenFriend = f;
                                   s.m_ChosenManner = manner;
                               },
                               {std::to_string(211 + 4 * manner + f)}});
        }
    }
    for (int32_t f = 0; f < 4; ++f) mansion.push_back({12, set(&CGameState::m_ChosenBondFriend, f), {std::to_string(221 + f)}});
    mansion.push_back({13, none, {"236"}});
    mansion.push_back({13, none, {"231", "232", "233", "234", "235"}});
    mansion.push_back({15, none, {"241"}});
    mansion.push_back({16, set(&CGameState::m_ChosenMeal, 0), {"251"}});
    for (int32_t m = 0; m < 3; ++m) mansion.push_back({16, set(&CGameState::m_ChosenMeal, m), {std::to_string(252 + m)}});
    mansion.push_back({17, none, {"261"}});

    std::vector<SCase> home;
    for (int32_t k = 0; k < 3; ++k) home.push_back({7, set(&CGameState::m_HouseworkKind, k), {std::to_string(301 + k)}});
    for (int32_t d = 0; d < 18; ++d) home.push_back({8, set(&CGameState::m_OutingDestination, d), {std::to_string(311 + d)}});
    for (int32_t p = 0; p < 6; ++p) home.push_back({9, set(&CGameState::m_RoomPlay, p), {std::to_string(331 + p)}});
    for (int32_t c = 0; c < 2; ++c) home.push_back({10, set(&CGameState::m_RestChoice, c), {std::to_string(341 + c)}});
    home.push_back({11, none, {"351"}});

    auto run = [&g](const SCase& c, const std::string& what) {
        const size_t before = demorun::PlayedScripts(g.Log()).size();
        c.choose(g.Raising()->State());
        g.Side()->SetSideMode(c.relay, 1, 20);
        bool thumbnail = false;
        std::string played;
        const bool back = g.ReadUntil([&] {
            const std::vector<std::string> scripts = demorun::PlayedScripts(g.Log());
            if (played.empty() && scripts.size() > before) played = scripts[before];
            if (!played.empty() && !thumbnail) {
                g.Thumbnail();
                thumbnail = true;
            }
            CSideHostMode* side = g.Side();
            return !played.empty() && side && side->GetSideModeId() == 0 && side->GetSideManager().GetCurrentSceneId() == 0 &&
                   !side->GetSideManager().IsInTransition();
        }, 3000);
        EXPECT_TRUE(back) << what << ": never came back to the menu";
        EXPECT_NE(std::find(c.scripts.begin(), c.scripts.end(), played), c.scripts.end())
            << what << " played " << (played.empty() ? "nothing" : played);
        g.D().Frame(20);
    };
    for (size_t i = 0; i < mansion.size(); ++i) run(mansion[i], "mansion case " + std::to_string(i));

    // The shop: its introduction on the first visit, then leave and the farewell.
    g.Side()->SetSideMode(14, 1, 20);
    int clicks = 0;
    EXPECT_TRUE(g.ReadUntil([&] {
        ++clicks;
        if (clicks % 16 == 0) g.D().Click(672 + 32, 380 + 12);
        CSideHostMode* side = g.Side();
        return clicks > 60 && side && side->GetSideModeId() == 0 && !side->GetSideManager().IsInTransition();
    }, 3000)) << "the shop never came back to the menu";

    // On to the home side by the demo player's way through the weeks.
    ASSERT_TRUE(g.PlayUntil([&g] { return g.Mode() == kHomeMode && g.Side() && g.Side()->GetSideModeId() == 0; }));
    ASSERT_TRUE(g.D().Frame(40));
    for (size_t i = 0; i < home.size(); ++i) run(home[i], "home case " + std::to_string(i));
    demorun::ExpectNoMissingFile(g.Log());
}

// Every enabled control of the food allowance (with its question), of the mansion menu
// and of the home menu (with their end questions) shows at its centre while its screen
// takes input: the message box, the slide panel and the home menu's frame drawn over
// some of them let them show.
TEST(DemoPlay, EveryEnabledControlOfTheFoodAllowanceAndBothMenusShows) {
    CPlayedGame g;
    std::vector<kit::SSheetSpec> sheets;
    // The probe learns the sheets of the data the game was given.
    {
        testsupport::CTempDir scratch;
        ASSERT_TRUE(demo::WriteDemoData(scratch.Path(), &sheets));
    }
    for (const kit::SSheetSpec& sheet : sheets) g.D().Probe().Add(sheet);
    using screentest::SVisible;
    // A button of column `column` of the sheet at its place, enabled.
    auto shows = [&g](const std::string& what, const std::string& sheet, int32_t column, const CButton& b) {
        const SPoint at = b.GetPosition();
        const SVisible v{what, sheet, column, SVisible::kEnabledLook, at.x, at.y, {}};
        EXPECT_TRUE(g.D().Probe().ShowsAll(g.D().Pixels(), {v}));
    };
    auto host = [&g]() { return dynamic_cast<CModeHostState*>(g.Raising()->GetCurrentMode()); };
    g.D().Start(21);

    // The food allowance once it takes input, then its question.
    CFoodAllowanceScene* food = nullptr;
    ASSERT_TRUE(g.PlayUntil([&] {
        food = g.Mode() == 15 && host() ? dynamic_cast<CFoodAllowanceScene*>(host()->GetScreen()) : nullptr;
        return food != nullptr;
    }));
    ASSERT_TRUE(g.FramesUntil([&] { return food->GetPhase() == 1 && food->GetFade() == CFoodAllowanceScene::FADE_SHOWN; },
                              300));
    g.D().Move(700, 560);
    ASSERT_TRUE(g.D().Frame(5));
    EXPECT_TRUE(g.D().Probe().ShowsAll(g.D().Pixels(), {SVisible{"decide", CFoodAllowanceScene::kDecide, 0, SVisible::kEnabledLook,
                                                                 CFoodAllowanceScene::kDecideX, CFoodAllowanceScene::kDecideY, {}}}));
    for (int i = 0; i < 8; ++i) shows("arrow " + std::to_string(i), CFoodAllowanceScene::kArrows, i / 4, food->GetArrow(i));
    g.D().Click(CFoodAllowanceScene::kDecideX + 88, CFoodAllowanceScene::kDecideY + 20);
    ASSERT_TRUE(g.FramesUntil([&] { return food->GetPanel().IsOpen() && !food->GetPanel().IsMoving(); }, 60));
    g.D().Move(700, 560);
    ASSERT_TRUE(g.D().Frame(5));
    // The window's explanation stays over the question's buttons, so its letters may
    // cover a button's centre: the button shows where its row is clear of them.
    for (int i = 0; i < 2; ++i) {
        const SPoint at = food->GetPanel().GetButton(i).GetPosition();
        SVisible button{"question button " + std::to_string(i), "", 0, 0, 0, 0, {}};
        for (int32_t x : {20, 64, 128, 192, 236}) {
            SVisible part{"", "obj\\b000_011.bmp", i, 0, at.x, at.y, {}};
            part.pointX = x;
            part.pointY = 24;
            button.anyOf.push_back(part);
        }
        EXPECT_TRUE(g.D().Probe().ShowsAll(g.D().Pixels(), {button}));
    }

    // The mansion menu once its board has slid in, then its end question.
    CMansionMenuScene* menu = nullptr;
    ASSERT_TRUE(g.PlayUntil([&] {
        CSideHostMode* side = g.Mode() == kMansionMode ? g.Side() : nullptr;
        auto* bell = side ? dynamic_cast<CBellHostMode*>(side->GetCurrentSideMode()) : nullptr;
        menu = bell ? dynamic_cast<CMansionMenuScene*>(bell->GetMenu()) : nullptr;
        return menu && menu->GetBoardState() == 2 && !side->GetSideManager().IsInTransition();
    }));
    g.D().Move(700, 300);
    ASSERT_TRUE(g.D().Frame(20));
    int enabled = 0;
    for (int i = 0; i < CMansionMenuScene::kButtonCount; ++i) {
        if (!menu->GetButton(i).IsEnabled()) continue;
        ++enabled;
        shows("mansion button " + std::to_string(i), CMansionMenuScene::ButtonPicture(i), 0, menu->GetButton(i));
    }
    EXPECT_GE(enabled, 5);
    g.D().Click(CMansionMenuScene::ButtonPos(8).x + 100, CMansionMenuScene::ButtonPos(8).y + 20);
    ASSERT_TRUE(g.D().Frame(40));
    ASSERT_EQ(menu->GetMenuPanel(), 10);
    for (int i = 0; i < 2; ++i) shows("end question item " + std::to_string(i), "obj\\h002_000.bmp", 16 + i, *menu->GetPanelA().GetItem(i));

    // The home menu once it has slid in, then its end question.
    CHomeScene* home = nullptr;
    ASSERT_TRUE(g.PlayUntil([&] {
        CSideHostMode* side = g.Mode() == kHomeMode ? g.Side() : nullptr;
        auto* mode = side ? dynamic_cast<CHomeMenuMode*>(side->GetCurrentSideMode()) : nullptr;
        home = mode ? &mode->GetScene() : nullptr;
        return home && home->GetSlideState() == 2 && !side->GetSideManager().IsInTransition();
    }));
    g.D().Move(700, 100);
    ASSERT_TRUE(g.D().Frame(20));
    enabled = 0;
    for (int i = 0; i < CHomeScene::kButtonCount; ++i) {
        if (!home->GetButton(i).IsEnabled()) continue;
        ++enabled;
        shows("home button " + std::to_string(i), CHomeScene::kButtonPictures[i], 0, home->GetButton(i));
    }
    EXPECT_GE(enabled, 3);
    g.D().Click(640 + 76, 248 + 20);
    ASSERT_TRUE(g.D().Frame(40));
    ASSERT_EQ(home->GetPanelState(), 10);
    shows("end question: leave", "obj\\m001_000.bmp", 27, *home->GetPanel(1).GetItem(0));
    shows("end question: stay", "obj\\m001_000.bmp", 28, *home->GetPanel(1).GetItem(1));
}

}  // namespace
