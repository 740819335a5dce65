#include "engine/soft/screen/GdiScreen.h"

#include "engine/base/AppManager.h"
#include "engine/soft/SurfaceRegistry.h"
#include "platform/gdi/GdiWindow.h"

CGdiScreen::CGdiScreen() : CGdiScreen(CAppManager::GetHWnd()) {}

CGdiScreen::CGdiScreen(WindowHandle window) : m_Window(window), m_FrameBuffer(window) {
    CreateFrameBuffer();
    CAppManager::SetScreen(this);
}

CGdiScreen::~CGdiScreen() {
    CAppManager::RemoveScreen(this);
    m_FrameBuffer.Release();
}

int CGdiScreen::GetDesktopDepth() { return GdiGetDesktopBitsPerPixel(); }

bool CGdiScreen::CreateFrameBuffer() {
    m_FrameBuffer.Release();
    SRect client;
    GdiGetClientRect(m_Window, &client);
    m_FrameBuffer.SetUseDirectDraw(false);
    m_FrameBuffer.SetWindow(m_Window);
    m_FrameBuffer.Create(client.Width(), client.Height(), 0, true);
    m_FrameBuffer.SetColorKeyEnabled(false);
    m_FrameBuffer.SetAlphaEnabled(false);
    return m_FrameBuffer.IsCreated();
}

int32_t CGdiScreen::PresentToDC(DCHandle dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    CCriticalLock lock(m_Lock);
    auto same = [](int depth) { return depth == 15 ? 16 : depth; };
    if (same(GetDesktopDepth()) != same(m_FrameBuffer.GetBitDepth())) return -1;
    if (!m_FrameBuffer.IsCreated()) return 0;
    DCHandle source = m_FrameBuffer.GetDC();
    if (!source || !dc) return 0;
    const int64_t w = int64_t{right} - left, h = int64_t{bottom} - top;
    if (w > INT32_MAX || h > INT32_MAX ||
        !GdiBitBlt(dc, left, top, static_cast<int32_t>(w), static_cast<int32_t>(h), source, left, top)) {
        return 0;
    }
    m_FrameBuffer.ReleaseDC();
    return 1;
}

int32_t CGdiScreen::Present(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    CCriticalLock lock(m_Lock);
    std::unique_ptr<CGdiDC> dc = GdiGetWindowDC(m_Window);
    return PresentToDC(dc.get(), left, top, right, bottom);
}

int32_t CGdiScreen::PresentAll() {
    CCriticalLock lock(m_Lock);
    const SSize size = m_FrameBuffer.GetSize();
    return Present(0, 0, size.cx, size.cy);
}

int32_t CGdiScreen::PresentAllToDC(DCHandle dc) {
    CCriticalLock lock(m_Lock);
    const SSize size = m_FrameBuffer.GetSize();
    return PresentToDC(dc, 0, 0, size.cx, size.cy);
}

bool CGdiScreen::Recreate() {
    CCriticalLock lock(m_Lock);
    m_FrameBuffer.Release();
    CSurfaceRegistry::GetInstance()->RestoreAll(m_Window);
    return CreateFrameBuffer();
}
