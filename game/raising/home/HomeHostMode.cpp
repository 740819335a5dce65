#include "game/raising/home/HomeHostMode.h"

#include "engine/base/Log.h"
#include "engine/d3d/ScreenRenderer.h"
#include "game/core/GameMain.h"
#include "game/core/GameState.h"
#include "game/raising/home/HomeActions.h"
#include "game/raising/home/HomeScene.h"
#include "game/raising/ingame/RaisingScene.h"

void HideSlidePictures(CRaisingScene& scene) { scene.GetSlidePanel().CloseAll(); }

void ClearHomeScreen(CRaisingScene& scene) {
    if (CScreenRenderer* renderer = scene.GetGameMain().GetRenderer()) renderer->Clear(CRaisingScene::kBlack);
}

std::unique_ptr<CModeState> CHomeModeFactory::CreateMode(int32_t id) {
    switch (id) {
    case kMenu: return std::make_unique<CHomeMenuMode>(m_Owner);
    case 1: return std::make_unique<CHouseworkMode>(m_Owner);
    case 2: return std::make_unique<COutingMode>(m_Owner);
    case 3: return std::make_unique<CRoomPlayMode>(m_Owner);
    case 4: return std::make_unique<CRestMode>(m_Owner);
    case 5: return std::make_unique<CNursingMode>(m_Owner);
    case kLeave: return std::make_unique<CHomeLeaveMode>(m_Owner);
    default: break;
    }
    if (id >= kFirstRelay && id < kLeave) return std::make_unique<CHomeRelayMode>(m_Owner, id - kFirstRelay);
    DebugPrintf("CHomeModeFactory::CreateMode() モード番号が不正です[%d]", id);
    return nullptr;
}

CHomeHostMode::CHomeHostMode(CRaisingScene& owner) : CSideHostMode(owner) { CreateModeMachine(); }

void CHomeHostMode::Load() { StartHomeMode(CHomeModeFactory::kMenu, 0, 0); }

void CHomeHostMode::CreateModeMachine() { SetFactory(std::make_unique<CHomeModeFactory>(*this)); }

void CHomeHostMode::StartHomeMode(int32_t id, int32_t transitionIndex, int32_t frames) {
    SetSideMode(id, transitionIndex, frames);
    m_Owner.State().m_HomeMode = id;
}

void CHomeHostMode::SaveState(CGameState& state) { SaveSide(state, state.m_HomeMode); }

void CHomeHostMode::LoadState(const CGameState& state) { LoadSide(state, state.m_HomeMode); }

// ---- relays ----

CHomeRelayMode::CHomeRelayMode(CHomeHostMode& host, int32_t target)
    : CModeState(host.GetOwner()), m_Host(host), m_Target(target) {}

void CHomeRelayMode::Load() { HideSlidePictures(m_Owner); }

void CHomeRelayMode::Update() {
    if (m_Done || m_Host.IsHomeInTransition()) return;
    CMainGameScene& stage = m_Owner.Stage();
    stage.SetSkipStopLock(false);
    stage.ResetStage();
    stage.Update();
    m_Done = true;
    m_Host.StartHomeMode(m_Target, 1, 20);
}

void CHomeRelayMode::Draw() { ClearHomeScreen(m_Owner); }

// ---- leaving ----

CHomeLeaveMode::CHomeLeaveMode(CHomeHostMode& host) : CModeState(host.GetOwner()), m_Host(host) {}

void CHomeLeaveMode::Load() {
    m_Step = 0;
    m_Owner.Stage().StopSoundGroup(0, kMusicFadeMs);
    HideSlidePictures(m_Owner);
}

void CHomeLeaveMode::Update() {
    if (m_Step != 0 || m_Host.IsHomeInTransition()) return;
    // The menu's lock must not outlive the home side: skipping could not be stopped by
    // cancel in the events that follow.
    m_Owner.Stage().SetSkipStopLock(false);
    m_Owner.Stage().ResetStage();
    m_Owner.Stage().Update();
    m_Owner.ClearMode();
    m_Step = 1;
}

void CHomeLeaveMode::Draw() { ClearHomeScreen(m_Owner); }
