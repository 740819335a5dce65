#include "game/stage/message/BalloonWindow.h"

#include <algorithm>

namespace {

constexpr int32_t kInitialEffect = 0;  // the plain effect

}  // namespace

void SetupBalloonText(CTextObject& text) {
    text.GetFont().SetSize(CBalloonWindow::kFontSize);
    text.SetStyle(8);
    text.SetColour(0xFFFFFFFFu);
    text.SetDisplayEffect(3);
    text.SetDisplayParams(16, 1);
}

SPoint CBalloonWindow::GetTextBoxSize() {
    // Every balloon centres its text in the same box; the measure never changes in a run.
    static const SPoint size = [] {
        CTextObject measure;
        SetupBalloonText(measure);
        std::string box;
        for (int i = 0; i < 24; ++i) box += "■";
        measure.SetText(box);
        SPoint s;
        measure.GetSize(&s.x, &s.y);
        return s;
    }();
    return size;
}

CBalloonWindow::CBalloonWindow(CGameMain* game, CSceneBase* owner) : CMessagePart(game, owner) {
    m_Text.SetAlpha(255);
    SetupBalloonText(m_Text);
    for (auto* slot : {&m_InEffect, &m_OutEffect}) {
        *slot = m_Factory.Create(kInitialEffect);
        (*slot)->SetParams(0, 0);
        (*slot)->SetAlpha(255);
    }
}

CBalloonWindow::~CBalloonWindow() {
    m_Factory.Release(std::move(m_InEffect));
    m_Factory.Release(std::move(m_OutEffect));
}

void CBalloonWindow::SetMarkCells(CImagePlane* picture) { m_Mark.SetCells(picture); }

void CBalloonWindow::SetFrameSheet(CImagePlane* sheet, int32_t count) {
    // A count of 0 would divide by zero when a shape is cut: such a sheet is no sheet.
    m_Sheet = count > 0 ? sheet : nullptr;
    m_ShapeCount = count > 0 ? count : 0;
}

bool CBalloonWindow::SetFrame(int32_t index) {
    ClearFrame();
    m_FrameIndex = index;
    if (!m_Sheet || !m_Sheet->IsLoaded() || index < 0 || index >= m_ShapeCount) return false;
    const int64_t width = m_Sheet->GetWidth();
    const int32_t height = m_Sheet->GetHeight();
    const auto x0 = static_cast<int32_t>(width * index / m_ShapeCount);
    const auto w = static_cast<int32_t>(width * (index + 1) / m_ShapeCount) - x0;
    if (w <= 0 || !m_Shape.Create(w, height) || !m_Shape.CopyRect(*m_Sheet, 0, 0, x0, 0, w, height)) {
        m_Shape.Release();
        return false;
    }
    _AttachEffects(&m_Shape);
    return true;
}

void CBalloonWindow::ClearFrame() {
    m_FrameIndex = -1;
    _AttachEffects(nullptr);
    m_Shape.Release();
}

void CBalloonWindow::_AttachEffects(IImagePlane* plane) {
    if (m_InEffect) m_InEffect->Attach(plane);
    if (m_OutEffect) m_OutEffect->Attach(plane);
}

bool CBalloonWindow::_SetEffect(std::unique_ptr<CMotionEffect>& slot, int32_t effectId, int32_t frames) {
    m_Factory.Release(std::move(slot));
    slot = m_Factory.Create(effectId);
    SetFrame(m_FrameIndex);
    slot->SetParams(m_X, m_Y);
    slot->SetAlpha(m_Alpha);
    slot->SetDuration(frames);
    CloseNow();
    return true;
}

bool CBalloonWindow::SetInEffect(int32_t effectId, int32_t frames) { return _SetEffect(m_InEffect, effectId, frames); }

bool CBalloonWindow::SetOutEffect(int32_t effectId, int32_t frames) { return _SetEffect(m_OutEffect, effectId, frames); }

void CBalloonWindow::SetText(const std::string& text) {
    m_Text.SetText(text);
    _PlaceText();
}

void CBalloonWindow::SetPosition(int32_t x, int32_t y) {
    m_X = x;
    m_Y = y;
    if (m_InEffect) m_InEffect->SetParams(x, y);
    if (m_OutEffect) m_OutEffect->SetParams(x, y);
    _PlaceText();
}

void CBalloonWindow::_PlaceText() {
    if (!m_Sheet) return;
    const SPoint box = GetTextBoxSize();
    int32_t w = 0, h = 0;
    m_Text.GetSize(&w, &h);
    m_Text.SetPosition(m_X + kTextLeft + (box.x - w) / 2, m_Y + kTextTop + (box.y - h) / 2);
}

void CBalloonWindow::SetAlpha(int32_t alpha) {
    m_Alpha = std::clamp(alpha, 0, 255);
    if (m_InEffect) m_InEffect->SetAlpha(m_Alpha);
    if (m_OutEffect) m_OutEffect->SetAlpha(m_Alpha);
    m_Text.SetAlpha(m_Alpha);
}

void CBalloonWindow::Open() {
    CloseNow();
    if (m_InEffect) m_InEffect->Start();
    m_State = STATE_OPENING;
    Update();
}

void CBalloonWindow::Close() {
    ShowNow();
    m_Text.Close();
    m_State = STATE_TEXT_CLOSING;
    Update();
}

void CBalloonWindow::ShowNow() {
    if (m_InEffect) m_InEffect->Stop();
    if (m_OutEffect) m_OutEffect->Stop();
    m_Text.Complete();
    m_State = STATE_SHOWN;
}

void CBalloonWindow::CloseNow() {
    if (m_InEffect) m_InEffect->Initialize();
    if (m_OutEffect) m_OutEffect->Initialize();
    // Nothing shown, but the string stays for the next Open.
    m_Text.Stop();
    m_State = STATE_CLOSED;
}

void CBalloonWindow::Update() {
    m_Mark.Step();
    if (!m_InEffect || !m_OutEffect) return;
    if (m_State >= STATE_OPENING && m_State <= STATE_SHOWN) {
        m_InEffect->Update();
    } else {
        m_OutEffect->Update();
    }
    m_Text.Update();
    switch (m_State) {
        case STATE_OPENING:
            if (!m_InEffect->IsPlaying()) {
                m_Text.Start();
                m_State = STATE_REVEALING;
            }
            break;
        case STATE_REVEALING:
            if (!m_Text.IsRevealing()) ShowNow();
            break;
        case STATE_TEXT_CLOSING:
            if (!m_Text.IsClosing()) {
                m_OutEffect->Finish();
                m_State = STATE_CLOSING;
            }
            break;
        case STATE_CLOSING:
            if (!m_OutEffect->IsFinishing()) CloseNow();
            break;
        default:
            break;
    }
}

void CBalloonWindow::Draw() {
    if (!m_InEffect || !m_OutEffect) return;
    const bool opening = m_State >= STATE_OPENING && m_State <= STATE_SHOWN;
    (opening ? m_InEffect : m_OutEffect)->Draw();
    m_Text.Draw();
    if (opening) m_Mark.Draw(m_X + kMarkLeft, m_Y + kMarkTop);
}

void CBalloonWindow::OnDeviceRestored() {
    if (m_Shape.IsLoaded()) SetFrame(m_FrameIndex);
    m_Text.OnDeviceRestored();
}
