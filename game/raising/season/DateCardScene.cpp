#include "game/raising/season/DateCardScene.h"

#include "engine/base/Keyboard.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/season/CellPicture.h"

CD000Scene::~CD000Scene() {
    if (m_UsesWide) m_Owner.GetGameMain().EndWideBackground();
    // Leaving hides the stage's pictures for the card's own last frames only: nothing
    // else turns them on again, and left off every later event, menu and side of the
    // month would play on a black screen.
    m_Owner.Stage().SetTalkLayerOn(true);
}

void CD000Scene::Load() {
    CMainGameScene& stage = m_Owner.Stage();
    stage.SetTalkLayerOn(true);
    stage.ResetStage();
    m_Owner.GetGameMain().BeginWideBackground(false, false);
    m_UsesWide = true;
    for (size_t i = 0; i < m_Pictures.size(); ++i) m_Pictures[i].Load(kPictures[i]);
    const SStatusWords& w = m_Owner.Status().Words();
    m_ShownYear = ShownYear(w.year, w.month);
    m_Month = w.month;
    _BuildDigits();
}

void CD000Scene::_BuildDigits() {
    const int32_t values[4] = {m_ShownYear / 10, m_ShownYear, m_Month / 10, m_Month};
    for (size_t i = 0; i < m_Digits.size(); ++i) {
        // A negative year (a damaged record) still names a cell of the sheet.
        const int32_t digit = ((values[i] % 10) + 10) % 10;
        BuildCellPicture(m_Digits[i], kDigitSheet, kDigitCells, digit);
    }
}

void CD000Scene::_Leave() {
    m_Owner.Stage().SetTalkLayerOn(false);
    m_Owner.EnterMode1();
}

void CD000Scene::Update() {
    CGameMain& game = m_Owner.GetGameMain();
    game.StepWideBackground();
    const bool moving = m_Owner.IsModeInTransition();
    if (!moving && m_State != kLeft &&
        (IsDecidePressed() || IsCancelPressed() || game.GetKeyboard().IsDown(kCtrlKey) || m_Owner.Stage().IsSkipping())) {
        _Leave();
        m_State = kLeft;
        return;
    }
    switch (m_State) {
    case kStart:
        m_Timer = kShowFrames;
        m_State = kCounting;
        break;
    case kCounting:
        if (!moving) --m_Timer;
        if (m_Timer <= 0) m_State = kLeave;
        break;
    case kLeave:
        _Leave();
        m_State = kLeft;
        break;
    default: break;
    }
}

void CD000Scene::Draw() {
    m_Owner.GetGameMain().DrawWideBackground();
    for (size_t i = 0; i < m_Pictures.size(); ++i) {
        if (m_Pictures[i].IsLoaded()) m_Pictures[i].Draw(kPictureAt[i].x, kPictureAt[i].y);
    }
    // The tens go by the shown year: in months 1 to 3 of year 10 the card shows 09.
    const bool shown[4] = {m_ShownYear >= 10, true, m_Month >= 10, true};
    for (size_t i = 0; i < m_Digits.size(); ++i) {
        if (shown[i] && m_Digits[i].IsLoaded()) m_Digits[i].Draw(kDigitAt[i].x, kDigitAt[i].y);
    }
}

void CD000Scene::OnDeviceRestored() { _BuildDigits(); }
