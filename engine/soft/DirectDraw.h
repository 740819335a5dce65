#pragma once
// The DirectDraw object of a window and the process-wide manager that keeps one per
// window.  Software surfaces may live in DirectDraw memory (CDDSurface) when their
// window has an object here, and the DirectDraw display changer sets display modes
// through it.
//
// When a window gets its object and when it loses it: the object is made on demand,
// on the window's thread, when the window asks for the DirectDraw display changer
// (CreateWindowDisplayChanger / the changer factory installed by
// InstallSoftwareScreenPath); it is released when that changer is deleted, which the
// window does when it closes (CWindow::Destroy) or when it makes a changer of another
// kind.  Finalising the object releases every DirectDraw surface made from it first;
// software surfaces still on it then fail to restore and are dropped by the registry.
#include <cstdint>
#include <list>
#include <memory>

#include "engine/base/CriticalSection.h"
#include "platform/ddraw/DDraw.h"
#include "platform/window/WindowMessage.h"

class CDirectDraw;

class CDirectDrawClipper {
public:
    // Makes a clipper on the owner's interface and binds it to the owner's window;
    // after a failure (logged) it holds no interface.
    explicit CDirectDrawClipper(CDirectDraw* owner);
    virtual ~CDirectDrawClipper();
    CDirectDrawClipper(const CDirectDrawClipper&) = delete;
    CDirectDrawClipper& operator=(const CDirectDrawClipper&) = delete;

    CPlatformDDClipper* GetInterface() const { return m_Clipper.get(); }

private:
    std::unique_ptr<CPlatformDDClipper> m_Clipper;
};

class CDirectDraw {
public:
    static constexpr uint32_t kNormalLevel = DDSCL_NORMAL | DDSCL_MULTITHREADED;  // 0x408

    explicit CDirectDraw(WindowHandle window);
    virtual ~CDirectDraw();
    CDirectDraw(const CDirectDraw&) = delete;
    CDirectDraw& operator=(const CDirectDraw&) = delete;

    WindowHandle GetHWnd() const { return m_Window; }
    CPlatformDDraw* GetInterface() const { return m_DirectDraw.get(); }
    bool SetCooperativeLevel(uint32_t flags);
    bool SetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t refreshRate);
    bool RestoreDisplayMode();
    // Never answers yes: modes are tested through the display settings.
    bool TestDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t refreshRate);
    CPlatformDDClipper* GetClipper() const;
    void ReleaseClipper();
    bool IsFullScreen() const { return m_FullScreen; }

protected:
    bool _CreateClipper();

private:
    bool _Initialize();
    void _Finalize();

    WindowHandle m_Window = nullptr;
    std::unique_ptr<CPlatformDDraw> m_DirectDraw;
    std::unique_ptr<CDirectDrawClipper> m_Clipper;
    bool m_FullScreen = false;
    bool m_ComInitialized = false;
};

class CDirectDrawManager {
public:
    CDirectDrawManager() = default;
    // Reports and deletes objects that were never released.
    virtual ~CDirectDrawManager();
    CDirectDrawManager(const CDirectDrawManager&) = delete;
    CDirectDrawManager& operator=(const CDirectDrawManager&) = delete;

    static CDirectDrawManager* GetInstance();

    // Makes the window's object; false when it cannot be made or the window has one.
    bool Initialize(WindowHandle window);
    CDirectDraw* Find(WindowHandle window);
    // Deletes the window's object; nothing when it has none.
    void Release(WindowHandle window);
    // Whether `directDraw` is an object the manager still holds (surfaces keep a plain
    // pointer to theirs and ask before they use it again).
    bool IsAlive(const CDirectDraw* directDraw);
    size_t GetCount();

private:
    std::list<std::unique_ptr<CDirectDraw>> m_Objects;
    CCriticalSection m_Lock;
};
