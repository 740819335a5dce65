#pragma once
// Device contexts of a window: the window context (what GetDC of a window gives) and
// the paint context (what BeginPaint gives while a paint request is served).
//
// Each window has a picture of its client area in 32-bit pixels (B, G, R, X, top row
// first), kept here.  A copy into a window context writes that picture and the
// context shows it through the SDL window (CPlatformWindow::PresentFrame) once, when
// the context is given back, so several rectangles copied in one frame cost one
// present.  Paint requests come from the window's paint message (SDL's expose event)
// or from InvalidateRect; BeginPaint answers the area to repaint and forgets it.
//
// Tests may put their own context in place of the window's (GdiSetWindowDCProvider),
// for instance one that records every rectangle copied into it.
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/gdi/Gdi.h"
#include "platform/window/WindowMessage.h"

struct SGdiWindowPicture;

class CGdiWindowDC : public CGdiDC {
public:
    explicit CGdiWindowDC(WindowHandle window);
    // Shows what was copied in, when anything was.
    ~CGdiWindowDC() override;

    // The window's picture, sized to its client area.
    SGdiPixels GetPixels() const override;
    void OnPixelsChanged(const SRect& area) override;
    // The desktop's bits per pixel (the BITSPIXEL capability of a window context).
    int GetBitsPerPixel() const override;

    WindowHandle GetWindow() const { return m_Window; }
    // Shows the picture now when something changed since it was last shown.
    void Flush();
    // The union of the areas changed and not yet shown.
    SRect GetPendingArea() const { return m_Pending; }

private:
    WindowHandle m_Window;
    std::shared_ptr<SGdiWindowPicture> m_Picture;
    SRect m_Pending;
};

// A window context that also knows the area a paint request covers.
class CGdiPaintDC : public CGdiWindowDC {
public:
    CGdiPaintDC(WindowHandle window, const SRect& paintArea) : CGdiWindowDC(window), m_PaintArea(paintArea) {}
    const SRect& GetPaintArea() const { return m_PaintArea; }

private:
    SRect m_PaintArea;
};

// The window's context; null for a null window.  Giving it back is destroying it.
std::unique_ptr<CGdiDC> GdiGetWindowDC(WindowHandle window);
// The paint context of a window: `paintArea` receives the area to repaint (the part
// invalidated since the last paint, or the whole client area when the request came
// from the system).  The invalid area is forgotten.  Null for a null window.
std::unique_ptr<CGdiDC> GdiBeginPaint(WindowHandle window, SRect* paintArea);
void GdiEndPaint(std::unique_ptr<CGdiDC> paintDC);

// Adds an area (null: the whole client area) to what the next paint repaints and asks
// the window for a paint message.  False for a null window.
bool GdiInvalidateRect(WindowHandle window, const SRect* area, bool erase);
// {0, 0, client width, client height}; false (an empty rectangle) without a window.
bool GdiGetClientRect(WindowHandle window, SRect* rect);

// A copy of the window's picture as last written (tests, screenshots); invalid when
// the window has none yet.  The memory stays valid until GdiForgetWindow.
SGdiPixels GdiGetWindowPicture(WindowHandle window);
// Drops what is kept for a window (its picture and invalid area).
void GdiForgetWindow(WindowHandle window);

// Test seam: makes the contexts GdiGetWindowDC and GdiBeginPaint give.  `paint` is
// true for BeginPaint; the provider may answer null.  An empty function restores
// the real contexts.
using GdiWindowDCProvider = std::function<std::unique_ptr<CGdiDC>(WindowHandle window, bool paint)>;
void GdiSetWindowDCProvider(GdiWindowDCProvider provider);
