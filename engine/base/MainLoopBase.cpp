#include "engine/base/MainLoopBase.h"

#include "engine/base/AppBase.h"
#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/base/Window.h"
#include "platform/window/PlatformWindow.h"

CMainLoopBase::CMainLoopBase(IFrameClock* clock) : m_FrameTimer(clock) {
    m_App = CAppManager::GetApp(0);
    m_HWnd = CAppManager::GetHWnd();
    if (m_HWnd) {
        // The loop hears the close box first; input devices after it.
        m_HWnd->AddListener(this);
        m_HWnd->AddListener(&m_Keyboard);
        m_HWnd->AddListener(&m_Mouse);
    }
    m_FrameTimer.SetFps(60);
}

CMainLoopBase::~CMainLoopBase() {
    if (m_HWnd) {
        m_HWnd->RemoveListener(&m_Mouse);
        m_HWnd->RemoveListener(&m_Keyboard);
        m_HWnd->RemoveListener(this);
    }
    if (CAppManager::GetMainLoop(0) == this) {
        CAppManager::SetMainLoop(nullptr);
    }
}

CWindow* CMainLoopBase::GetWindow() const { return m_App ? m_App->GetWindow() : nullptr; }

bool CMainLoopBase::IsEndRequested() const {
    return m_EndRequested.load() || (m_App && m_App->IsEndRequested());
}

bool CMainLoopBase::IsWindowActive() const {
    if (!m_HWnd) {
        return true;
    }
    return m_HWnd->IsActive() && !m_HWnd->IsMinimized();
}

intptr_t CMainLoopBase::OnMessage(WindowHandle, uint32_t message, uintptr_t, intptr_t) {
    switch (message) {
    case WindowMsg::kClose: OnClose(); break;
    case WindowMsg::kForceClose: RequestEnd(); break;
    default: break;
    }
    return 0;
}

void CMainLoopBase::PostForceClose() {
    if (m_HWnd) {
        m_HWnd->PostMessage(WindowMsg::kForceClose);
    } else {
        RequestEnd();
    }
}

bool CMainLoopBase::PumpMessages() {
    if (IsEndRequested()) {
        return false;
    }
    if (m_HWnd) {
        m_HWnd->PumpMessages();
    }
    return !IsEndRequested();
}

bool CMainLoopBase::RunFrame() {
    if (!PumpMessages()) {
        return false;
    }
    m_Keyboard.Update();
    m_Mouse.Update();
    FrameStep();
    m_FrameTimer.WaitFrame();
    ++m_FrameCount;
    return true;
}

int64_t CMainLoopBase::Run(int64_t maxFrames) {
    m_FrameTimer.Restart();
    int64_t frames = 0;
    while (maxFrames < 0 || frames < maxFrames) {
        if (!RunFrame()) {
            break;
        }
        ++frames;
    }
    return frames;
}

void CMainLoopBase::FrameStep() {
    if (IsWindowActive()) {
        m_FrameTimer.BeginUpdate();
        OnUpdate();
        m_FrameTimer.EndUpdate();
    }
    if (!m_FrameTimer.IsSkipDraw()) {
        OnDraw();
    }
}

void CMainLoopBase::OnDraw() {
    if (!m_HWnd) {
        return;
    }
    if (m_BlackFrame.empty()) {
        m_BlackFrame.assign(static_cast<size_t>(kClientWidth) * kClientHeight * 4, 0);
    }
    m_HWnd->PresentFrame(m_BlackFrame.data(), kClientWidth, kClientHeight, kClientWidth * 4);
}

bool CMainLoopBase::ChangeDisplayMode(int mode) {
    CWindow* window = GetWindow();
    CChangeDisplay* changer = window ? window->GetDisplayChanger() : nullptr;
    if (!changer) {
        return true;
    }
    if (mode == 0) {
        return changer->Reset();
    }
    return changer->ChangeDisplay(kClientWidth, kClientHeight, mode);
}

bool CMainLoopBase::SetScreenMode(int mode) {
    if (!m_HWnd) {
        DebugPrintf("CMainLoopBase::SetScreenMode() ウィンドウがありません");
        return false;
    }
    if (mode == 0) {
        bool restored = ChangeDisplayMode(0);
        m_HWnd->SetFullScreen(false);
        m_ScreenMode = 0;
        return restored;
    }
    if (!m_HWnd->SetFullScreen(true)) {
        DebugPrintf("CMainLoopBase::SetScreenMode() フルスクリーンへの切り替えに失敗");
        m_HWnd->SetFullScreen(false);
        m_ScreenMode = 0;
        return false;
    }
    if (!ChangeDisplayMode(mode)) {
        DebugPrintf("CMainLoopBase::SetScreenMode() 画面モードの変更に失敗[%dbit]", mode);
        ChangeDisplayMode(0);
        m_HWnd->SetFullScreen(false);
        m_ScreenMode = 0;
        return false;
    }
    m_ScreenMode = mode;
    return true;
}
