#include <gtest/gtest.h>

#include <SDL.h>

#include <functional>

#include "engine/base/AppBase.h"
#include "engine/base/Log.h"
#include "engine/base/Thread.h"
#include "game/core/GameApp.h"
#include "game/core/SaveData.h"
#include "platform/window/PlatformWindow.h"
#include "tests/game/core/app/GameTestUtil.h"
#include "tests/support/TestSupport.h"

using namespace gametest;
using testsupport::CGameFolderScope;
using testsupport::CTempDir;

namespace {

class CHostApp : public CAppBase {
public:
    explicit CHostApp(std::function<int(CHostApp&)> body) : m_Body(std::move(body)) {}
    ~CHostApp() override { Stop(); }

protected:
    bool IsWindowVisible() const override { return false; }
    int MainProc() override { return m_Body(*this); }

private:
    std::function<int(CHostApp&)> m_Body;
};

void PushWindowEvent(WindowHandle window, uint8_t event) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = window->GetSystemId();
    e.window.event = event;
    SDL_PushEvent(&e);
}

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
