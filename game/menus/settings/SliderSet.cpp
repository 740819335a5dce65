#include "game/menus/settings/SliderSet.h"

#include <algorithm>

#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "game/menus/kit/MenuSounds.h"

int32_t CSliderSet::ValueAt(int32_t dx, int32_t width) {
    if (dx < 3 || width <= 0) {
        return 0;
    }
    return (dx * 20 / width) * 5 + 5;
}

std::array<CButton::SCell, CButton::kLookCount> SettingsButtonCells(int32_t column, bool lockedLook) {
    return {CButton::SCell{column, 0}, CButton::SCell{column, 1}, CButton::SCell{column, 2}, CButton::SCell{column, 2},
            CButton::SCell{column, lockedLook ? 2 : -1}};
}

void CSliderSet::Load(const SLayout& layout) {
    m_Layout = layout;
    m_Frame.LoadFile(kFrameFile);
    m_Fill.LoadFile(kFillFile);
    m_StepSheet.LoadFile(kStepSheet);
    for (size_t i = 0; i < m_Steps.size(); ++i) {
        CButton& b = m_Steps[i];
        b.SetMomentary(true);
        b.Setup(&m_StepSheet, kStepColumns, kStepRows, SettingsButtonCells(static_cast<int32_t>(i % 2)));
        b.SetPosition(layout.steps[i].x, layout.steps[i].y);
    }
}

void CSliderSet::Lock(const std::array<int32_t, kCount>& values) {
    for (CButton& b : m_Steps) {
        if (b.IsLocked()) {
            b.SetUnchecked();
        }
    }
    for (size_t i = 0; i < kCount; ++i) {
        if (values[i] <= 0) m_Steps[2 * i].Lock();
        if (values[i] >= 100) m_Steps[2 * i + 1].Lock();
    }
}

int CSliderSet::HitSlider(SPoint at) const {
    const int32_t w = m_Fill.GetWidth();
    const int32_t h = m_Fill.GetHeight();
    for (int i = 0; i < kCount; ++i) {
        const SPoint& p = m_Layout.fills[static_cast<size_t>(i)];
        if (at.x >= p.x && at.x < p.x + w && at.y >= p.y && at.y < p.y + h) {
            return i;
        }
    }
    return -1;
}

int32_t CSliderSet::ValueAt(int i, SPoint at) const {
    return ValueAt(at.x - m_Layout.fills[static_cast<size_t>(i)].x, m_Fill.GetWidth());
}

int CSliderSet::Held(CGameMain& game, int32_t* value) {
    const CMouse& mouse = game.GetMouse();
    const bool down = mouse.IsLeftDown();
    // A tap (a touchpad's, a quick click) sends its press and release together, both
    // before the frame reads them: the button is up again, yet the press must move the
    // slider as every button takes it, once, at its point.
    const bool pressed = mouse.IsLeftPressed();
    if (!down && !pressed) {
        m_Taken = -1;
        return -1;
    }
    // A quick drag past an end leaves the rectangle between two frames: read only
    // inside it, the slider would stop short of its end (about 10) with the pointer
    // far past it.  A new press takes whatever slider lies under it.
    if (m_Taken < 0 || pressed) {
        m_Taken = HitSlider(mouse.GetPosition());
    }
    const int taken = m_Taken;
    if (taken >= 0) {
        *value = std::clamp(ValueAt(taken, mouse.GetPosition()), 0, 100);
    }
    if (!down) {
        m_Taken = -1;  // the tap holds nothing after its frame
    }
    return taken;
}

int CSliderSet::PressedStep(CGameMain& game, int32_t* delta) {
    int pressed = -1;
    for (size_t i = 0; i < m_Steps.size(); ++i) {
        if (PlayButtonSounds(game, m_Steps[i])) {
            pressed = static_cast<int>(i / 2);
            *delta = i % 2 == 0 ? -5 : 5;
        }
    }
    return pressed;
}

void CSliderSet::Draw(const std::array<int32_t, kCount>& values, const CMatrix4& matrix) {
    const int32_t w = m_Fill.GetWidth();
    const int32_t h = m_Fill.GetHeight();
    for (size_t i = 0; i < kCount; ++i) {
        m_Frame.DrawMatrix(m_Layout.frames[i].x, m_Layout.frames[i].y, matrix);
    }
    for (size_t i = 0; i < kCount; ++i) {
        const SPoint& p = m_Layout.fills[i];
        const int32_t level = values[i] / 5;
        if (level >= 20) {
            m_Fill.DrawMatrix(p.x, p.y, matrix);
            continue;
        }
        const int32_t shown = (w + 1) * level / 20;
        if (shown > 0) {
            m_Fill.DrawStretchMatrix(SRect{p.x, p.y, p.x + shown, p.y + h}, SRect{0, 0, shown, h}, matrix);
        }
    }
    for (CButton& b : m_Steps) {
        b.Draw(0xFFFFFFFFu, matrix);
    }
}

void CSliderSet::Restore() {
    for (CButton& b : m_Steps) {
        b.Restore();
    }
}

std::array<int32_t, CSliderSet::kCount> SliderValues(const CSystemData& sd, const SSliderFields& fields) {
    std::array<int32_t, CSliderSet::kCount> values{};
    for (size_t i = 0; i < fields.size(); ++i) values[i] = sd.*fields[i];
    return values;
}

void SetSliderValue(CSystemData& sd, const SSliderFields& fields, int slider, int32_t value) {
    sd.*fields[static_cast<size_t>(slider)] = std::clamp(value, 0, 100);
}
