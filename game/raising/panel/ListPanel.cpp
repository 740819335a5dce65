#include "game/raising/panel/ListPanel.h"

CListPanel::~CListPanel() { Release(); }

CImageButton* CListPanel::GetItem(int i) {
    if (i == kBack) return &m_BackButton;
    if (i < 0 || i >= kItemCount) return nullptr;
    return &m_Items[static_cast<size_t>(i)];
}

SPoint CListPanel::GetItemHome(int i) const {
    if (i == kBack) return m_BackPos;
    if (i < 0 || i >= kItemCount) return SPoint{};
    return m_ItemPos[static_cast<size_t>(i)];
}

void CListPanel::Open() {
    if (IsOpen()) {
        return;
    }
    m_State = STATE_OPENING;
    if (!m_Background.IsLoaded()) {
        return;
    }
    int32_t w = 0, h = 0;
    m_Background.GetSize(&w, &h);
    m_Alpha.Set(0, 255, kSteps);
    m_ScaleX.Set(0, 1024, -kSteps);
    m_ScaleY.Set(0, 1024, -(kSteps * h / w));
}

void CListPanel::Close() {
    if (!IsOpen()) {
        return;
    }
    m_State = STATE_CLOSING;
    if (!m_Background.IsLoaded()) {
        return;
    }
    int32_t w = 0, h = 0;
    m_Background.GetSize(&w, &h);
    m_Alpha.Set(255, 0, kSteps);
    m_ScaleX.Set(1024, 0, kSteps);
    m_ScaleY.Set(1024, 0, kSteps * h / w);
}

void CListPanel::SetOpen() {
    m_State = STATE_OPEN;
    for (int i = 0; i < kItemCount; ++i) {
        CImageWidget& item = m_Items[static_cast<size_t>(i)];
        if (item.HasImage()) {
            item.SetPosition(m_ItemPos[static_cast<size_t>(i)].x, m_ItemPos[static_cast<size_t>(i)].y);
        }
    }
    if (m_BackButton.HasImage()) {
        m_BackButton.SetPosition(m_BackPos.x, m_BackPos.y);
    }
}

void CListPanel::Release() {
    m_State = STATE_CLOSED;
    m_Background.Release();
    for (CImageWidget& item : m_Items) {
        item.Reset();
    }
    m_ItemSheet.Release();
    m_ItemSheet2.Release();
    m_BackButton.Reset();
    m_BackSheet.Release();
    m_Digits.Clear();
    m_DigitSheet.Release();
    m_NumberA.flags.fill(0);
    m_NumberB.flags.fill(0);
}

void CListPanel::SetCursor(int32_t x, int32_t y, bool decide) {
    const bool open = m_State == STATE_OPEN;
    bool taken = false;
    for (CImageWidget& item : m_Items) {
        if (!item.HasImage()) {
            continue;
        }
        if (open && !taken) {
            item.Update(x, y, decide);
            taken = item.IsHover();
        } else {
            item.Update(-1, -1, false);
        }
    }
    if (m_BackButton.HasImage()) {
        if (open && !taken) {
            m_BackButton.Update(x, y, decide);
        } else {
            m_BackButton.Update(-1, -1, false);
        }
    }
}

bool CListPanel::HoverBegan(int i) const {
    if (i == kBack) return m_BackButton.HoverBegan();
    return i >= 0 && i < kItemCount && m_Items[static_cast<size_t>(i)].HoverBegan();
}

bool CListPanel::BecameChecked(int i) const {
    if (i == kBack) return m_BackButton.BecameChecked();
    return i >= 0 && i < kItemCount && m_Items[static_cast<size_t>(i)].BecameChecked();
}

void CListPanel::Update() {
    if (IsMoving()) {
        m_Alpha.Next();
        m_ScaleX.Next();
        m_ScaleY.Next();
        if (m_Alpha.IsAtEnd() && m_ScaleX.IsAtEnd() && m_ScaleY.IsAtEnd()) {
            if (m_State == STATE_OPENING) {
                SetOpen();
            } else {
                m_State = STATE_CLOSED;
            }
        }
    }
    for (CImageWidget& item : m_Items) {
        item.Step();
    }
    m_BackButton.Step();
}

