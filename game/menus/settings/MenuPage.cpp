#include "game/menus/settings/MenuPage.h"

#include "game/core/Button.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/core/SystemData.h"
#include "game/menus/settings/SystemMenuScene.h"

CMenuPage::CMenuPage(CSystemMenuScene& owner, int32_t id) : m_Owner(owner), m_Id(id) { MatrixIdentity(&m_Transform); }

CGameMain& CMenuPage::Game() { return m_Owner.GetGame(); }
CSystemData& CMenuPage::Settings() { return m_Owner.GetGame().GetSystemData(); }

void CMenuPage::SlideIn() {
    m_State = STATE_SLIDING_IN;
    m_Slide.Set(kSlideDistance, 0, kSlideSteps);
    MatrixTranslation(&m_Transform, static_cast<float>(m_Slide.GetValue()), 0.0f, 0.0f);
}

void CMenuPage::Shown() {
    // Also for the first page, which is shown without sliding.
    m_State = STATE_SHOWN;
    m_Slide.SetStep(m_Slide.GetTotal());
    MatrixIdentity(&m_Transform);
}

void CMenuPage::SlideOut() {
    m_State = STATE_SLIDING_OUT;
    m_Slide.Set(0, -kSlideDistance, kSlideSteps);
    MatrixTranslation(&m_Transform, 0.0f, 0.0f, 0.0f);
}

void CMenuPage::Hidden() {
    m_State = STATE_HIDDEN;
    // By the object, not the id: a page of the same id may already have replaced it.
    m_Owner.GetPages().RemoveObject(this);
}

void CMenuPage::StepSlide() {
    if (m_State != STATE_SLIDING_IN && m_State != STATE_SLIDING_OUT) {
        return;
    }
    m_Slide.Next();
    MatrixTranslation(&m_Transform, static_cast<float>(m_Slide.GetValue()), 0.0f, 0.0f);
    const bool extraDone = _StepExtraSlide();
    if (!m_Slide.IsAtEnd() || !extraDone) {
        return;
    }
    if (m_State == STATE_SLIDING_IN) {
        Shown();
    } else {
        Hidden();
    }
}

void CMenuPage::FeedButtons(std::span<CButton> buttons) {
    // A page that moves takes no pointer: a click would check a button whose setting
    // does not change.
    const SPoint at = TakesClicks() ? Game().GetMouse().GetPosition() : SPoint{-1, -1};
    const bool decide = TakesClicks() && IsDecidePressed();
    for (CButton& b : buttons) {
        b.Update(at.x, at.y, decide);
        b.Step();
    }
}

void CMenuPage::DrawBackground() { m_Background.DrawMatrix(m_BackgroundAt.x, m_BackgroundAt.y, m_Transform); }

void CMenuPage::DrawButtons(std::span<CButton> buttons) {
    for (CButton& b : buttons) {
        b.Draw(0xFFFFFFFFu, m_Transform);
    }
}

void CMenuPage::Draw() {
    if (!IsDrawn()) {
        return;
    }
    DrawBackground();
    DrawButtons(Buttons());
}

void CMenuPage::OnDeviceRestored() {
    for (CButton& b : Buttons()) {
        b.Restore();
    }
}
