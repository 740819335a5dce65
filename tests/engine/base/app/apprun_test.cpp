#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>
#include <functional>

#include "engine/base/AppBase.h"
#include "engine/base/AppManager.h"
#include "engine/base/DebugWindow.h"
#include "engine/base/MainLoopBase.h"
#include "engine/base/Thread.h"
#include "platform/window/PlatformWindow.h"
#include "platform/window/WindowIcon.h"
#include "tests/support/TestSupport.h"

namespace {

// A clock that moves only when the loop sleeps: frames run without real waiting.
class CFakeClock : public IFrameClock {
public:
    uint32_t NowMs() override { return m_Now; }
    void SleepMs(uint32_t ms) override { m_Now += ms; }

private:
    uint32_t m_Now = 1000;
};

class CTestApp : public CAppBase {
public:
    explicit CTestApp(std::function<int(CTestApp&)> body) : m_Body(std::move(body)) {}
    ~CTestApp() override { Stop(); }

    std::function<void()> onThreadStart;

protected:
    std::string GetWindowTitle() const override { return "テスト"; }
    bool IsWindowVisible() const override { return false; }
    void OnWindowThreadStart() override {
        if (onThreadStart) onThreadStart();
    }
    int MainProc() override { return m_Body(*this); }

private:
    std::function<int(CTestApp&)> m_Body;
};

class CCountingLoop : public CMainLoopBase {
public:
    explicit CCountingLoop(IFrameClock* clock) : CMainLoopBase(clock) {}
    int updates = 0;
    int draws = 0;

protected:
    void OnUpdate() override { ++updates; }
    void OnDraw() override {
        ++draws;
        CMainLoopBase::OnDraw();
    }
};

class CFailingChanger : public CChangeDisplay {
public:
    explicit CFailingChanger(int* resets) : m_Resets(resets) {}
    bool ChangeDisplay(int32_t, int32_t, int32_t bpp) override { return bpp == 0; }
    bool TestDisplayMode(int32_t, int32_t, int32_t) override { return false; }
    bool Reset() override {
        ++*m_Resets;
        return true;
    }
    bool IsChanged() const override { return true; }
    int32_t GetKind() const override { return 1; }

private:
    int* m_Resets;
};

}  // namespace

TEST(AppRun, WindowThreadOpensRunsFramesAndEndsWithEveryThreadJoined) {
    const size_t threadsBefore = CThreadList::Get().GetCount();
    std::atomic<bool> sawServices{false};
    std::atomic<int64_t> frames{0};
    std::atomic<int> updates{0};
    CEvent counted;
    {
        CTestApp app([&](CTestApp& self) {
            counted.Wait();
            CFakeClock clock;
            CCountingLoop loop(&clock);
            CAppManager::SetMainLoop(&loop);
            sawServices = CAppManager::GetApp(0) == &self && CAppManager::GetHWnd() == self.GetHWnd() &&
                          CAppManager::GetHWnd() != nullptr && CAppManager::GetMainLoop(0) == &loop;
            frames = loop.Run(5);
            updates = loop.updates;
            return 7;
        });
        ASSERT_TRUE(app.Run());
        EXPECT_EQ(CThreadList::Get().GetCount(), threadsBefore + 2) << "window and timer threads";
        counted.Set();
        ASSERT_TRUE(app.Wait(CEvent::kInfinite));
        EXPECT_EQ(app.GetExitCode(), 7);
    }
    EXPECT_TRUE(sawServices);
    EXPECT_EQ(frames, 5);
    EXPECT_EQ(updates, 5);
    EXPECT_EQ(CThreadList::Get().GetCount(), threadsBefore);
    EXPECT_EQ(CAppManager::GetRecordCount(), 0u);
    EXPECT_EQ(CPlatformWindow::GetWindowCount(), 0u);
}

TEST(AppRun, TheCloseBoxEndsTheLoop) {
    std::atomic<int64_t> frames{-1};
    CTestApp app([&](CTestApp&) {
        CFakeClock clock;
        CMainLoopBase loop(&clock);
        frames = loop.Run();
        return 0;
    });
    ASSERT_TRUE(app.Run());
    app.GetHWnd()->PostMessage(WindowMsg::kClose);
    ASSERT_TRUE(app.Wait());
    EXPECT_GE(frames, 0);
}

TEST(AppRun, PostForceCloseFromAnotherThread) {
    CEvent loopReady;
    std::atomic<CMainLoopBase*> theLoop{nullptr};
    CTestApp app([&](CTestApp&) {
        CFakeClock clock;
        CMainLoopBase loop(&clock);
        theLoop = &loop;
        loopReady.Set();
        loop.Run();
        return 0;
    });
    ASSERT_TRUE(app.Run());
    ASSERT_TRUE(loopReady.Wait());
    theLoop.load()->PostForceClose();
    EXPECT_TRUE(app.Wait());
}

