#pragma once
// The keyboard as the game reads it: fed from the window's messages, polled once a
// frame.  Keys are named by virtual-key code (VKey in platform/window/WindowMessage.h:
// 13 Enter, 17 Ctrl, 27 Esc, 32 Space, 34 Page Down, 37 to 40 the arrows, letters
// and digits by their ASCII codes); the mouse buttons read as keys 1 (left),
// 2 (right) and 4 (middle) too.
#include <array>
#include <cstdint>
#include <mutex>

#include "platform/window/WindowMessage.h"

class CKeyboard : public IMessageListener {
public:
    CKeyboard();

    // Takes key and button messages (and drops every held key when the window loses
    // the focus, since its key-up messages will never come).  Answers 0.
    intptr_t OnMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // The frame's poll: what happened since the previous poll becomes this frame's state.
    void Update();

    // Held at this frame's poll.
    bool IsDown(uint32_t vk) const;
    // Went down since the previous poll (auto-repeat does not count).
    bool IsPressed(uint32_t vk) const;
    // Went up since the previous poll.
    bool IsReleased(uint32_t vk) const;

    // n not 0: clears this frame's presses at once, and the next n polls report no new
    // presses; 0: normal reporting at once.
    void SuppressInput(int updates);
    int GetSuppressCount() const { return m_SuppressCount; }

    // Direct feeding (what the messages do).
    void KeyDown(uint32_t vk, bool repeat = false);
    void KeyUp(uint32_t vk);
    // Lets go of every held key.
    void ReleaseAll();
    // Forgets everything: nothing held, pressed or released.
    void Reset();

private:
    static constexpr size_t kKeys = VKey::kCount;

    mutable std::mutex m_Mutex;
    // Between polls (message side).
    std::array<bool, kKeys> m_Live{};
    std::array<bool, kKeys> m_WentDown{};
    std::array<bool, kKeys> m_WentUp{};
    // This frame's state (poll side).
    std::array<bool, kKeys> m_Down{};
    std::array<bool, kKeys> m_Pressed{};
    std::array<bool, kKeys> m_Released{};
    int m_SuppressCount = 0;
};
