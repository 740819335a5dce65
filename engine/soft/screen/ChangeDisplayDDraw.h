#pragma once
// The display-mode changer through the window's DirectDraw object: exclusive full-
// screen cooperative level and DirectDraw's own display mode, put back by Reset.  It
// looks the window's object up again at every change and reset, and acts through an
// embedded display-settings changer when the window or its object was missing when it
// was made (and always to test a mode).
#include <cstdint>

#include "engine/soft/screen/ChangeDisplayWin32API.h"
#include "platform/window/WindowMessage.h"

class CDirectDraw;

class CChangeDisplayDDraw : public CChangeDisplay {
public:
    static constexpr int32_t kKind = 2;
    static constexpr uint32_t kFullScreenLevel = 0x411;  // full screen, exclusive, multithreaded
    static constexpr uint32_t kNormalLevel = 0x408;      // normal, multithreaded

    CChangeDisplayDDraw();
    ~CChangeDisplayDDraw() override;
    CChangeDisplayDDraw(const CChangeDisplayDDraw&) = delete;
    CChangeDisplayDDraw& operator=(const CChangeDisplayDDraw&) = delete;

    bool ChangeDisplay(int32_t width, int32_t height, int32_t bitsPerPixel) override;
    bool TestDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) override;
    bool Reset() override;
    bool IsChanged() const override;
    int32_t GetKind() const override { return kKind; }

    bool UsesDirectDraw() const { return m_DirectDraw != nullptr; }
    WindowHandle GetWindow() const { return m_Window; }

private:
    WindowHandle m_Window = nullptr;
    CDirectDraw* m_DirectDraw = nullptr;
    bool m_Changed = false;
    CChangeDisplayWin32API m_Fallback;
};
