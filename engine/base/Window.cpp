#include "engine/base/Window.h"

#include <mutex>

#include "engine/base/Log.h"
#include "platform/window/PlatformVideo.h"

namespace {
std::mutex g_FactoryMutex;
CWindow::DisplayChangerFactory g_Factory;
}  // namespace

void CWindow::SetDisplayChangerFactory(DisplayChangerFactory factory) {
    std::lock_guard<std::mutex> lock(g_FactoryMutex);
    g_Factory = std::move(factory);
}

CWindow::CWindow() = default;

CWindow::~CWindow() { Destroy(); }

bool CWindow::Create(const std::string& title, int32_t clientWidth, int32_t clientHeight, bool visible) {
    if (m_Window) {
        DebugPrintf("CWindow::Create() ウィンドウは既に作成されています");
        return false;
    }
    m_Window = CPlatformWindow::Create(title, clientWidth, clientHeight, visible);
    if (!m_Window) {
        DebugPrintf("CWindow::Create() ウィンドウの作成に失敗[%s]", PlatformWindowLastError().c_str());
        return false;
    }
    // A window without its icon still works: the failure is only logged.
    if (!m_Window->SetIconResource(kIconName)) {
        DebugPrintf("CWindow::Create() アイコンの設定に失敗[%s]", PlatformWindowLastError().c_str());
    }
    return true;
}

void CWindow::Destroy() {
    // The changer goes first: it puts the display mode back while the window exists.
    m_Changer.reset();
    m_Window.reset();
}

bool CWindow::GetClientSize(int32_t* width, int32_t* height) const {
    if (!m_Window) {
        if (width) *width = 0;
        if (height) *height = 0;
        return false;
    }
    return m_Window->GetClientSize(width, height);
}

bool CWindow::CreateDisplayChanger(int kind) {
    m_Changer.reset();
    DisplayChangerFactory factory;
    {
        std::lock_guard<std::mutex> lock(g_FactoryMutex);
        factory = g_Factory;
    }
    if (!factory) {
        return false;
    }
    m_Changer = factory(kind);
    return m_Changer != nullptr;
}

void CWindow::DeleteDisplayChanger() { m_Changer.reset(); }

bool CWindow::IsDisplayChanged() const { return m_Changer && m_Changer->IsChanged(); }

bool CWindow::SetFullScreen(bool fullScreen) {
    if (!m_Window) {
        return false;
    }
    if (!m_Window->SetFullScreen(fullScreen)) {
        DebugPrintf("CWindow::SetFullScreen() 画面モードの切り替えに失敗[%s]", PlatformWindowLastError().c_str());
        return false;
    }
    return true;
}

bool CWindow::IsFullScreen() const { return m_Window && m_Window->IsFullScreen(); }
bool CWindow::IsActive() const { return m_Window && m_Window->IsActive(); }
bool CWindow::IsMinimized() const { return m_Window && m_Window->IsMinimized(); }

void CWindow::ShowCursor(bool visible) {
    if (m_Window) {
        m_Window->ShowCursor(visible);
    }
}

bool CWindow::Present(const void* pixels, int32_t width, int32_t height, int32_t pitchBytes) {
    if (!m_Window) {
        return false;
    }
    if (!m_Window->PresentFrame(pixels, width, height, pitchBytes)) {
        DebugPrintf("CWindow::Present() 表示に失敗[%s]", PlatformWindowLastError().c_str());
        return false;
    }
    return true;
}
