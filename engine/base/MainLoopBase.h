#pragma once
// The frame loop of a window thread.  Each pass pumps the window's messages (ending
// when the thread has been asked to end or the window was closed), polls keyboard
// and mouse, runs the frame step and waits for the end of the frame on the frame
// timer.  The game object derives from it and fills the frame step; there is one
// frame loop.
#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/base/FrameTimer.h"
#include "engine/base/Keyboard.h"
#include "engine/base/Mouse.h"
#include "platform/window/WindowMessage.h"

class CAppBase;
class CWindow;

class CMainLoopBase : public IMessageListener {
public:
    // Attaches to the calling thread's application and window (CAppManager): the loop,
    // the keyboard and the mouse hear the window's messages.  `clock` (not owned) drives
    // the frame timer; null is the real clock.
    explicit CMainLoopBase(IFrameClock* clock = nullptr);
    ~CMainLoopBase() override;
    CMainLoopBase(const CMainLoopBase&) = delete;
    CMainLoopBase& operator=(const CMainLoopBase&) = delete;

    // Runs frames until the loop ends, at most `maxFrames` when it is not negative.
    // Returns the number of frames run.
    int64_t Run(int64_t maxFrames = -1);
    // One pass of the loop; false (nothing run) when the loop is to end.
    bool RunFrame();
    // Dispatches the pending messages; false when the loop is to end.
    bool PumpMessages();

    // Asks the loop to end from any thread (through the window's queue when there is one).
    void PostForceClose();
    // Ends the loop at its next pass (window thread).
    void RequestEnd() { m_EndRequested = true; }
    bool IsEndRequested() const;

    WindowHandle GetHWnd() const { return m_HWnd; }
    CWindow* GetWindow() const;

    // 0: the framed window on the desktop's mode.  Another value (16 or 32, bits per
    // pixel): a full-screen window of the client size, the display changed through the
    // window's display changer when it has one.  When the change fails the window goes
    // back to mode 0 and the result is false.
    int GetScreenMode() const { return m_ScreenMode; }
    bool SetScreenMode(int mode);

    CKeyboard& GetKeyboard() { return m_Keyboard; }
    CMouse& GetMouse() { return m_Mouse; }
    CFrameTimer& GetFrameTimer() { return m_FrameTimer; }
    uint64_t GetFrameCount() const { return m_FrameCount; }
    // The window is active and not minimised (updates run only then).
    bool IsWindowActive() const;

    intptr_t OnMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    static constexpr int32_t kClientWidth = 800;
    static constexpr int32_t kClientHeight = 600;

protected:
    // The frame's work after the input poll.  By default: OnUpdate bracketed by the
    // frame timer while the window is active, then OnDraw unless the timer skips it.
    virtual void FrameStep();
    virtual void OnUpdate() {}
    // By default clears the window to black.
    virtual void OnDraw();
    // The close box; by default ends the loop.
    virtual void OnClose() { RequestEnd(); }
    // The display-mode part of SetScreenMode (0 restores).  By default the window's
    // display changer when it has one, else nothing to do (true).
    virtual bool ChangeDisplayMode(int mode);

private:
    CAppBase* m_App = nullptr;
    WindowHandle m_HWnd = nullptr;
    CKeyboard m_Keyboard;
    CMouse m_Mouse;
    CFrameTimer m_FrameTimer;
    std::atomic<bool> m_EndRequested{false};
    int m_ScreenMode = 0;
    uint64_t m_FrameCount = 0;
    std::vector<uint8_t> m_BlackFrame;
};
