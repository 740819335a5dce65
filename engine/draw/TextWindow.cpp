#include "engine/draw/TextWindow.h"

#include "engine/base/AppManager.h"
#include "engine/base/StringUtil.h"
#include "engine/draw/TextLayout.h"

CTextWindow::CTextWindow() {
    m_Text.SetCharsPerStep(0);
    m_Text.SetRevealTiming(false, 0);
}

CTextWindow::~CTextWindow() { Reset(); }

void CTextWindow::SetMaxLength(size_t bytes) {
    m_MaxBytes = bytes;
    if (m_MaxBytes > 0 && m_String.size() > m_MaxBytes) {
        m_String = CTextLayout::CutToBytes(m_String, m_MaxBytes);
        _Show();
    }
}

void CTextWindow::SetColour(uint32_t argb) { m_Text.SetColour(argb); }

void CTextWindow::SetText(const std::string& text) {
    m_String = m_MaxBytes > 0 ? CTextLayout::CutToBytes(text, m_MaxBytes) : text;
    _Show();
}

void CTextWindow::SetPosition(int32_t x, int32_t y) { m_Text.SetPosition(x, y); }

void CTextWindow::_Show() {
    m_Text.SetText(m_String);
    m_Text.Complete();
    m_Dirty = false;
}

void CTextWindow::HandleInput() {
    m_Entry = true;
    m_Composing = false;
    m_PendingLead.clear();
    if (!m_Registered) m_Registered = CAppManager::RegisterApp(this);
}

void CTextWindow::Reset() {
    if (m_Registered) {
        CAppManager::UnregisterApp(this);
        m_Registered = false;
    }
    m_Entry = false;
    m_Composing = false;
    m_PendingLead.clear();
    if (m_Dirty) _Show();
}

void CTextWindow::_Append(const std::string& chars) {
    std::string next = m_String + chars;
    if (m_MaxBytes > 0) next = CTextLayout::CutToBytes(next, m_MaxBytes);
    if (next != m_String) {
        m_String = std::move(next);
        m_Dirty = true;
    }
}

bool CTextWindow::_IsTrailByte(uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

void CTextWindow::_TypeByte(uint8_t b) {
    if (!m_PendingLead.empty()) {
        const std::string lead = m_PendingLead;
        m_PendingLead.clear();
        if (_IsTrailByte(b)) {
            // The trail byte of a double-byte character typed as two messages.
            _Append(lead + static_cast<char>(b));
            return;
        }
        // A lead byte without its trail is dropped; this byte counts on its own.
    }
    if (IsSjisLeadByte(b)) {
        m_PendingLead.assign(1, static_cast<char>(b));
    } else if (b >= 0x20 && b != 0x7F) {
        _Append(std::string(1, static_cast<char>(b)));
    }
}

intptr_t CTextWindow::OnMessage(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t) {
    if (!m_Entry) return 0;
    switch (message) {
    case WindowMsg::kImeStartComposition:
        m_Composing = true;
        break;
    case WindowMsg::kImeEndComposition:
        m_Composing = false;
        break;
    case WindowMsg::kImeChar: {
        // The input method hands over whole characters: nothing pairs with a byte typed
        // before, and a lead byte alone is no character.
        const uint32_t code = static_cast<uint32_t>(wParam) & 0xFFFF;
        m_PendingLead.clear();
        if (code <= 0xFF) {
            if (!IsSjisLeadByte(static_cast<uint8_t>(code))) _TypeByte(static_cast<uint8_t>(code));
        } else if (IsSjisLeadByte(static_cast<uint8_t>(code >> 8)) && _IsTrailByte(static_cast<uint8_t>(code & 0xFF))) {
            _Append(std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)});
        }
        // Anything else is no Shift-JIS character: a stray lead byte or a control byte in
        // the string would change how the bytes after it pair up.
        break;
    }
    case WindowMsg::kChar:
        _TypeByte(static_cast<uint8_t>(wParam & 0xFF));
        break;
    case WindowMsg::kKeyDown:
        if (wParam == VKey::kBack && !m_Composing && !m_PendingLead.empty()) {
            m_PendingLead.clear();  // the half-typed character goes first
        } else if (wParam == VKey::kBack && !m_Composing && !m_String.empty()) {
            m_String = CTextLayout::DropLastChar(m_String);
            m_Dirty = true;
        }
        break;
    default:
        break;
    }
    return 0;
}

void CTextWindow::Update() {
    if (m_Dirty) _Show();
    m_Text.Update();
}

void CTextWindow::Draw() {
    if (m_Dirty) _Show();
    m_Text.Draw();
}

void CTextWindow::OnDeviceRestored() { m_Text.OnDeviceRestored(); }