TEST(AppRun, AskingTheThreadToEndStopsTheLoop) {
    CEvent loopReady;
    CTestApp app([&](CTestApp&) {
        CFakeClock clock;
        CMainLoopBase loop(&clock);
        loopReady.Set();
        loop.Run();
        return 0;
    });
    ASSERT_TRUE(app.Run());
    ASSERT_TRUE(loopReady.Wait());
    app.RequestEnd();
    EXPECT_TRUE(app.Wait());
}

TEST(AppRun, AWindowLateBeyondTheWaitIsLoggedAndTheRunGoesOn) {
    CEvent release;
    CLogCapture log;
    CTestApp app([&](CTestApp&) { return 0; });
    app.onThreadStart = [&] { release.Wait(); };
    app.SetWindowWaitMs(0);
    EXPECT_TRUE(app.Run());
    EXPECT_TRUE(log.Contains("CAppBase::Run()"));
    release.Set();
    EXPECT_TRUE(app.Wait());
    EXPECT_TRUE(app.IsWindowReady());
}

TEST(AppRun, TheEndOfTheGameEndsTheDebugWindowObject) {
    const size_t threadsBefore = CThreadList::Get().GetCount();
    CDebugWindow debug;
    ASSERT_TRUE(debug.Start(false));
    CTestApp app([&](CTestApp&) {
        CFakeClock clock;
        CMainLoopBase loop(&clock);
        DebugPrintf("AppRun frame loop");
        loop.Run(3);
        return 0;
    });
    ASSERT_TRUE(app.Run());
    // What the main thread does: wait for every thread.
    ASSERT_TRUE(CThreadList::Get().WaitAll(60000));
    EXPECT_EQ(CThreadList::Get().GetCount(), threadsBefore);
    bool found = false;
    for (const std::string& l : debug.GetLines()) found = found || l == "AppRun frame loop";
    EXPECT_TRUE(found);
}

TEST(AppRun, ScreenModeSwitchesTheWindowAndFallsBackWhenTheDisplayChangeFails) {
    int resets = 0;
    struct SResult {
        bool toFull = false, fullNow = false, mode32 = false, back = false, windowed = false;
        bool failed = true, modeAfterFail = false, changedWithoutChanger = true;
    } r;
    CTestApp app([&](CTestApp& self) {
        CFakeClock clock;
        CMainLoopBase loop(&clock);
        r.changedWithoutChanger = self.GetWindow()->IsDisplayChanged();
        r.toFull = loop.SetScreenMode(32);
        r.fullNow = self.GetWindow()->IsFullScreen();
        r.mode32 = loop.GetScreenMode() == 32;
        r.back = loop.SetScreenMode(0);
        r.windowed = !self.GetWindow()->IsFullScreen() && loop.GetScreenMode() == 0;
        CWindow::SetDisplayChangerFactory(
            [&](int) { return std::unique_ptr<CChangeDisplay>(new CFailingChanger(&resets)); });
        self.GetWindow()->CreateDisplayChanger(1);
        r.failed = loop.SetScreenMode(16);
        r.modeAfterFail = loop.GetScreenMode() == 0 && !self.GetWindow()->IsFullScreen();
        CWindow::SetDisplayChangerFactory(nullptr);
        return 0;
    });
    ASSERT_TRUE(app.Run());
    ASSERT_TRUE(app.Wait());
    EXPECT_FALSE(r.changedWithoutChanger);
    EXPECT_TRUE(r.toFull);
    EXPECT_TRUE(r.fullNow);
    EXPECT_TRUE(r.mode32);
    EXPECT_TRUE(r.back);
    EXPECT_TRUE(r.windowed);
    EXPECT_FALSE(r.failed);
    EXPECT_TRUE(r.modeAfterFail);
    EXPECT_GE(resets, 1) << "a failed change restores the display";
}

TEST(AppRun, DisplayChangerByKindReplacesThePreviousOne) {
    std::vector<int> kinds;
    int resets = 0;
    CWindow::SetDisplayChangerFactory([&](int kind) {
        kinds.push_back(kind);
        return std::unique_ptr<CChangeDisplay>(new CFailingChanger(&resets));
    });
    CWindow w;
    EXPECT_FALSE(w.IsDisplayChanged());
    EXPECT_TRUE(w.CreateDisplayChanger(1));
    CChangeDisplay* first = w.GetDisplayChanger();
    EXPECT_TRUE(w.CreateDisplayChanger(0));
    EXPECT_NE(w.GetDisplayChanger(), nullptr);
    (void)first;
    EXPECT_TRUE(w.IsDisplayChanged());
    EXPECT_EQ(kinds, (std::vector<int>{1, 0}));
    CWindow::SetDisplayChangerFactory(nullptr);
    EXPECT_FALSE(w.CreateDisplayChanger(1));
    EXPECT_EQ(w.GetDisplayChanger(), nullptr);
    EXPECT_FALSE(w.IsDisplayChanged());
}

