#include "engine/draw/TextObject.h"

#include <algorithm>
#include <cstdint>

#include "engine/draw/ImagePlane.h"
#include "engine/draw/TextSurface.h"

struct CTextObject::SCell {
    std::unique_ptr<CImagePlane> plane;  // null for a blank or when no glyph could be drawn
    std::unique_ptr<CMotionEffect> effect;
    bool revealed = false;
};

CTextObject::CTextObject() : m_Factory(&m_OwnFactory) {}

CTextObject::~CTextObject() {
    // The effects go before the planes they point at.
    for (SCell& cell : m_Cells) {
        if (cell.effect) m_Factory->Release(std::move(cell.effect));
    }
}

void CTextObject::SetPosition(int32_t x, int32_t y) {
    m_X = x;
    m_Y = y;
    _PlaceCells();
}

void CTextObject::SetDisplayEffect(int32_t effect) {
    effect = std::max(effect, 0);
    if (effect == m_Effect) return;
    m_Effect = effect;
    // Effects are made by number: the characters need new ones.
    Stop();
    m_CellsValid = false;
}

void CTextObject::SetDisplayParams(int32_t effectFrames, int32_t charGap) {
    m_EffectFrames = std::max(effectFrames, 0);
    m_CharsPerStep = 1;
    m_Timed = true;
    m_Interval = std::max(charGap, 0);
    for (SCell& cell : m_Cells) {
        if (cell.effect) cell.effect->SetDuration(m_EffectFrames);
    }
}

void CTextObject::SetCharsPerStep(int32_t chars) { m_CharsPerStep = std::max(chars, 0); }

void CTextObject::SetRevealTiming(bool timed, int32_t interval) {
    m_Timed = timed;
    m_Interval = std::max(interval, 0);
}

void CTextObject::SetStyle(int32_t style) {
    if (style == m_Style) return;
    m_Style = style;
    m_CellsValid = false;
}

void CTextObject::SetColour(uint32_t argb) {
    if ((argb & 0xFFFFFF) != (m_Colour & 0xFFFFFF)) m_CellsValid = false;
    m_Colour = argb;
    for (SCell& cell : m_Cells) {
        if (cell.effect) cell.effect->SetAlpha(_EffectiveAlpha());
    }
}

void CTextObject::SetAlpha(int32_t alpha) {
    m_Alpha = std::clamp(alpha, 0, 255);
    for (SCell& cell : m_Cells) {
        if (cell.effect) cell.effect->SetAlpha(_EffectiveAlpha());
    }
}

void CTextObject::SetMotionFactory(IMotionFactory* factory) {
    Stop();
    for (SCell& cell : m_Cells) {
        if (cell.effect) m_Factory->Release(std::move(cell.effect));
    }
    m_Cells.clear();
    m_CellsValid = false;
    m_Factory = factory ? factory : &m_OwnFactory;
}

int32_t CTextObject::_EffectiveAlpha() const { return m_Alpha * static_cast<int32_t>(m_Colour >> 24) / 255; }

void CTextObject::SetText(const std::string& text) {
    Stop();
    m_Text = text;
    m_LayoutValid = false;
    m_CellsValid = false;
}

void CTextObject::_Relayout() {
    if (m_LayoutValid && m_FontGeneration == m_Font.GetGeneration()) return;
    m_Layout = CTextLayout::Layout(m_Text, m_Font.GetHalfWidth(), m_Font.GetHeight());
    m_FontGeneration = m_Font.GetGeneration();
    m_LayoutValid = true;
    m_CellsValid = false;
}

const STextLayout& CTextObject::GetLayout() {
    _Relayout();
    return m_Layout;
}

void CTextObject::GetSize(int32_t* width, int32_t* height) {
    _Relayout();
    if (width) *width = m_Layout.width;
    if (height) *height = m_Layout.height;
}

size_t CTextObject::GetCharCount() {
    _Relayout();
    return m_Layout.chars.size();
}

void CTextObject::_BuildCell(SCell& cell, const STextChar& c) {
    cell.plane.reset();
    const int32_t margin = CTextSurface::StyleMargin(m_Style);
    CTextSurface surface;
    if (c.code != ' ' && CFont::IsAvailable() && surface.Prepare(c.width + margin, m_Font.GetHeight() + margin) &&
        surface.DrawChar(m_Font, c.code, 0, 0, m_Colour & 0xFFFFFF, m_Style)) {
        auto plane = std::make_unique<CImagePlane>();
        if (TextSurfaceToPlane(surface, plane.get())) cell.plane = std::move(plane);
    }
    if (!cell.effect) cell.effect = m_Factory->Create(m_Effect);
    if (cell.effect) {
        cell.effect->Attach(cell.plane.get());
        if (!cell.plane) cell.effect->SetRect(0, 0, 0, 0);
        cell.effect->SetDuration(m_EffectFrames);
        cell.effect->SetAlpha(_EffectiveAlpha());
    }
}

