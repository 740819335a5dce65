#include <gtest/gtest.h>

#include <SDL.h>

#include <functional>

#include "engine/base/AppBase.h"
#include "engine/base/Log.h"
#include "engine/base/Thread.h"
#include "engine/base/Window.h"
#include "game/core/GameApp.h"
#include "game/core/SaveData.h"
#include "game/core/SystemData.h"
#include "platform/window/PlatformWindow.h"
#include "tests/game/core/app/GameTestUtil.h"
#include "tests/game/core/app/HostApp.h"
#include "tests/support/TestSupport.h"

using namespace gametest;
using testsupport::CGameFolderScope;
using testsupport::CTempDir;

namespace {

struct QuietLog {
    QuietLog() { SetDebugOutputEnabled(false); }
    ~QuietLog() { SetDebugOutputEnabled(true); }
};

}  // namespace

TEST(GameWindow, UpdatesStopWhileTheWindowIsInactiveOrMinimisedAndTheLostDeviceWaits) {
    QuietLog quiet;
    CTempDir temp;
    CGameFolderScope folder(temp.Path());
    CRecord draws;
    CRecord scenes;
    bool lost = false;
    CFakeRendererScope renderer(&draws, &lost);
    CRecFactory factory(&scenes);
    struct SSeen {
        uint64_t active = 0, inactive = 0, minimised = 0, back = 0, drawsWhileInactive = 0;
        uint64_t restoresWhileInactive = 9, restoresBack = 0;
    } seen;
    CHostApp app([&](CHostApp& self) {
        CFakeClock clock;
        CGameMain::SOptions o;
        o.clock = &clock;
        o.manualSound = true;
        o.reportPath = "";
        o.sceneFactory = &factory;
        CGameMain game(o);
        game.Begin(CGameMain::START_BOOT);
        game.RunFrame();
        game.RunFrame();
        seen.active = game.GetUpdateCount();

        PushWindowEvent(self.GetHWnd(), SDL_WINDOWEVENT_FOCUS_LOST);
        lost = true;
        const uint64_t drawsBefore = game.GetDrawCount();
        game.RunFrame();
        game.RunFrame();
        seen.inactive = game.GetUpdateCount();
        seen.drawsWhileInactive = game.GetDrawCount() - drawsBefore;
        seen.restoresWhileInactive = game.GetDeviceRestoreCount();

        PushWindowEvent(self.GetHWnd(), SDL_WINDOWEVENT_FOCUS_GAINED);
        PushWindowEvent(self.GetHWnd(), SDL_WINDOWEVENT_MINIMIZED);
        game.RunFrame();
        seen.minimised = game.GetUpdateCount();

        PushWindowEvent(self.GetHWnd(), SDL_WINDOWEVENT_RESTORED);
        game.RunFrame();
        seen.back = game.GetUpdateCount();
        seen.restoresBack = game.GetDeviceRestoreCount();
        return 0;
    });
    ASSERT_TRUE(app.Run());
    ASSERT_TRUE(app.Wait());
    EXPECT_EQ(seen.active, 2u);
    EXPECT_EQ(seen.inactive, 2u) << "no update while inactive";
    EXPECT_EQ(seen.drawsWhileInactive, 2u) << "drawing goes on";
    EXPECT_EQ(seen.restoresWhileInactive, 0u) << "a lost device waits for the window";
    EXPECT_EQ(seen.minimised, 2u) << "no update while minimised";
    EXPECT_EQ(seen.back, 3u);
    EXPECT_EQ(seen.restoresBack, 1u);
}

