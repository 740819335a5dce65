#pragma once
// The screen the GDI renderer holds: a CGdiScreen joined to the window's messages and
// to the software cursor.  Once a frame, Update copies exactly the frame buffer's
// dirty rectangles into the window (the cursor drawn into the frame buffer for the
// time of the copy); a paint message copies the area to repaint.  A failed copy or a
// change of the desktop's depth rebuilds the frame buffer and every surface of the
// window, and the whole frame is repainted.
//
// The software cursor is drawn whenever it has a picture, at the pointer's position
// read at each copy: screen pixels turned into client pixels, except in full screen,
// where the screen is the window's picture.  While it is drawn the system's pointer is
// hidden over the window, so that one cursor shows.
//
// CGdiWindowScreenCursor is the variant that invalidates the dirty rectangles and
// copies in the paint message, and copies the cursor area at each mouse move (at the
// position the message carries).
#include <cstdint>

#include "engine/soft/CursorControl.h"
#include "engine/soft/screen/GdiScreen.h"
#include "platform/window/WindowMessage.h"

class CWindow;

// What a screen output offers its renderer.
class IGdiScreenOutput {
public:
    virtual ~IGdiScreenOutput() = default;
    virtual int32_t Update() = 0;
    virtual CGdiScreen* GetScreen() = 0;
    virtual CDirtyRectSurface* GetFrameBuffer() = 0;
    virtual CUpdateRectList* GetUpdateRectList() = 0;
    virtual CCursorControl* GetCursor() = 0;
};

class CGdiWindowScreen : public IGdiScreenOutput, public IMessageListener {
public:
    // The calling thread's window and application window.
    CGdiWindowScreen();
    // For a window of the calling thread's application made elsewhere (and in tests).
    CGdiWindowScreen(WindowHandle window, CWindow* appWindow);
    ~CGdiWindowScreen() override;
    CGdiWindowScreen(const CGdiWindowScreen&) = delete;
    CGdiWindowScreen& operator=(const CGdiWindowScreen&) = delete;

    // 1 after a full copy; 0 without a window, an update list or a context; -1 when the
    // whole frame was marked dirty instead; the failing copy's result after a failure.
    int32_t Update() override;
    CGdiScreen* GetScreen() override { return &m_Screen; }
    CDirtyRectSurface* GetFrameBuffer() override { return m_Screen.GetFrameBuffer(); }
    CUpdateRectList* GetUpdateRectList() override { return m_Screen.GetUpdateRectList(); }
    CCursorControl* GetCursor() override { return &m_Cursor; }

    intptr_t OnMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    bool IsRepaintPending() const { return m_RepaintPending; }
    WindowHandle GetWindow() const { return m_Window; }
    // Where the pointer was last read, in client pixels.
    SPoint GetMousePosition() const { return m_Mouse; }

protected:
    // Hides the system's pointer over the window while the software cursor is drawn.
    void _SyncSystemCursor();
    // The application window is full screen (its display mode changed).
    bool _IsFullScreen() const;
    // Reads the pointer into m_Mouse: client pixels, or screen pixels as they are when
    // `fullScreen`.  False when there is no pointer to read.
    bool _ReadPointer(bool fullScreen);
    // The paint message's copy (cursor drawn, area copied, cursor taken out).
    int32_t _Paint(WindowHandle window);

    WindowHandle m_Window = nullptr;
    CWindow* m_AppWindow = nullptr;
    CGdiScreen m_Screen;
    CCursorControl m_Cursor;
    bool m_RepaintPending = false;
    SPoint m_Mouse;
    bool m_SystemCursorHidden = false;
};

class CGdiWindowScreenCursor : public CGdiWindowScreen {
public:
    CGdiWindowScreenCursor() = default;
    CGdiWindowScreenCursor(WindowHandle window, CWindow* appWindow) : CGdiWindowScreen(window, appWindow) {}

    int32_t Update() override;
    intptr_t OnMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int32_t GetLastPaintResult() const { return m_LastPaintResult; }

private:
    int32_t m_LastPaintResult = 1;
};
