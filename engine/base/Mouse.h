#pragma once
// The mouse as the game reads it: fed from the window's messages, polled once a frame.
// Positions are client pixels of the 800 × 600 picture (mapped back from the
// letterboxed full screen by the window).
#include <cstdint>
#include <mutex>

#include "engine/base/Geometry.h"
#include "platform/window/WindowMessage.h"

class CMouse : public IMessageListener {
public:
    enum EButton { kLeft = 0, kRight = 1, kMiddle = 2, kButtonCount = 3 };

    CMouse();

    intptr_t OnMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // The frame's poll.
    void Update();

    // The pointer in client pixels; (0, 0) until the pointer has been over the window.
    SPoint GetPosition() const;
    bool IsInside() const;
    // Wheel notches of this frame: positive away from the user, 0 for none.
    int32_t GetWheel() const;

    bool IsDown(EButton button) const;
    // Went down since the previous poll.
    bool IsPressed(EButton button) const;
    // Went up since the previous poll.
    bool IsReleased(EButton button) const;
    // Went down and up again, both over the window, with the release since the previous poll.
    bool IsClicked(EButton button) const;
    bool IsDoubleClicked() const;

    bool IsLeftDown() const { return IsDown(kLeft); }
    bool IsLeftPressed() const { return IsPressed(kLeft); }
    bool IsLeftReleased() const { return IsReleased(kLeft); }
    bool IsLeftClicked() const { return IsClicked(kLeft); }
    bool IsRightDown() const { return IsDown(kRight); }
    bool IsRightPressed() const { return IsPressed(kRight); }
    bool IsRightReleased() const { return IsReleased(kRight); }
    bool IsRightClicked() const { return IsClicked(kRight); }

    // Tests by virtual-key code: 1 left, 2 right, 4 middle; false for other codes.
    bool IsKeyDown(uint32_t vk) const;
    bool IsKeyPressed(uint32_t vk) const;

    // n not 0: clears this frame's press and click flags at once, and the next n polls
    // report no new presses or clicks; 0: normal reporting.
    void SuppressInput(int updates);
    int GetSuppressCount() const { return m_SuppressCount; }

    // Direct feeding (what the messages do).
    void Move(int32_t x, int32_t y);
    void ButtonDown(EButton button, bool doubleClick = false);
    void ButtonUp(EButton button);
    void Wheel(int32_t delta);  // in 120ths of a notch
    void Leave();
    void ReleaseAll();
    void Reset();

private:
    static int _ButtonOfKey(uint32_t vk);

    mutable std::mutex m_Mutex;
    // Between polls.
    SPoint m_LivePos;
    bool m_LiveInside = false;
    bool m_LiveDown[kButtonCount] = {};
    bool m_WentDown[kButtonCount] = {};
    bool m_WentUp[kButtonCount] = {};
    bool m_ClickArmed[kButtonCount] = {};
    bool m_ClickDone[kButtonCount] = {};
    bool m_DoubleDone = false;
    int32_t m_WheelAccum = 0;
    // This frame.
    SPoint m_Pos;
    bool m_Inside = false;
    bool m_Down[kButtonCount] = {};
    bool m_Pressed[kButtonCount] = {};
    bool m_Released[kButtonCount] = {};
    bool m_Clicked[kButtonCount] = {};
    bool m_Double = false;
    int32_t m_Wheel = 0;
    int m_SuppressCount = 0;
};
