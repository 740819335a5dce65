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
        const uint32_t code = static_cast<uint32_t>(wParam) & 0xFFFF;
        std::string s;
        if (code > 0xFF) s.push_back(static_cast<char>(code >> 8));
        s.push_back(static_cast<char>(code & 0xFF));
        _Append(s);
        break;
    }
    case WindowMsg::kChar: {
        const uint8_t b = static_cast<uint8_t>(wParam & 0xFF);
        if (!m_PendingLead.empty()) {
            // The trail byte of a double-byte character typed as two messages.
            std::string s = m_PendingLead;
            s.push_back(static_cast<char>(b));
            m_PendingLead.clear();
            _Append(s);
        } else if (IsSjisLeadByte(b)) {
            m_PendingLead.assign(1, static_cast<char>(b));
        } else if (b >= 0x20 && b != 0x7F) {
            _Append(std::string(1, static_cast<char>(b)));
        }
        break;
    }
    case WindowMsg::kKeyDown:
        if (wParam == VKey::kBack && !m_Composing && !m_String.empty()) {
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
