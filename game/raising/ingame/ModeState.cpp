#include "game/raising/ingame/ModeState.h"

#include "engine/base/Keyboard.h"
#include "engine/base/Mouse.h"
#include "game/core/GameMain.h"
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

void CModeHostState::UpdateUnderPanel(bool panelOpen) {
    if (!panelOpen) {
        CModeHostState::Update();
        return;
    }
    if (m_Screen) m_Screen->Update();
    CGameMain& game = m_Owner.GetGameMain();
    game.GetKeyboard().SuppressInput(2);
    game.GetMouse().SuppressInput(2);
    m_Owner.Stage().UpdateStage();
    game.GetKeyboard().SuppressInput(0);
    game.GetMouse().SuppressInput(0);
}

void CModeHostState::Draw() {
    CMainGameScene& stage = m_Owner.Stage();
    switch (m_Layer) {
    case ELayer::OVER_WINDOW: stage.DrawOverWindow(m_Screen.get()); break;
    case ELayer::IN_WINDOW: stage.DrawInWindow(m_Screen.get()); break;
    default: stage.DrawWithScreen(m_Screen.get()); break;
    }
}

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