bool CTextObject::_EnsureCells() {
    _Relayout();
    if (m_CellsValid && m_Cells.size() == m_Layout.chars.size()) return true;
    // A changed text, font, style or effect: everything is built anew, unshown.
    for (SCell& cell : m_Cells) {
        if (cell.effect) m_Factory->Release(std::move(cell.effect));
    }
    m_Cells.clear();
    m_Cells.resize(m_Layout.chars.size());
    for (size_t i = 0; i < m_Cells.size(); ++i) _BuildCell(m_Cells[i], m_Layout.chars[i]);
    m_CellsValid = true;
    _PlaceCells();
    m_Revealed = 0;
    return true;
}

void CTextObject::_PlaceCells() {
    // The sums in 64 bits, held to the int range: a far position must not wrap.
    auto place = [](int32_t origin, int32_t offset) {
        return static_cast<int32_t>(std::clamp<int64_t>(int64_t{origin} + offset, INT32_MIN, INT32_MAX));
    };
    for (size_t i = 0; i < m_Cells.size() && i < m_Layout.chars.size(); ++i) {
        if (m_Cells[i].effect) m_Cells[i].effect->SetParams(place(m_X, m_Layout.chars[i].x), place(m_Y, m_Layout.chars[i].y));
    }
}

void CTextObject::_RevealNext(size_t count) {
    const size_t end = std::min(m_Cells.size(), m_Revealed + count);
    for (; m_Revealed < end; ++m_Revealed) {
        SCell& cell = m_Cells[m_Revealed];
        cell.revealed = true;
        if (!cell.effect) continue;
        if (m_EffectFrames > 0) {
            cell.effect->Start();
        } else {
            cell.effect->Stop();  // no effect length: the character just appears
        }
    }
}

void CTextObject::Start() {
    _EnsureCells();
    for (SCell& cell : m_Cells) {
        cell.revealed = false;
        if (cell.effect) cell.effect->Initialize();
    }
    m_Revealed = 0;
    m_Timer = 0;
    m_State = STATE_REVEALING;
    if (m_CharsPerStep == 0) {
        _RevealNext(m_Cells.size());
    } else {
        _RevealNext(static_cast<size_t>(m_CharsPerStep));
    }
    if (m_Revealed == m_Cells.size() && m_EffectFrames == 0) m_State = STATE_SHOWN;
}

void CTextObject::Stop() {
    for (SCell& cell : m_Cells) {
        cell.revealed = false;
        if (cell.effect) cell.effect->Initialize();
    }
    m_Revealed = 0;
    m_Timer = 0;
    m_State = STATE_IDLE;
}

void CTextObject::Complete() {
    if (m_State == STATE_IDLE || !m_CellsValid) Start();
    _RevealNext(m_Cells.size());
    for (SCell& cell : m_Cells) {
        if (cell.effect) cell.effect->Stop();
    }
    m_State = STATE_SHOWN;
}

void CTextObject::Close() {
    if (m_State == STATE_IDLE || m_State == STATE_CLOSING) return;
    bool any = false;
    for (SCell& cell : m_Cells) {
        if (cell.revealed && cell.effect) {
            cell.effect->Finish();
            any = true;
        }
    }
    m_State = any ? STATE_CLOSING : STATE_IDLE;
    if (!any) Stop();
}

void CTextObject::Clear() {
    Stop();
    for (SCell& cell : m_Cells) {
        if (cell.effect) m_Factory->Release(std::move(cell.effect));
    }
    m_Cells.clear();
    m_CellsValid = false;
    m_Text.clear();
    m_Layout = STextLayout{};
    m_LayoutValid = false;
}

void CTextObject::Update() {
    if (m_State == STATE_IDLE) return;
    for (SCell& cell : m_Cells) {
        if (cell.revealed && cell.effect) cell.effect->Update();
    }
    if (m_State == STATE_REVEALING) {
        if (m_Revealed < m_Cells.size()) {
            const int32_t period = m_Timed ? std::max(m_Interval, 1) : 1;
            if (++m_Timer >= period) {
                m_Timer = 0;
                _RevealNext(m_CharsPerStep == 0 ? m_Cells.size() : static_cast<size_t>(m_CharsPerStep));
            }
        }
        if (m_Revealed == m_Cells.size() &&
            std::none_of(m_Cells.begin(), m_Cells.end(), [](const SCell& c) { return c.effect && c.effect->IsMoving(); })) {
            m_State = STATE_SHOWN;
        }
    } else if (m_State == STATE_CLOSING) {
        if (std::none_of(m_Cells.begin(), m_Cells.end(), [](const SCell& c) { return c.effect && c.effect->IsMoving(); })) {
            Stop();
        }
    }
}

void CTextObject::Draw() {
    if (!m_Visible || m_State == STATE_IDLE) return;
    if (!m_CellsValid || m_FontGeneration != m_Font.GetGeneration()) {
        // The font or the look changed while shown: rebuild and show as far as revealed.
        const size_t revealed = m_Revealed;
        const int32_t state = m_State;
        _EnsureCells();
        _RevealNext(revealed);
        for (SCell& cell : m_Cells) {
            if (cell.effect && cell.revealed) cell.effect->Stop();
        }
        m_State = state == STATE_CLOSING ? STATE_SHOWN : state;
    }
    for (SCell& cell : m_Cells) {
        if (cell.revealed && cell.effect) cell.effect->Draw();
    }
}

void CTextObject::OnDeviceRestored() {
    for (SCell& cell : m_Cells) {
        if (cell.plane) cell.plane->Restore();
    }
}