TEST(GameWindow, TheGameApplicationRunsItsFrameLoopInAWindowAndWritesItsSavesAtTheEnd) {
    QuietLog quiet;
    CTempDir temp;
    CGameFolderScope folder(temp.Path());
    CRecord draws;
    bool lost = false;
    CFakeRendererScope renderer(&draws, &lost);
    CFakeClock clock;
    CGameMain::SOptions o;
    o.clock = &clock;
    o.manualSound = true;
    o.reportPath = "";
    CGameApp::SStart start;
    start.frames = 5;
    start.visible = false;
    const size_t threadsBefore = CThreadList::Get().GetCount();
    {
        CGameApp app(start, o);
        ASSERT_TRUE(app.Run());
        ASSERT_TRUE(app.Wait());
        EXPECT_EQ(app.GetFramesRun(), 5);
    }
    EXPECT_EQ(CThreadList::Get().GetCount(), threadsBefore);
    EXPECT_TRUE(testsupport::FileExists(temp.Path() + "save/save00.sav"));
    EXPECT_TRUE(testsupport::FileExists(temp.Path() + "save/read.sav"));
    EXPECT_TRUE(testsupport::FileExists(temp.Path() + "save/cfg.sav"));
}

TEST(GameWindow, AFailedFullScreenChoiceStaysStoredAndIsTriedAgainOnlyAfterAnotherWhileWindowChangesAreStored) {
    QuietLog quiet;
    CTempDir temp;
    CGameFolderScope folder(temp.Path());
    CRecord draws;
    bool lost = false;
    CFakeRendererScope renderer(&draws, &lost);
    CRecord scenes;
    CRecFactory factory(&scenes);
    int tries = 0;
    struct SSeen {
        int storedAfterFull = -1, storedAfterWindow = -1, storedAfterFail = -1, modeAfterFail = -1;
        int triesAfterFail = -1, triesAfterRetry = -1, triesAfterOther = -1;
        bool fullAfterFail = true;
    } seen;
    CHostApp app([&](CHostApp& self) {
        CFakeClock clock;
        CGameMain::SOptions o;
        o.clock = &clock;
        o.manualSound = true;
        o.reportPath = "";
        o.sceneFactory = &factory;
        CGameMain game(o);
        game.Begin(CGameMain::START_BOOT);
        CSystemData& sd = game.GetSystemData();
        // The settings choose full screen: the window follows, the choice stays stored.
        sd.m_ScreenMode = 32;
        game.ApplySoundVolumes();
        game.RunFrame();
        seen.storedAfterFull = sd.m_ScreenMode;
        // A change of the window's own (the web-site button leaves full screen) is stored.
        game.SetScreenMode(0);
        game.RunFrame();
        seen.storedAfterWindow = sd.m_ScreenMode;
        // A choice whose display change fails: the window stays a window, the choice stays.
        CWindow::SetDisplayChangerFactory([&](int) { return std::make_unique<CRefusingChanger>(&tries); });
        self.GetWindow()->CreateDisplayChanger(1);
        sd.m_ScreenMode = 16;
        game.ApplySoundVolumes();
        game.RunFrame();
        game.RunFrame();
        seen.storedAfterFail = sd.m_ScreenMode;
        seen.modeAfterFail = game.GetScreenMode();
        seen.fullAfterFail = self.GetWindow()->IsFullScreen();
        seen.triesAfterFail = tries;
        game.ApplySoundVolumes();
        seen.triesAfterRetry = tries;
        // Another mode stored in between: the first one is tried again.
        sd.m_ScreenMode = 32;
        game.ApplySoundVolumes();
        sd.m_ScreenMode = 16;
        game.ApplySoundVolumes();
        seen.triesAfterOther = tries;
        self.GetWindow()->DeleteDisplayChanger();
        CWindow::SetDisplayChangerFactory(nullptr);
        return 0;
    });
    ASSERT_TRUE(app.Run());
    ASSERT_TRUE(app.Wait());
    EXPECT_EQ(seen.storedAfterFull, 32);
    EXPECT_EQ(seen.storedAfterWindow, 0);
    EXPECT_EQ(seen.storedAfterFail, 16) << "the failed choice is kept";
    EXPECT_EQ(seen.modeAfterFail, 0);
    EXPECT_FALSE(seen.fullAfterFail);
    EXPECT_EQ(seen.triesAfterFail, 1);
    EXPECT_EQ(seen.triesAfterRetry, 1) << "a failed mode is not tried again while it stays stored";
    EXPECT_EQ(seen.triesAfterOther, 3);
}
