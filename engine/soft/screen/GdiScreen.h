#pragma once
// The software frame buffer of a window and its copy into device contexts.  The
// frame buffer is a dirty-rectangle surface of the window's client size at the
// desktop's depth, always a DIB section (never DirectDraw), so that it has a device
// context to copy from.  When the desktop's depth no longer matches, Recreate rebuilds
// it and asks every software surface of the window to restore itself.
//
// The screen records itself with CAppManager::SetScreen as the thread's GDI screen
// output: CAppManager::GetScreenOutput and the GDI renderer's GetSoftwareOutput give
// a CGdiScreen* (FromOutput turns it back).
#include <cstdint>

#include "engine/base/CriticalSection.h"
#include "engine/soft/DirtyRectSurface.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WindowMessage.h"

class CGdiScreen {
public:
    // The calling thread's window (CAppManager::GetHWnd).
    CGdiScreen();
    explicit CGdiScreen(WindowHandle window);
    virtual ~CGdiScreen();
    CGdiScreen(const CGdiScreen&) = delete;
    CGdiScreen& operator=(const CGdiScreen&) = delete;

    static CGdiScreen* FromOutput(void* output) { return static_cast<CGdiScreen*>(output); }

    // Copies a rectangle of the frame buffer into the window.
    virtual int32_t Present(int32_t left, int32_t top, int32_t right, int32_t bottom);
    virtual int32_t PresentAll();
    // 1 copied, 0 failed (no frame buffer, no context, a failed copy), -1 the desktop's
    // depth differs from the frame buffer's (15 counting as 16).
    virtual int32_t PresentToDC(DCHandle dc, int32_t left, int32_t top, int32_t right, int32_t bottom);
    virtual int32_t PresentAllToDC(DCHandle dc);
    // Releases the frame buffer, restores every surface of the window, makes the frame
    // buffer again; true when it exists.
    virtual bool Recreate();
    virtual CDirtyRectSurface* GetFrameBuffer() { return &m_FrameBuffer; }
    virtual CUpdateRectList* GetUpdateRectList() { return &m_FrameBuffer.GetUpdateList(); }

    void ReleaseFrameBuffer() { m_FrameBuffer.Release(); }
    // The desktop's bits per pixel.
    static int GetDesktopDepth();
    bool CreateFrameBuffer();
    WindowHandle GetWindow() const { return m_Window; }

private:
    WindowHandle m_Window = nullptr;
    CDirtyRectSurface m_FrameBuffer;
    CCriticalSection m_Lock;
};
