#include "game/raising/letter/LetterMode.h"

#include "game/raising/ingame/RaisingScene.h"

EventRow* CRaisingLetterHost::SelectEventRow(int32_t kind, int32_t sub) { return m_Scene.SelectEventRow(kind, sub); }
EventRow* CRaisingLetterHost::FindEventRow(int32_t id) const { return m_Scene.FindEventRow(id); }
void CRaisingLetterHost::StartEventById(int32_t id, int32_t kind, int32_t sub) { m_Scene.StartEventById(id, kind, sub); }
void CRaisingLetterHost::StartEvent(int32_t kind, int32_t sub) { m_Scene.StartEvent(kind, sub); }
void CRaisingLetterHost::ApplyEventSettings(int32_t id, int32_t kind, int32_t sub) {
    m_Scene.ApplyEventSettings(id, kind, sub);
}
bool CRaisingLetterHost::IsScriptRunning() const { return m_Scene.IsScriptRunning(); }
void CRaisingLetterHost::ClearMode() { m_Scene.ClearMode(); }
void CRaisingLetterHost::SetPendingEvent(EventRow* row) { m_Scene.SetPendingEventRow(row); }
CGameState& CRaisingLetterHost::GetGameState() { return m_Scene.State(); }
CMainGameScene& CRaisingLetterHost::_Stage() const { return m_Scene.Stage(); }

CLetterScreen::CLetterScreen(CRaisingScene& owner)
    : CModeState(owner), m_Host(owner), m_Letter(owner.GetGameMain(), m_Host) {}

void CLetterScreen::PrepareThumbnail() {
    DrawStageThumbnail(m_Owner);
    m_Letter.Draw();
}

CLetterModeState::CLetterModeState(CRaisingScene& owner)
    : CModeHostState(owner, std::make_unique<CLetterScreen>(owner)) {}

void CLetterModeState::Load() {
    CModeHostState::Load();
    m_Owner.Stage().SetMessageOff();
}
