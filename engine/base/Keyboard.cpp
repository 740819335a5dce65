#include "engine/base/Keyboard.h"

CKeyboard::CKeyboard() = default;

intptr_t CKeyboard::OnMessage(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
    case WindowMsg::kKeyDown:
    case WindowMsg::kSysKeyDown:
        KeyDown(static_cast<uint32_t>(wParam), (lParam & (intptr_t(1) << 30)) != 0);
        break;
    case WindowMsg::kKeyUp:
    case WindowMsg::kSysKeyUp:
        KeyUp(static_cast<uint32_t>(wParam));
        break;
    case WindowMsg::kLButtonDown:
    case WindowMsg::kLButtonDblClk: KeyDown(VKey::kLButton); break;
    case WindowMsg::kLButtonUp: KeyUp(VKey::kLButton); break;
    case WindowMsg::kRButtonDown: KeyDown(VKey::kRButton); break;
    case WindowMsg::kRButtonUp: KeyUp(VKey::kRButton); break;
    case WindowMsg::kMButtonDown: KeyDown(VKey::kMButton); break;
    case WindowMsg::kMButtonUp: KeyUp(VKey::kMButton); break;
    case WindowMsg::kKillFocus: ReleaseAll(); break;
    case WindowMsg::kActivate:
        if (wParam == 0) ReleaseAll();
        break;
    default: break;
    }
    return 0;
}

void CKeyboard::KeyDown(uint32_t vk, bool repeat) {
    if (vk == 0 || vk >= kKeys) {
        return;
    }
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!repeat && !m_Live[vk]) {
        m_WentDown[vk] = true;
    }
    m_Live[vk] = true;
}

void CKeyboard::KeyUp(uint32_t vk) {
    if (vk == 0 || vk >= kKeys) {
        return;
    }
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (m_Live[vk]) {
        m_WentUp[vk] = true;
    }
    m_Live[vk] = false;
}

void CKeyboard::ReleaseAll() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    for (size_t k = 0; k < kKeys; ++k) {
        if (m_Live[k]) {
            m_WentUp[k] = true;
            m_Live[k] = false;
        }
    }
}

void CKeyboard::Reset() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Live.fill(false);
    m_WentDown.fill(false);
    m_WentUp.fill(false);
    m_Down.fill(false);
    m_Pressed.fill(false);
    m_Released.fill(false);
}

void CKeyboard::Update() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    bool suppressed = m_SuppressCount > 0;
    for (size_t k = 0; k < kKeys; ++k) {
        m_Down[k] = m_Live[k];
        m_Pressed[k] = m_WentDown[k] && !suppressed;
        m_Released[k] = m_WentUp[k];
    }
    m_WentDown.fill(false);
    m_WentUp.fill(false);
    if (suppressed) {
        --m_SuppressCount;
    }
}

bool CKeyboard::IsDown(uint32_t vk) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return vk < kKeys && m_Down[vk];
}

bool CKeyboard::IsPressed(uint32_t vk) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return vk < kKeys && m_Pressed[vk];
}

bool CKeyboard::IsReleased(uint32_t vk) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return vk < kKeys && m_Released[vk];
}

void CKeyboard::SuppressInput(int updates) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_SuppressCount = updates > 0 ? updates : 0;
    // As the mouse does: a key that one part of the frame has answered is not seen again
    // by the part that runs under the suppression.
    if (m_SuppressCount > 0) m_Pressed.fill(false);
}
