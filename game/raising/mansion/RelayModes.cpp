#include "game/raising/mansion/RelayModes.h"

#include "engine/d3d/ScreenRenderer.h"
#include "game/core/GameMain.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/mansion/MansionHostMode.h"

namespace {

void ClearToBlack(CRaisingScene& scene) {
    if (CScreenRenderer* renderer = scene.GetGameMain().GetRenderer()) renderer->Clear(CRaisingScene::kBlack);
}

// The stage emptied for what comes next: the menu's skip-stop lock goes with it.
void ClearStage(CMainGameScene& stage) {
    stage.SetSkipStopLock(false);
    stage.ResetStage();
    stage.UpdateStage();
}

}  // namespace

void CMansionRelayMode::Load() { m_Owner.GetSlidePanel().HideAll(); }

void CMansionRelayMode::Update() {
    if (m_Sent || m_Host.GetSideManager().IsInTransition()) return;
    ClearStage(m_Owner.Stage());
    m_Host.SetSideMode(m_Target, 1, 20);
    m_Owner.Stage().UpdateStage();
    m_Sent = true;
}

void CMansionRelayMode::Draw() { ClearToBlack(m_Owner); }

void CMansionExitMode::Load() {
    m_Step = 0;
    m_Owner.Stage().StopSoundGroup(0, kMusicFadeMs);
    m_Owner.GetSlidePanel().HideAll();
}

void CMansionExitMode::Update() {
    if (m_Step != 0 || m_Host.GetSideManager().IsInTransition()) return;
    ClearStage(m_Owner.Stage());
    m_Owner.ClearMode();
    m_Step = 1;
}

void CMansionExitMode::Draw() { ClearToBlack(m_Owner); }
