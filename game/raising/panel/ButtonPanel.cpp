#include "game/raising/panel/ButtonPanel.h"

namespace {

struct SPanelType {
    const char* background;
    int32_t x, y;
    const char* sheet;
    int32_t buttonX, buttonY;  // button 1 is 40 pixels below
};

// Types 1 to 8.
constexpr SPanelType kTypes[8] = {
    {"obj\\b000_009.bmp", 224, 192, "obj\\b000_011.bmp", 272, 288},
    {"obj\\b000_010.bmp", 224, 192, "obj\\b000_011.bmp", 272, 288},
    {"obj\\f000_007.bmp", 224, 192, "obj\\b000_011.bmp", 272, 288},
    {"obj\\p000_003.bmp", 272, 336, "obj\\b000_011.bmp", 320, 424},
    {"obj\\p000_004.bmp", 272, 336, "obj\\b000_011.bmp", 320, 424},
    {"obj\\c000_014.bmp", 224, 192, "obj\\c000_015.bmp", 272, 288},
    {"obj\\s000_005.bmp", 80, 184, "obj\\s000_006.bmp", 128, 296},
    {"obj\\t001_000.bmp", 224, 104, "obj\\b000_011.bmp", 272, 200},
};
constexpr int32_t kButtonGap = 40;

}  // namespace

CButtonPanel::~CButtonPanel() {
    m_Background.Release();
    for (CImageButton& b : m_Buttons) {
        b.Reset();
    }
    m_ButtonSheet.Release();
}

bool CButtonPanel::SetupPanelButtons(int32_t type) {
    m_Type = type;
    if (type < 1 || type > 8) {
        return true;
    }
    const SPanelType& t = kTypes[type - 1];
    m_X = t.x;
    m_Y = t.y;
    m_Background.LoadFile(t.background);
    m_ButtonSheet.LoadFile(t.sheet);
    for (int i = 0; i < 2; ++i) {
        CImageButton& b = m_Buttons[static_cast<size_t>(i)];
        b.SetupColumn(&m_ButtonSheet, 2, 5, i);
        b.SetPosition(t.buttonX, t.buttonY + i * kButtonGap);
        b.SetMomentary(true);
    }
    return true;
}

void CButtonPanel::Open() {
    if (IsOpen()) {
        return;
    }
    m_State = STATE_OPENING;
    m_Motion.Open(kSlide, kSteps);
}

void CButtonPanel::Close() {
    if (!IsOpen()) {
        return;
    }
    m_State = STATE_CLOSING;
    m_Motion.Close(kSlide, kSteps);
}

void CButtonPanel::SetOpen() { m_State = STATE_OPEN; }

void CButtonPanel::Release() {
    m_State = STATE_CLOSED;
    m_Background.Release();
    for (CImageButton& b : m_Buttons) {
        b.Reset();
    }
    m_ButtonSheet.Release();
}

void CButtonPanel::SetCursor(int32_t x, int32_t y, bool decide) {
    const bool open = m_State == STATE_OPEN;
    for (CImageButton& b : m_Buttons) {
        if (open) {
            b.Update(x, y, decide);
        } else {
            b.Update(-1, -1, false);
        }
    }
}

bool CButtonPanel::HoverBegan(int i) const { return (i == 0 || i == 1) && m_Buttons[static_cast<size_t>(i)].HoverBegan(); }

bool CButtonPanel::BecameChecked(int i) const {
    return (i == 0 || i == 1) && m_Buttons[static_cast<size_t>(i)].BecameChecked();
}

void CButtonPanel::Update() {
    if (IsMoving()) {
        if (m_Motion.Step()) {
            if (m_State == STATE_OPENING) {
                m_State = STATE_OPEN;
            } else {
                Release();
            }
        }
    }
    for (CImageButton& b : m_Buttons) {
        b.Step();
    }
}

void CButtonPanel::Draw() {
    if (m_State == STATE_CLOSED) {
        return;
    }
    if (m_State == STATE_OPEN) {
        m_Background.Draw(m_X, m_Y, 0xFFFFFFFFu);
        for (CImageButton& b : m_Buttons) {
            b.DrawPlain(0xFFFFFFFFu);
        }
        return;
    }
    const uint32_t colour = m_Motion.GetColour();
    m_Background.Draw(m_X, m_Y + m_Motion.GetOffset(), colour);
    const CMatrix4 slide = m_Motion.GetMatrix();
    for (CImageButton& b : m_Buttons) {
        b.Draw(colour, slide);
    }
}

void CButtonPanel::OnDeviceRestored() {
    if (!m_Background.IsLoaded()) {
        return;
    }
    for (CImageButton& b : m_Buttons) {
        b.Restore();
    }
}
