#include "engine/soft/screen/GdiWindowScreen.h"

#include "engine/base/AppBase.h"
#include "engine/base/AppManager.h"
#include "engine/base/Window.h"
#include "platform/gdi/GdiWindow.h"

namespace {
CWindow* _AppWindow() {
    CAppBase* app = CAppManager::GetApp(0);
    return app ? app->GetWindow() : nullptr;
}
}  // namespace

CGdiWindowScreen::CGdiWindowScreen() : CGdiWindowScreen(CAppManager::GetHWnd(), _AppWindow()) {}

CGdiWindowScreen::CGdiWindowScreen(WindowHandle window, CWindow* appWindow)
    : m_Window(window), m_AppWindow(appWindow), m_Screen(window) {
    if (m_Window) m_Window->AddListener(this);
}

CGdiWindowScreen::~CGdiWindowScreen() {
    if (m_Window) m_Window->RemoveListener(this);
    if (m_SystemCursorHidden) m_Window->ShowCursor(true);
    // The window's picture was this screen's; nothing else draws into it.
    if (m_Window) GdiForgetWindow(m_Window);
}

void CGdiWindowScreen::_SyncSystemCursor() {
    const bool hide = m_Window && m_Cursor.IsVisible();
    if (hide != m_SystemCursorHidden) {
        m_Window->ShowCursor(!hide);
        m_SystemCursorHidden = hide;
    }
}

bool CGdiWindowScreen::_IsFullScreen() const {
    return m_AppWindow && (m_AppWindow->IsDisplayChanged() || m_AppWindow->IsFullScreen());
}

bool CGdiWindowScreen::_ReadPointer(bool fullScreen) {
    int32_t x = 0, y = 0;
    if (!m_Window || !m_Window->GetPointerPosition(&x, &y)) return false;
    if (!fullScreen) m_Window->ScreenToClient(&x, &y);
    m_Mouse = SPoint{x, y};
    return true;
}

int32_t CGdiWindowScreen::Update() {
    CUpdateRectList* list = m_Screen.GetUpdateRectList();
    if (!m_Window || !list) return 0;
    CDirtyRectSurface* frame = m_Screen.GetFrameBuffer();
    if (m_RepaintPending) {
        m_RepaintPending = false;
        const SSize size = frame->GetSize();
        list->AddRectSize(0, 0, size.cx, size.cy);
        return -1;
    }
    _SyncSystemCursor();
    // Without a pointer to read there is nowhere to draw the cursor.
    const bool cursor = m_Cursor.IsVisible() && _ReadPointer(_IsFullScreen());
    const SPoint mouse = m_Mouse;
    int32_t cw = 0, ch = 0;
    m_Cursor.GetSize(&cw, &ch);
    if (cursor) list->AddRectSize(mouse.x, mouse.y, cw, ch);

    const int count = list->GetCount();
    std::unique_ptr<CGdiDC> dc = GdiGetWindowDC(m_Window);
    if (!dc) return 0;
    if (cursor) m_Cursor.DrawTo(frame, mouse.x, mouse.y);
    int32_t result = 1;
    for (int i = 0; i < count; ++i) {
        const SRect r = list->GetRect(i);
        result = m_Screen.PresentToDC(dc.get(), r.left, r.top, r.right, r.bottom);
        if (result != 1) break;
    }
    if (cursor) m_Cursor.RestoreUnder(frame);
    dc.reset();
    list->Clear();
    // The next frame repaints where the cursor was drawn.
    if (cursor) list->AddRectSize(mouse.x, mouse.y, cw, ch);
    if (result == 1) return 1;
    m_Screen.Recreate();
    const SSize size = frame->GetSize();
    list->AddRectSize(0, 0, size.cx, size.cy);
    return result;
}

int32_t CGdiWindowScreen::_Paint(WindowHandle window) {
    CDirtyRectSurface* frame = m_Screen.GetFrameBuffer();
    _SyncSystemCursor();
    // A paint request from the system (no window named) reads client pixels always.
    const bool cursor = m_Cursor.IsVisible() && _ReadPointer(window != nullptr && _IsFullScreen());
    if (cursor) m_Cursor.DrawTo(frame, m_Mouse.x, m_Mouse.y);
    SRect area;
    std::unique_ptr<CGdiDC> dc = GdiBeginPaint(window ? window : m_Window, &area);
    const int32_t result = m_Screen.PresentToDC(dc.get(), area.left, area.top, area.right, area.bottom);
    GdiEndPaint(std::move(dc));
    if (cursor) m_Cursor.RestoreUnder(frame);
    return result;
}

intptr_t CGdiWindowScreen::OnMessage(WindowHandle window, uint32_t message, uintptr_t, intptr_t) {
    if (message != WindowMsg::kPaint || m_RepaintPending) return 0;
    if (_Paint(window) != 1) {
        m_Screen.Recreate();
        m_RepaintPending = true;
    }
    return 1;
}

// --- the variant that copies in the paint message ------------------------------------

int32_t CGdiWindowScreenCursor::Update() {
    if (m_LastPaintResult != 1) {
        const int32_t previous = m_LastPaintResult;
        m_Screen.Recreate();
        GdiInvalidateRect(m_Window, nullptr, false);
        m_LastPaintResult = 1;
        return previous;
    }
    CUpdateRectList* list = m_Screen.GetUpdateRectList();
    if (!list) return 0;
    for (int i = 0; i < list->GetCount(); ++i) {
        const SRect r = list->GetRect(i);
        if (!GdiInvalidateRect(m_Window, &r, false)) return 0;
    }
    list->Clear();
    return m_LastPaintResult;
}

intptr_t CGdiWindowScreenCursor::OnMessage(WindowHandle window, uint32_t message, uintptr_t, intptr_t lParam) {
    if (message == WindowMsg::kPaint) {
        m_LastPaintResult = _Paint(window);
        return 1;
    }
    if (message == WindowMsg::kMouseMove) {
        _SyncSystemCursor();
        if (!m_Cursor.IsVisible()) return 0;
        // The position as the message carries it, unsigned 16-bit halves.
        const int32_t x = static_cast<int32_t>(lParam & 0xFFFF);
        const int32_t y = static_cast<int32_t>((lParam >> 16) & 0xFFFF);
        CDirtyRectSurface* frame = m_Screen.GetFrameBuffer();
        int32_t cw = 0, ch = 0;
        m_Cursor.GetSize(&cw, &ch);
        m_Cursor.DrawTo(frame, x, y);
        DCHandle source = frame->GetDC();
        std::unique_ptr<CGdiDC> dc = GdiGetWindowDC(window ? window : m_Window);
        if (source && dc) GdiBitBlt(dc.get(), x, y, cw, ch, source, x, y);
        dc.reset();
        frame->ReleaseDC();
        m_Cursor.RestoreUnder(frame);
    }
    return 0;
}
