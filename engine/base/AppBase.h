#pragma once
// The application base.  Run() (on the main thread) starts the application's timer
// thread and its window thread, and waits at most 10,000 ms for the window to exist
// (a timeout is logged and otherwise ignored).  The window thread registers the
// thread's services in CAppManager, opens the window, signals the waiting thread and
// calls the application's main operation (MainProc); when that returns it closes the
// window, drops the thread's record and ends the timer thread.  When a primary
// application ends, every other application (the debug window) is asked to end too,
// so that the main thread's wait for every CThread comes to an end.
//
// A derived class calls Stop() in its own destructor (its threads call its overrides).
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/base/Event.h"
#include "engine/base/Thread.h"
#include "engine/base/Window.h"

class CAppBase {
public:
    static constexpr uint32_t kWindowWaitMs = 10000;

    CAppBase();
    virtual ~CAppBase();
    CAppBase(const CAppBase&) = delete;
    CAppBase& operator=(const CAppBase&) = delete;

    // Starts the timer thread and the window thread and waits for the window.  False
    // when a thread could not start or the window could not be made.
    bool Run();
    // Starts only the timer thread (an application that shows no window).
    bool StartTimer();
    // Asks both threads to end (any thread); the window's frame loop ends at its next pass.
    void RequestEnd();
    bool IsEndRequested() const { return m_EndRequested.load(); }
    // Sleeps up to `ms` on the calling thread; true (early) when the end was requested.
    bool SleepOrEnd(uint32_t ms);
    // Waits for both threads to end; true when they did within `timeoutMs`.
    bool Wait(uint32_t timeoutMs = CEvent::kInfinite);
    // RequestEnd, then joins both threads.
    void Stop();

    CWindow* GetWindow() { return &m_Window; }
    WindowHandle GetHWnd() const { return m_Window.GetHandle(); }
    bool IsWindowReady() const { return m_WindowReady.load(); }
    int GetExitCode() const { return m_ExitCode.load(); }
    // How many timer ticks have run.
    uint64_t GetTimerTicks() const { return m_TimerTicks.load(); }

    // The wait for the window in Run() (tests shorten it).
    void SetWindowWaitMs(uint32_t ms) { m_WindowWaitMs = ms; }

protected:
    virtual std::string GetWindowTitle() const { return "Application"; }
    virtual int32_t GetClientWidth() const { return 800; }
    virtual int32_t GetClientHeight() const { return 600; }
    virtual bool IsWindowVisible() const { return true; }
    // Ending a primary application ends every other application.
    virtual bool IsPrimary() const { return true; }
    // Runs on the window thread before the window is made (after the thread's record exists).
    virtual void OnWindowThreadStart() {}
    // The application's main operation on the window thread, once the window exists.
    // By default a plain frame loop (CMainLoopBase) until the window is closed.
    virtual int MainProc();
    // The timer thread's work, every GetTimerIntervalMs.
    virtual void OnTimer() {}
    virtual uint32_t GetTimerIntervalMs() const { return 100; }

private:
    class CProcThread : public CThread {
    public:
        explicit CProcThread(std::function<uint32_t()> proc) : m_Proc(std::move(proc)) {}
        ~CProcThread() override { Stop(); }

    protected:
        uint32_t ThreadProc() override { return m_Proc(); }

    private:
        std::function<uint32_t()> m_Proc;
    };

    uint32_t _WindowThreadProc();
    uint32_t _TimerThreadProc();
    static void _EndSecondaryApps(CAppBase* except);

    CWindow m_Window;
    CEvent m_CreateWndEvent{true, false};
    CEvent m_EndEvent{true, false};
    std::atomic<bool> m_EndRequested{false};
    std::atomic<bool> m_WindowReady{false};
    // IsPrimary() as read when the application started (other threads read this, never
    // the virtual function of an object that may be going away).
    std::atomic<bool> m_Secondary{false};
    std::atomic<int> m_ExitCode{0};
    std::atomic<uint64_t> m_TimerTicks{0};
    uint32_t m_WindowWaitMs = kWindowWaitMs;
    std::unique_ptr<CProcThread> m_WindowThread;
    std::unique_ptr<CProcThread> m_TimerThread;
};
