#include "game/raising/ingame/BasicModes.h"

#include "engine/d3d/ScreenRenderer.h"
#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/raising/ingame/RaisingScene.h"

namespace {

void ClearToBlack(CRaisingScene& scene) {
    if (CScreenRenderer* renderer = scene.GetGameMain().GetRenderer()) renderer->Clear(CRaisingScene::kBlack);
}

}  // namespace

void CBlankMode::Update() {
    if (!m_Owner.IsModeInTransition()) m_Owner.ClearMode();
}

void CBlankMode::Draw() { ClearToBlack(m_Owner); }

void CStageMode::Update() {
    m_Owner.Stage().Update();
    if (m_Owner.Stage().GetScriptEndFlag() && m_Owner.GetPendingEvent() == nullptr &&
        m_Owner.GetModeManager().GetCurrentScene() == this) {
        m_Owner.ClearMode();
    }
}

void CStageMode::Draw() { m_Owner.Stage().Draw(); }

void CStageMode::OnDeviceRestored() { m_Owner.Stage().OnDeviceRestored(); }

void CStageMode::PrepareThumbnail() { DrawStageThumbnail(m_Owner); }

void CPictureMode::Load() { m_Picture.Load(kPicture); }

void CPictureMode::Update() {
    if (!m_Owner.IsModeInTransition() && (IsDecidePressed() || IsCancelPressed())) m_Owner.ClearMode();
}

void CPictureMode::Draw() { m_Picture.Draw(0, 0, 0xFFFFFFFFu); }

void CPictureMode::OnDeviceRestored() { m_Picture.Restore(); }

CMovieModeState::CMovieModeState(CRaisingScene& owner)
    : CModeState(owner), m_Movie(std::make_unique<CMovieMode>(owner, owner.GetGameMain())) {}
