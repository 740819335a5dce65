#include "game/core/Button.h"

#include "engine/base/Log.h"

bool CButton::Setup(CImagePlane* picture, int32_t columns, int32_t rows, const std::array<SCell, kLookCount>& cells) {
    m_Picture = nullptr;
    m_Cells.Clear();
    m_Checked = false;
    m_Locked = false;
    m_Hover = false;
    m_ReleaseCount = 0;
    _ClearEvents();
    m_Position = SPoint{};
    m_HitRect = SRect{};
    if (!m_Cells.Set(picture, columns, rows)) {
        DebugPrintf("CButton::Setup() 画像を分割できません[%dx%d]", columns, rows);
        return false;
    }
    m_Picture = picture;
    m_Columns = columns;
    m_Rows = rows;
    m_Looks = cells;
    SetPosition(0, 0);
    return true;
}

bool CButton::SetupColumn(CImagePlane* picture, int32_t columns, int32_t rows, int32_t column) {
    std::array<SCell, kLookCount> cells;
    for (int i = 0; i < kLookCount; ++i) {
        cells[i] = SCell{column, i};
    }
    return Setup(picture, columns, rows, cells);
}

void CButton::SetPosition(int32_t x, int32_t y) {
    m_Position = SPoint{x, y};
    m_HitRect = GetRect();
}

SRect CButton::GetRect() const {
    int32_t w = 0;
    int32_t h = 0;
    if (m_Picture) {
        m_Cells.GetCellSize(&w, &h);
    }
    return SRect{m_Position.x, m_Position.y, m_Position.x + w, m_Position.y + h};
}

bool CButton::_Contains(int32_t x, int32_t y) const {
    return x >= m_HitRect.left && x < m_HitRect.right && y >= m_HitRect.top && y < m_HitRect.bottom;
}

bool CButton::_AcceptsPointer() const {
    if (m_Checked && m_Momentary) {
        return false;
    }
    return m_Checked ? m_ReactWhenChecked : m_ReactWhenUnchecked;
}

void CButton::_ClearEvents() {
    m_HoverBegan = false;
    m_BecameChecked = false;
    m_BecameUnchecked = false;
    m_ClickedOff = false;
}

void CButton::Update(int32_t x, int32_t y, bool decide) {
    if (!m_Picture) {
        return;
    }
    _ClearEvents();
    if (m_Locked) {
        return;
    }
    if (!m_Visible || !m_Enabled) {
        m_Hover = false;
        return;
    }
    const bool inside = _Contains(x, y);
    if (decide && inside && _AcceptsPointer()) {
        m_Checked = !m_Checked;
        m_ReleaseCount = 0;
        if (m_Checked) {
            m_BecameChecked = true;
        } else {
            m_BecameUnchecked = true;
            m_ClickedOff = true;
        }
    }
    const bool wasHover = m_Hover;
    m_Hover = inside;
    if (inside && !wasHover && _AcceptsPointer()) {
        m_HoverBegan = true;
    }
}

void CButton::Step() {
    if (!m_Picture || m_Locked || !m_Checked || !m_Momentary) {
        return;
    }
    if (++m_ReleaseCount >= m_ReleaseDelay) {
        m_Checked = false;
        m_ReleaseCount = 0;
        m_BecameUnchecked = true;
        m_ClickedOff = false;
    }
}

bool CButton::IsHover() const { return m_Hover && _IsLive() && !m_Locked && _AcceptsPointer(); }

int CButton::GetCurrentLook() const {
    if (m_Locked || !m_Enabled) {
        return LOOK_LOCKED;
    }
    const bool hoverLook = m_Hover && m_DisplayOptions[OPTION_HOVER_LOOK];
    if (m_Checked) {
        return hoverLook ? LOOK_CHECKED_HOVER : LOOK_CHECKED;
    }
    return hoverLook ? LOOK_HOVER : LOOK_NORMAL;
}

void CButton::SetDisplayOption(int option, bool on) {
    if (option < 0 || option >= kDisplayOptionCount) {
        DebugPrintf("CButton::SetDisplayOption() 表示オプション番号が不正です[%d]", option);
        return;
    }
    m_DisplayOptions[static_cast<size_t>(option)] = on;
}

bool CButton::IsDisplayOptionOn(int option) const {
    return option >= 0 && option < kDisplayOptionCount && m_DisplayOptions[static_cast<size_t>(option)];
}

bool CButton::_DrawLook(int look, int32_t x, int32_t y, uint32_t colour, const CMatrix4& matrix) {
    if (look < 0 || look >= kLookCount) {
        return false;
    }
    const SCell& cell = m_Looks[static_cast<size_t>(look)];
    if (cell.row < 0) {
        return false;
    }
    return m_Cells.DrawCellColored(cell.column, cell.row, x, y, matrix, colour);
}

void CButton::Draw(uint32_t colour, const CMatrix4& matrix) {
    if (!m_Picture || !m_Visible) {
        return;
    }
    _DrawLook(GetCurrentLook(), m_Position.x, m_Position.y, colour, matrix);
}

void CButton::DrawPlain(uint32_t colour) {
    CMatrix4 identity;
    MatrixIdentity(&identity);
    Draw(colour, identity);
}

void CButton::Restore() {
    if (m_Picture && !m_Cells.Set(m_Picture, m_Columns, m_Rows)) {
        DebugPrintf("CButton::Restore() 画像を分割できません[%dx%d]", m_Columns, m_Rows);
    }
}

void CButton::Reset() {
    m_Picture = nullptr;
    m_Cells.Clear();
    m_Columns = 0;
    m_Rows = 0;
    m_Looks = {};
    m_Position = SPoint{};
    m_HitRect = SRect{};
    m_ReactWhenUnchecked = true;
    m_ReactWhenChecked = false;
    m_Momentary = false;
    m_ReleaseDelay = kDefaultReleaseDelay;
    m_ReleaseCount = 0;
    m_Checked = false;
    m_Locked = false;
    m_Hover = false;
    m_Visible = true;
    m_Enabled = true;
    m_DisplayOptions = {true, true};
    _ClearEvents();
}

void CButton::SetChecked() {
    m_Checked = true;
    m_Locked = false;
    m_ReleaseCount = 0;
}

void CButton::SetUnchecked() {
    m_Checked = false;
    m_Locked = false;
    m_ReleaseCount = 0;
}

void CButton::Lock() {
    if (m_Picture) {
        m_Locked = true;
    }
}

void CButton::SetVisible(bool on) {
    m_Visible = on;
    if (!on) {
        m_Hover = false;
    }
}

void CButton::Disable() {
    m_Enabled = false;
    m_Hover = false;
}