CMatrix4 CListPanel::_PartMatrix(int32_t u, int32_t v, float sx, float sy) const {
    int32_t w = 0, h = 0;
    m_Background.GetSize(&w, &h);
    const int32_t px = (m_Anchor == ANCHOR_TOP_RIGHT || m_Anchor == ANCHOR_BOTTOM_RIGHT) ? w : 0;
    const int32_t py = (m_Anchor == ANCHOR_BOTTOM_LEFT || m_Anchor == ANCHOR_BOTTOM_RIGHT) ? h : 0;
    CMatrix4 toPivot, scale, back, out;
    MatrixTranslation(&toPivot, static_cast<float>(u - m_X - px), static_cast<float>(v - m_Y - py), 0.0f);
    MatrixScaling(&scale, sx, sy, 0.0f);
    MatrixTranslation(&back, static_cast<float>(m_X + px), static_cast<float>(m_Y + py), 0.0f);
    MatrixMultiply(&out, &toPivot, &scale);
    MatrixMultiply(&out, &out, &back);
    return out;
}

void CListPanel::_DrawDigits(const SNumber& number, bool moving, float sx, float sy) {
    if (!number.flags[NUMBER_SHOWN]) {
        return;
    }
    auto cell = [&](int32_t digit, const SPoint& at) {
        if (moving) {
            DrawCellColored(m_Digits, digit, 0, 0, 0, _PartMatrix(at.x, at.y, sx, sy), 0xFFFFFFFFu);
        } else {
            DrawCell(m_Digits, digit, 0, at.x, at.y, 0xFFFFFFFFu);
        }
    };
    // A negative value has no digit cells; it is not drawn rather than refused every frame.
    const int32_t value = number.value;
    if (value < 0) {
        return;
    }
    if (!number.flags[NUMBER_TWO_DIGITS]) {
        cell(value % 10, number.pos[0]);
        return;
    }
    if (value >= 10) {
        cell((value / 10) % 10, number.pos[0]);
    }
    cell(value % 10, number.pos[1]);
}

void CListPanel::Draw() {
    if (m_State == STATE_CLOSED) {
        return;
    }
    if (m_State == STATE_OPEN) {
        m_Background.Draw(m_X, m_Y, 0xFFFFFFFFu);
        for (CImageWidget& item : m_Items) {
            if (item.HasImage()) item.DrawPlain(0xFFFFFFFFu);
        }
        if (m_BackButton.HasImage() && m_BackShown) m_BackButton.DrawPlain(0xFFFFFFFFu);
        _DrawDigits(m_NumberA, false, 1.0f, 1.0f);
        _DrawDigits(m_NumberB, false, 1.0f, 1.0f);
        return;
    }
    const uint32_t colour = static_cast<uint32_t>(m_Alpha.GetValue()) << 24 | 0x00FFFFFFu;
    const float sx = static_cast<float>(m_ScaleX.GetValue()) * 0.0009765625f;
    const float sy = static_cast<float>(m_ScaleY.GetValue()) * 0.0009765625f;
    m_Background.DrawMatrix(0, 0, _PartMatrix(m_X, m_Y, sx, sy), colour);
    for (int i = 0; i < kItemCount; ++i) {
        CImageWidget& item = m_Items[static_cast<size_t>(i)];
        if (!item.HasImage()) continue;
        const SPoint home = m_ItemPos[static_cast<size_t>(i)];
        item.SetPosition(0, 0);
        item.Draw(colour, _PartMatrix(home.x, home.y, sx, sy));
    }
    if (m_BackButton.HasImage() && m_BackShown) {
        m_BackButton.SetPosition(0, 0);
        m_BackButton.Draw(colour, _PartMatrix(m_BackPos.x, m_BackPos.y, sx, sy));
    }
    _DrawDigits(m_NumberA, true, sx, sy);
    _DrawDigits(m_NumberB, true, sx, sy);
}

void CListPanel::OnDeviceRestored() {
    if (!m_Background.IsLoaded()) {
        return;
    }
    for (CImageWidget& item : m_Items) {
        item.Restore();
    }
    m_BackButton.Restore();
}
