#include "game/raising/ingame/ModeState.h"

#include "game/raising/ingame/RaisingScene.h"

void DrawStageThumbnail(CRaisingScene& scene) {
    CMainGameScene& stage = scene.Stage();
    stage.BuildThumbnail(stage.GetRecord());
    stage.DrawMessageParts();
}

void CModeHostState::Load() {
    if (m_Screen) m_Screen->Load();
}

void CModeHostState::Update() {
    if (!m_Owner.Stage().UpdateStage() && m_Screen) m_Screen->Update();
}

void CModeHostState::Draw() { m_Owner.Stage().DrawWithScreen(m_Screen.get()); }

void CModeHostState::OnDeviceRestored() {
    m_Owner.Stage().OnDeviceRestored();
    if (m_Screen) m_Screen->Restore();
}

void CModeHostState::SaveState(CGameState& state) {
    if (m_Screen) m_Screen->SaveState(state);
}

void CModeHostState::LoadState(const CGameState& state) {
    if (m_Screen) m_Screen->LoadState(state);
}

void CModeHostState::PrepareThumbnail() {
    if (m_Screen) m_Screen->PrepareThumbnail();
}
