#pragma once
// The engine's window object: the application window of one thread, its display-mode
// changer, and the way to the platform window (handle, messages, presentation).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/base/ChangeDisplay.h"
#include "platform/window/PlatformWindow.h"

class CWindow {
public:
    // The window class and icon resource names of the original desktop program,
    // kept for the log and the platform layer.
    static constexpr const char* kClassName = "Application";
    static constexpr const char* kIconName = "ID_ICON";
    static constexpr int kChangerDirectDraw = 1;

    // Makes the changer of a kind (1: the DirectDraw changer, otherwise the
    // display-settings changer); installed by the software rendering path.
    using DisplayChangerFactory = std::function<std::unique_ptr<CChangeDisplay>(int kind)>;
    static void SetDisplayChangerFactory(DisplayChangerFactory factory);

    CWindow();
    ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    // Opens the window on the calling thread (which then pumps it); title in Shift-JIS.
    bool Create(const std::string& title, int32_t clientWidth, int32_t clientHeight, bool visible = true);
    // Deletes the changer (restoring the display) and closes the window.
    void Destroy();
    bool IsCreated() const { return m_Window != nullptr; }

    WindowHandle GetHandle() const { return m_Window.get(); }
    CPlatformWindow* GetPlatformWindow() const { return m_Window.get(); }
    bool GetClientSize(int32_t* width, int32_t* height) const;

    // Makes the display changer of `kind`, deleting the previous one first.  False when
    // no factory is installed or it made nothing (the window then has no changer).
    bool CreateDisplayChanger(int kind);
    void DeleteDisplayChanger();
    CChangeDisplay* GetDisplayChanger() const { return m_Changer.get(); }
    // The changer's IsChanged; false without a changer.
    bool IsDisplayChanged() const;

    bool SetFullScreen(bool fullScreen);
    bool IsFullScreen() const;
    bool IsActive() const;
    bool IsMinimized() const;
    void ShowCursor(bool visible);
    bool Present(const void* pixels, int32_t width, int32_t height, int32_t pitchBytes);

private:
    std::unique_ptr<CPlatformWindow> m_Window;
    std::unique_ptr<CChangeDisplay> m_Changer;
};
