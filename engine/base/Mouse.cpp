#include "engine/base/Mouse.h"

CMouse::CMouse() = default;

intptr_t CMouse::OnMessage(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
    case WindowMsg::kMouseMove: Move(WindowMsg::PointX(lParam), WindowMsg::PointY(lParam)); break;
    case WindowMsg::kLButtonDown:
    case WindowMsg::kLButtonDblClk:
        Move(WindowMsg::PointX(lParam), WindowMsg::PointY(lParam));
        ButtonDown(kLeft, message == WindowMsg::kLButtonDblClk);
        break;
    case WindowMsg::kLButtonUp:
        Move(WindowMsg::PointX(lParam), WindowMsg::PointY(lParam));
        ButtonUp(kLeft);
        break;
    case WindowMsg::kRButtonDown:
        Move(WindowMsg::PointX(lParam), WindowMsg::PointY(lParam));
        ButtonDown(kRight);
        break;
    case WindowMsg::kRButtonUp:
        Move(WindowMsg::PointX(lParam), WindowMsg::PointY(lParam));
        ButtonUp(kRight);
        break;
    case WindowMsg::kMButtonDown:
        Move(WindowMsg::PointX(lParam), WindowMsg::PointY(lParam));
        ButtonDown(kMiddle);
        break;
    case WindowMsg::kMButtonUp:
        Move(WindowMsg::PointX(lParam), WindowMsg::PointY(lParam));
        ButtonUp(kMiddle);
        break;
    case WindowMsg::kMouseWheel: Wheel(WindowMsg::WheelDelta(wParam)); break;
    case WindowMsg::kMouseLeave: Leave(); break;
    case WindowMsg::kKillFocus: ReleaseAll(); break;
    case WindowMsg::kActivate:
        if (wParam == 0) ReleaseAll();
        break;
    default: break;
    }
    return 0;
}

void CMouse::Move(int32_t x, int32_t y) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_LivePos = SPoint{x, y};
    m_LiveInside = true;
}

void CMouse::ButtonDown(EButton b, bool doubleClick) {
    if (b < 0 || b >= kButtonCount) return;
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!m_LiveDown[b]) {
        m_WentDown[b] = true;
        m_ClickArmed[b] = true;
    }
    m_LiveDown[b] = true;
    if (doubleClick && b == kLeft) {
        m_DoubleDone = true;
    }
}

void CMouse::ButtonUp(EButton b) {
    if (b < 0 || b >= kButtonCount) return;
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (m_LiveDown[b]) {
        m_WentUp[b] = true;
        if (m_ClickArmed[b]) {
            m_ClickDone[b] = true;
        }
    }
    m_LiveDown[b] = false;
    m_ClickArmed[b] = false;
}

void CMouse::Wheel(int32_t delta) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_WheelAccum += delta;
}

void CMouse::Leave() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_LiveInside = false;
}

void CMouse::ReleaseAll() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    for (int b = 0; b < kButtonCount; ++b) {
        if (m_LiveDown[b]) {
            m_WentUp[b] = true;
        }
        m_LiveDown[b] = false;
        // A button let go outside the game's sight is no click.
        m_ClickArmed[b] = false;
    }
}

void CMouse::Reset() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_LivePos = m_Pos = SPoint{};
    m_LiveInside = m_Inside = false;
    for (int b = 0; b < kButtonCount; ++b) {
        m_LiveDown[b] = m_WentDown[b] = m_WentUp[b] = m_ClickArmed[b] = m_ClickDone[b] = false;
        m_Down[b] = m_Pressed[b] = m_Released[b] = m_Clicked[b] = false;
    }
    m_DoubleDone = m_Double = false;
    m_WheelAccum = m_Wheel = 0;
}

void CMouse::Update() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    bool suppressed = m_SuppressCount > 0;
    m_Pos = m_LivePos;
    m_Inside = m_LiveInside;
    for (int b = 0; b < kButtonCount; ++b) {
        m_Down[b] = m_LiveDown[b];
        m_Pressed[b] = m_WentDown[b] && !suppressed;
        m_Released[b] = m_WentUp[b];
        m_Clicked[b] = m_ClickDone[b] && !suppressed;
        m_WentDown[b] = m_WentUp[b] = m_ClickDone[b] = false;
        if (suppressed) {
            // A press swallowed now must not turn into a click later.
            m_ClickArmed[b] = false;
        }
    }
    m_Double = m_DoubleDone && !suppressed;
    m_DoubleDone = false;
    // Whole notches; a remainder of a fine-grained wheel waits for the next frame.
    m_Wheel = m_WheelAccum / WindowMsg::kWheelDelta;
    m_WheelAccum -= m_Wheel * WindowMsg::kWheelDelta;
    if (suppressed) {
        --m_SuppressCount;
    }
}

SPoint CMouse::GetPosition() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Pos;
}

bool CMouse::IsInside() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Inside;
}

int32_t CMouse::GetWheel() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Wheel;
}

bool CMouse::IsDown(EButton b) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return b >= 0 && b < kButtonCount && m_Down[b];
}

bool CMouse::IsPressed(EButton b) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return b >= 0 && b < kButtonCount && m_Pressed[b];
}

bool CMouse::IsReleased(EButton b) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return b >= 0 && b < kButtonCount && m_Released[b];
}

bool CMouse::IsClicked(EButton b) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return b >= 0 && b < kButtonCount && m_Clicked[b];
}

bool CMouse::IsDoubleClicked() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Double;
}

int CMouse::_ButtonOfKey(uint32_t vk) {
    switch (vk) {
    case VKey::kLButton: return kLeft;
    case VKey::kRButton: return kRight;
    case VKey::kMButton: return kMiddle;
    default: return -1;
    }
}

bool CMouse::IsKeyDown(uint32_t vk) const {
    int b = _ButtonOfKey(vk);
    return b >= 0 && IsDown(static_cast<EButton>(b));
}

bool CMouse::IsKeyPressed(uint32_t vk) const {
    int b = _ButtonOfKey(vk);
    return b >= 0 && IsPressed(static_cast<EButton>(b));
}

void CMouse::SuppressInput(int updates) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_SuppressCount = updates > 0 ? updates : 0;
    if (m_SuppressCount > 0) {
        for (int b = 0; b < kButtonCount; ++b) {
            m_Pressed[b] = false;
            m_Clicked[b] = false;
            m_WentDown[b] = false;
            m_ClickDone[b] = false;
            m_ClickArmed[b] = false;
        }
        m_Double = false;
        m_DoubleDone = false;
    }
}
