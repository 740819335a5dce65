#pragma once
// The display-mode changer interface: switches the display to a width, height and
// colour depth for full-screen play and back.  The window holds one, made by kind
// (CWindow::CreateDisplayChanger); the implementations live with the software path.
#include <cstdint>

class CChangeDisplay {
public:
    virtual ~CChangeDisplay() = default;
    // bitsPerPixel 0 restores the desktop mode.
    virtual bool ChangeDisplay(int32_t width, int32_t height, int32_t bitsPerPixel) = 0;
    virtual bool TestDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) = 0;
    virtual bool Reset() = 0;
    virtual bool IsChanged() const = 0;
    // 1 for the display-settings changer, 2 for the DirectDraw changer.
    virtual int32_t GetKind() const = 0;
};
