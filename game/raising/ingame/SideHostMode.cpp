#include "game/raising/ingame/SideHostMode.h"

#include "game/core/GameState.h"

CSideHostMode::CSideHostMode(CRaisingScene& owner) : CModeState(owner) {}

CSideHostMode::~CSideHostMode() { m_Manager.Reset(); }

void CSideHostMode::SetFactory(std::unique_ptr<ISceneFactory> factory) {
    m_Manager.Reset();
    m_Factory = std::move(factory);
    m_Manager.SetFactory(m_Factory.get());
}

void CSideHostMode::Load() { ReturnToMenu(0, 0); }

void CSideHostMode::Update() { m_Manager.Update(); }

void CSideHostMode::Draw() { m_Manager.Draw(); }

void CSideHostMode::OnDeviceRestored() { m_Manager.OnDeviceRestored(); }

void CSideHostMode::PrepareThumbnail() {
    if (CModeState* mode = GetCurrentSideMode()) mode->PrepareThumbnail();
}

void CSideHostMode::ReturnToMenu(int32_t transitionIndex, int32_t frames) { SetSideMode(0, transitionIndex, frames); }

void CSideHostMode::SetSideMode(int32_t id, int32_t transitionIndex, int32_t frames) {
    m_SideModeId = id;
    m_Manager.GoTo(id);
    m_Manager.Transition(transitionIndex, frames);
}

CModeState* CSideHostMode::GetCurrentSideMode() const {
    return dynamic_cast<CModeState*>(m_Manager.GetCurrentScene());
}

void CSideHostMode::SaveSide(CGameState& state, int32_t& word) {
    word = m_SideModeId;
    if (CModeState* mode = GetCurrentSideMode()) mode->SaveState(state);
}

void CSideHostMode::LoadSide(const CGameState& state, int32_t id) {
    m_Manager.Reset();
    m_SideModeId = id;
    m_Manager.GoTo(id);
    m_Manager.Transition(0, 0);
    m_Manager.EndTransition();
    // Made and loaded, not updated: a frame run before its words come back would act on
    // a fresh mode's words (an action would start its event again and lose it).
    m_Manager.RunQueue();
    if (CModeState* mode = GetCurrentSideMode()) mode->LoadState(state);
}
