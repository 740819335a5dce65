#pragma once
// The program's window over SDL2: one client area of a fixed logical size (800 × 600
// for the game), a message queue with a pump, and a chain of message listeners.
//
// Threads: the window is made, pumped and presented on one thread (the window thread,
// which also initialised SDL's video).  PostMessage may be called from any thread.
// In full screen the window covers the display; the logical picture is scaled and
// letterboxed, and mouse positions are mapped back to logical client pixels.
// Under SDL's dummy (headless) video driver everything works except that nothing is shown.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/window/WindowMessage.h"

struct SWindowMessage {
    WindowHandle window = nullptr;
    uint32_t message = WindowMsg::kNull;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

class CPlatformWindow {
public:
    // Opens a window whose client area is `clientWidth` × `clientHeight`, titled with
    // `title` (Shift-JIS, as every text of the program).  Initialises SDL's video on the
    // calling thread when needed.  Null when it fails (PlatformWindowLastError says why).
    static std::unique_ptr<CPlatformWindow> Create(const std::string& title, int32_t clientWidth,
                                                   int32_t clientHeight, bool visible = true);
    ~CPlatformWindow();
    CPlatformWindow(const CPlatformWindow&) = delete;
    CPlatformWindow& operator=(const CPlatformWindow&) = delete;

    // Shows a 32-bit picture (bytes B, G, R, X per pixel, top row first) in the client
    // area, scaled to it (and letterboxed in full screen).  True also when nothing can be
    // shown (headless); false only for a bad picture.
    bool PresentFrame(const void* pixels, int32_t width, int32_t height, int32_t pitchBytes);
    // The logical client size (what PresentFrame fills and mouse positions are given in).
    bool GetClientSize(int32_t* width, int32_t* height) const;
    // The size in pixels of what the window covers on screen now.
    bool GetDrawableSize(int32_t* width, int32_t* height) const;

    // Reads the pending system events (window thread only), turns them into messages
    // and dispatches every queued message to the listeners.  Returns how many messages
    // were dispatched.
    int PumpMessages();
    // Takes the next queued message without dispatching it (after PumpEvents()).
    bool PeekMessage(SWindowMessage* message);
    // Reads the pending system events into the queue without dispatching them.
    void PumpEvents();
    // Queues a message for the window thread (any thread).
    void PostMessage(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
    // Gives a message to the listener chain now (window thread).  Every listener sees
    // it in the order they were added; the answer is the first non-zero answer.
    intptr_t DispatchMessage(const SWindowMessage& message);
    intptr_t SendMessage(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);

    // Listeners are not owned; one listener is added at most once.
    void AddListener(IMessageListener* listener);
    void RemoveListener(IMessageListener* listener);
    size_t GetListenerCount() const;

    // Full screen: a borderless window over the whole display, the picture letterboxed.
    bool SetFullScreen(bool fullScreen);
    bool IsFullScreen() const { return m_FullScreen; }
    bool IsMinimized() const { return m_Minimized; }
    bool IsActive() const { return m_Active; }
    void SetTitle(const std::string& title);
    void Show(bool visible);
    // The system mouse cursor over the client area.
    void ShowCursor(bool visible);
    bool IsCursorShown() const;

    // Where the pointer is on the screen: desktop pixels; while the window is full
    // screen its picture stands for the screen (the display mode the program set), so
    // positions are the picture's pixels.  False when there is no pointer to read (a
    // headless driver).
    bool GetPointerPosition(int32_t* screenX, int32_t* screenY) const;
    // Screen pixels to client pixels: the window's place on the desktop taken off (in
    // full screen the screen is the picture already).  Not clamped: a point off the
    // window stays off it.
    void ScreenToClient(int32_t* x, int32_t* y) const;
    // Tests: the pointer's screen position comes from `provider` (false: no pointer);
    // an empty function gives the system's pointer back.
    using PointerProvider = std::function<bool(int32_t* screenX, int32_t* screenY)>;
    static void SetPointerProvider(PointerProvider provider);

    // Maps a point in window coordinates (as the system's mouse events give them) to
    // logical client pixels; points on the black bars go to the nearest edge.
    void MapToClient(int32_t windowX, int32_t windowY, int32_t* clientX, int32_t* clientY) const;

    // Presents without the graphics card (a second window on another thread, which
    // must not share the card's per-thread state).  Before the first PresentFrame.
    void SetSoftwarePresent(bool softwareOnly);

    // The window's icon: a picture of 0xAARRGGBB pixels, rows top first, no padding.
    // False (PlatformWindowLastError says why) for a bad picture or when the system
    // refuses it; headless drivers accept it and show nothing.
    bool SetIcon(const uint32_t* pixels, int32_t width, int32_t height);
    // SetIcon with an icon resource of the program (WindowIcon.h); false for an unknown name.
    bool SetIconResource(const char* name);
    // The size of the last icon set; 0 x 0 before any.
    void GetIconSize(int32_t* width, int32_t* height) const;

    // SDL's id of the window (events name their window by it).
    uint32_t GetSystemId() const;

    // True when SDL runs without a display (dummy or offscreen driver).
    static bool IsHeadless();
    // How many windows are open in the process.
    static size_t GetWindowCount();

private:
    CPlatformWindow();
    struct SImpl;
    friend struct SWindowRegistry;
    void _Translate(const void* sdlEvent);
    // Window pixels to the picture's (the letterbox mapped back), not clamped.
    void _WindowToPicture(int32_t* x, int32_t* y) const;
    void _Queue(const SWindowMessage& message);

    std::unique_ptr<SImpl> m_Impl;
    int32_t m_ClientWidth = 0;
    int32_t m_ClientHeight = 0;
    std::atomic<bool> m_FullScreen{false};
    std::atomic<bool> m_Minimized{false};
    std::atomic<bool> m_Active{true};
    int32_t m_IconWidth = 0;
    int32_t m_IconHeight = 0;

    mutable std::mutex m_QueueMutex;
    std::deque<SWindowMessage> m_Queue;
    mutable std::mutex m_ListenerMutex;
    std::vector<IMessageListener*> m_Listeners;
};
