#include "engine/base/AppBase.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/base/MainLoopBase.h"
#include "platform/window/PlatformVideo.h"

namespace {

// Every live application, so that the end of the primary one ends the others.
struct SAppList {
    std::mutex mutex;
    std::vector<CAppBase*> apps;
};

SAppList& AppList() {
    static SAppList list;
    return list;
}

}  // namespace

CAppBase::CAppBase() {
    m_WindowThread = std::make_unique<CProcThread>([this] { return _WindowThreadProc(); });
    m_TimerThread = std::make_unique<CProcThread>([this] { return _TimerThreadProc(); });
    SAppList& list = AppList();
    std::lock_guard<std::mutex> lock(list.mutex);
    list.apps.push_back(this);
}

CAppBase::~CAppBase() {
    Stop();
    {
        SAppList& list = AppList();
        std::lock_guard<std::mutex> lock(list.mutex);
        list.apps.erase(std::remove(list.apps.begin(), list.apps.end(), this), list.apps.end());
    }
    CAppManager::UnregisterAppRecords(this);
}

bool CAppBase::StartTimer() {
    m_Secondary = !IsPrimary();
    if (m_TimerThread->IsRunning()) {
        return true;
    }
    if (!m_TimerThread->Start()) {
        DebugPrintf("CAppBase::StartTimer() タイマースレッドの起動に失敗");
        return false;
    }
    return true;
}

bool CAppBase::Run() {
    if (m_WindowThread->IsRunning()) {
        DebugPrintf("CAppBase::Run() 既に実行中です");
        return false;
    }
    m_EndRequested = false;
    m_EndEvent.Reset();
    m_CreateWndEvent.Reset();
    m_WindowReady = false;
    if (!StartTimer()) {
        return false;
    }
    if (!m_WindowThread->Start()) {
        DebugPrintf("CAppBase::Run() ウィンドウスレッドの起動に失敗");
        RequestEnd();
        return false;
    }
    if (!m_CreateWndEvent.Wait(m_WindowWaitMs)) {
        DebugPrintf("CAppBase::Run() ウィンドウ作成待ちがタイムアウトしました[%ums]", m_WindowWaitMs);
        return true;
    }
    return m_WindowReady.load();
}

void CAppBase::RequestEnd() {
    m_EndRequested = true;
    m_EndEvent.Set();
    if (m_WindowThread) {
        m_WindowThread->RequestStop();
    }
    if (m_TimerThread) {
        m_TimerThread->RequestStop();
    }
}

bool CAppBase::SleepOrEnd(uint32_t ms) { return m_EndEvent.Wait(ms); }

bool CAppBase::Wait(uint32_t timeoutMs) {
    // One deadline for both threads would need a clock; the window thread is the long
    // one, and the timer thread ends right after it.
    bool windowDone = m_WindowThread->Wait(timeoutMs);
    bool timerDone = m_TimerThread->Wait(windowDone ? timeoutMs : 0);
    return windowDone && timerDone;
}

void CAppBase::Stop() {
    RequestEnd();
    if (m_WindowThread) {
        m_WindowThread->Stop();
    }
    if (m_TimerThread) {
        m_TimerThread->Stop();
    }
}

int CAppBase::MainProc() {
    CMainLoopBase loop;
    loop.Run();
    return 0;
}

uint32_t CAppBase::_WindowThreadProc() {
    CAppManager::RegisterThread(this);
    OnWindowThreadStart();
    bool ready = m_Window.Create(GetWindowTitle(), GetClientWidth(), GetClientHeight(), IsWindowVisible());
    if (ready) {
        CAppManager::SetHWnd(m_Window.GetHandle());
        // The system's own arrow over the window.
        m_Window.ShowCursor(true);
    }
    m_WindowReady = ready;
    m_CreateWndEvent.Set();

    int exitCode = -1;
    if (ready && !IsEndRequested()) {
        exitCode = MainProc();
    }
    m_ExitCode = exitCode;

    CAppManager::SetHWnd(nullptr);
    m_Window.Destroy();
    CAppManager::UnregisterThread();
    PlatformVideoThreadCleanup();
    m_EndEvent.Set();
    m_TimerThread->RequestStop();
    if (!m_Secondary.load()) {
        _EndSecondaryApps(this);
    }
    return static_cast<uint32_t>(exitCode);
}

uint32_t CAppBase::_TimerThreadProc() {
    const uint32_t interval = std::max<uint32_t>(1, GetTimerIntervalMs());
    while (!m_TimerThread->IsStopRequested() && !m_EndRequested.load()) {
        if (m_EndEvent.Wait(interval)) {
            break;
        }
        OnTimer();
        ++m_TimerTicks;
    }
    return 0;
}

void CAppBase::_EndSecondaryApps(CAppBase* except) {
    SAppList& list = AppList();
    std::lock_guard<std::mutex> lock(list.mutex);
    for (CAppBase* app : list.apps) {
        if (app != except && app->m_Secondary.load()) {
            app->RequestEnd();
        }
    }
}
