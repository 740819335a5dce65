#include "game/raising/ingame/EventModes.h"

#include <array>

#include "game/core/GameState.h"
#include "game/raising/event/ChooseCandidate.h"
#include "game/raising/ingame/RaisingScene.h"

// ---- the common frame test and steps ----

void CEventModeBase::Update() {
    m_Owner.Stage().Update();
    if (!m_Owner.Stage().GetScriptEndFlag() || m_Owner.IsScriptRunning()) return;
    _Step();
}

void CEventModeBase::_PlayAndEnd(int32_t kind, int32_t sub) {
    switch (m_Step) {
    case 0:
        m_Owner.StartEvent(kind, sub);
        m_Step = 1;
        break;
    case 1:
        if (!m_Owner.IsScriptRunning()) m_Step = 2;
        break;
    case 2:
        m_Owner.ClearMode();
        m_Step = 3;
        break;
    default: break;
    }
}

void CEventModeBase::_ShowSlide(int n) { m_Owner.ShowSlidePicture(n); }

void CEventModeBase::Draw() { m_Owner.Stage().Draw(); }

void CEventModeBase::OnDeviceRestored() { m_Owner.Stage().OnDeviceRestored(); }

void CEventModeBase::PrepareThumbnail() { DrawStageThumbnail(m_Owner); }

void CEventModeBase::SaveState(CGameState& state) {
    state.SetModeWord(m_ModeId, 0, m_Step);
    state.SetModeWord(m_ModeId, 1, m_Word);
}

void CEventModeBase::LoadState(const CGameState& state) {
    m_Step = state.GetModeWord(m_ModeId, 0);
    m_Word = state.GetModeWord(m_ModeId, 1);
}

// ---- 7: the seasonal event ----

void CSeasonalEventMode::Load() {
    const SStatusWords& w = m_Owner.Status().Words();
    m_Step = 0;
    m_Word = m_Owner.Status().GetParam(107, 0) != 0 && w.seasonDone == 0 ? 1 : 0;
}

void CSeasonalEventMode::_Step() {
    const int32_t kind = m_Owner.Status().GetParam(107, 0);
    switch (m_Step) {
    case 0: m_Step = m_Word != 0 ? 1 : 5; break;
    case 1:
        if (kind >= 2 && kind <= 8) m_Owner.StartEvent(2, kind + 7);
        m_Step = 2;
        break;
    case 2:
    case 6:
        if (!m_Owner.IsScriptRunning()) ++m_Step;
        break;
    case 3:
        _ApplyOutcome(kind);
        m_Owner.ClearMode();
        m_Step = 4;
        break;
    case 5:
        m_Owner.StartEvent(4, 0);
        m_Step = 6;
        break;
    case 7:
        m_Owner.ClearMode();
        m_Step = 8;
        break;
    default: break;
    }
}

void CSeasonalEventMode::_ApplyOutcome(int32_t kind) {
    CStatus& status = m_Owner.Status();
    SStatusWords& w = status.Words();
    switch (kind) {
    case 2: w.seasonDone = 1; break;
    case 3: status.AddItem(33, 1); break;
    case 4: status.AddItem(32, 1); break;
    case 5:
        w.seasonDone = 1;
        status.AddMoney(w.seasonLoss);
        break;
    case 8:
        w.seasonDone = 1;
        status.AddSatietyCopy(w.seasonValue);
        break;
    default: break;  // 6, 7: nothing to give back
    }
}

// ---- 9 and 12: a friend's event ----

CFriendEventMode::CFriendEventMode(CRaisingScene& owner, int32_t modeId)
    : CEventModeBase(owner, modeId), m_Kind(modeId == 9 ? 24 : 50), m_Slide(modeId == 9 ? 17 : 8) {}

void CFriendEventMode::Load() {
    _ShowSlide(m_Slide);
    if (m_Owner.HasEvent(m_Kind, 5)) {
        m_Word = 5;
        return;
    }
    const CStatus& status = m_Owner.Status();
    std::array<bool, 4> eligible{};
    for (int i = 0; i < 4; ++i) eligible[static_cast<size_t>(i)] = status.GetParam(106, 4 + i) / 100 >= 1;
    const int chosen = ChooseCandidate(status, eligible);
    m_Word = chosen < 0 ? 4 : chosen;
}

// ---- 10 and 11 ----

CSingleEventMode::CSingleEventMode(CRaisingScene& owner, int32_t modeId)
    : CEventModeBase(owner, modeId), m_Kind(modeId == 10 ? 25 : 49), m_Slide(modeId == 10 ? 8 : 17) {}
