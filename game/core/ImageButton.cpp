#include "game/core/ImageButton.h"

void CImageButton::Update(int32_t x, int32_t y, bool decide) {
    CButton::Update(x, y, decide);
    if (HoverBegan()) {
        m_Highlight = 0;
    }
}

void CImageButton::Step() {
    CButton::Step();
    if (IsPointerOver() && !(IsChecked() && IsMomentary())) {
        m_Highlight += kHighlightMax / kHighlightFrames;
        if (m_Highlight > kHighlightMax) {
            m_Highlight = kHighlightMax;
        }
    } else {
        m_Highlight = 0;
    }
}

void CImageButton::Draw(uint32_t colour, const CMatrix4& matrix) {
    if (!HasImage() || !IsVisible()) {
        return;
    }
    const int look = GetCurrentLook();
    const bool hoverLook = look == LOOK_HOVER || look == LOOK_CHECKED_HOVER;
    if (!hoverLook || !IsDisplayOptionOn(OPTION_HIGHLIGHT)) {
        _DrawLook(look, GetPosition().x, GetPosition().y, colour, matrix);
        return;
    }
    // The plain look underneath, the pointer-over look faded in by the highlight.
    const int plain = look == LOOK_HOVER ? LOOK_NORMAL : LOOK_CHECKED;
    _DrawLook(plain, GetPosition().x, GetPosition().y, colour, matrix);
    uint32_t alpha = colour >> 24;
    uint32_t fade = static_cast<uint32_t>(m_Highlight) * 2;
    if (fade > 255) fade = 255;
    alpha = alpha * fade / 255;
    if (alpha > 0) {
        _DrawLook(look, GetPosition().x, GetPosition().y, (alpha << 24) | (colour & 0x00FFFFFFu), matrix);
    }
}

void CImageButton::Reset() {
    CButton::Reset();
    m_Highlight = 0;
}