TEST(AppRun, TheApplicationWindowCarriesTheProgramIcon) {
    CWindow w;
    ASSERT_TRUE(w.Create("icon", 800, 600, false));
    int32_t iw = 0, ih = 0;
    w.GetPlatformWindow()->GetIconSize(&iw, &ih);
    EXPECT_EQ(iw, kWindowIconSize);
    EXPECT_EQ(ih, kWindowIconSize);
}

TEST(DebugWindow, KeepsTheLastLinesAndDrawsThem) {
    CDebugWindow debug;
    for (size_t i = 0; i < CDebugWindow::kMaxLines + 10; ++i) {
        DebugPrintf("line %zu", i);
    }
    std::vector<std::string> lines = debug.GetLines();
    ASSERT_EQ(lines.size(), CDebugWindow::kMaxLines);
    EXPECT_EQ(lines.front(), "line 10");
    EXPECT_EQ(lines.back(), "line " + std::to_string(CDebugWindow::kMaxLines + 9));
    std::vector<uint8_t> px;
    debug.RenderLines(&px);
    ASSERT_EQ(px.size(), static_cast<size_t>(CDebugWindow::kWidth) * CDebugWindow::kHeight * 4);
    size_t lit = 0;
    for (uint8_t b : px) lit += b != 0;
    EXPECT_GT(lit, 0u);
}

TEST(DebugWindow, ShownWindowRunsUntilTheGameEnds) {
    CDebugWindow debug;
    ASSERT_TRUE(debug.Start(true));
    EXPECT_NE(debug.GetHWnd(), nullptr);
    DebugPrintf("日本語の行 and ASCII");
    debug.RequestEnd();
    EXPECT_TRUE(debug.Wait());
}

// Events as the system gives them reach the keyboard and the frame step through the
// window's pump, once a frame.
TEST(AppRun, SystemEventsDriveInputAndPauseUpdatesWhileInactiveOrMinimised) {
    struct SSeen {
        bool pressedInFrame1 = false, notPressedInFrame2 = true, mouseAt = false;
        int updatesActive = 0, updatesInactive = 0, updatesMinimised = 0, updatesBack = 0, draws = 0;
    } seen;
    CTestApp app([&](CTestApp& self) {
        CFakeClock clock;
        CCountingLoop loop(&clock);
        const uint32_t id = self.GetHWnd()->GetSystemId();
        auto push = [id](uint32_t type, uint8_t windowEvent) {
            SDL_Event e{};
            e.type = type;
            e.window.windowID = id;
            e.window.event = windowEvent;
            SDL_PushEvent(&e);
        };
        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.windowID = id;
        key.key.keysym.sym = SDLK_ESCAPE;
        SDL_PushEvent(&key);
        SDL_Event move{};
        move.type = SDL_MOUSEMOTION;
        move.motion.windowID = id;
        move.motion.x = 321;
        move.motion.y = 123;
        SDL_PushEvent(&move);
        loop.RunFrame();
        seen.pressedInFrame1 = loop.GetKeyboard().IsPressed(VKey::kEscape);
        seen.mouseAt = loop.GetMouse().GetPosition() == SPoint{321, 123};
        loop.RunFrame();
        seen.notPressedInFrame2 = !loop.GetKeyboard().IsPressed(VKey::kEscape) && loop.GetKeyboard().IsDown(27);
        seen.updatesActive = loop.updates;

        push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST);
        loop.RunFrame();
        loop.RunFrame();
        seen.updatesInactive = loop.updates;
        push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED);
        push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_MINIMIZED);
        loop.RunFrame();
        seen.updatesMinimised = loop.updates;
        push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_RESTORED);
        loop.RunFrame();
        seen.updatesBack = loop.updates;
        seen.draws = loop.draws;
        return 0;
    });
    ASSERT_TRUE(app.Run());
    ASSERT_TRUE(app.Wait());
    EXPECT_TRUE(seen.pressedInFrame1);
    EXPECT_TRUE(seen.notPressedInFrame2);
    EXPECT_TRUE(seen.mouseAt);
    EXPECT_EQ(seen.updatesActive, 2);
    EXPECT_EQ(seen.updatesInactive, 2) << "no updates while the window is inactive";
    EXPECT_EQ(seen.updatesMinimised, 2) << "nor while it is minimised";
    EXPECT_EQ(seen.updatesBack, 3);
    EXPECT_EQ(seen.draws, 6) << "frames are still drawn";
}
