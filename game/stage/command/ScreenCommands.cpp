// The colour fade, the noise picture, screen effects, the branch jump and the month end.
#include "engine/draw/SceneManager.h"
#include "engine/draw/TransitionDirect.h"
#include "game/core/GameMain.h"
#include "game/stage/command/GameCommands.h"
#include "game/stage/scene/MainGameScene.h"

namespace {

constexpr int32_t kTopPicture = 10000;
constexpr int32_t kFadeTransition = -1;
// The script waits this much longer than the fade runs.
constexpr int32_t kFadeWaitExtraMs = 120;

}  // namespace

int32_t CGameCommand50::_Run(CAdvCommand& r, CMainGameScene& scene) {
    const int32_t frames = Frames(r.Ints[0]);
    const int64_t waitMs = r.Ints[0] < 0 ? kFadeWaitExtraMs : static_cast<int64_t>(r.Ints[0]) + kFadeWaitExtraMs;
    CTransitionDirect::SetFadeColor(OpaqueColour(r.Ints[1], r.Ints[2], r.Ints[3]));
    // On the game's own manager, so that the fade covers the whole screen.
    if (CGameMain* game = scene.GetGame()) game->GetSceneManager().Transition(kFadeTransition, frames);
    scene.SetWait(Frames(waitMs), false, false, false, false);
    return RESULT_NEXT_AND_STOP;
}

int32_t CGameCommand51::_Run(CAdvCommand&, CMainGameScene& scene) {
    scene.ShowNoise(kTopPicture);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand52::_Run(CAdvCommand&, CMainGameScene& scene) {
    scene.RemoveLayer(kTopPicture);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand53::_Run(CAdvCommand& r, CMainGameScene& scene) {
    scene.StartScreenEffect(r.Ints[0]);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand54::_Run(CAdvCommand&, CMainGameScene& scene) {
    scene.EndScreenEffect(true);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand60::_Run(CAdvCommand& r, CMainGameScene& scene) {
    if (!scene.IsBranchOn()) return RESULT_NEXT_AND_GO;
    scene.GetRunner().StartAt(r.BranchIds[0]);
    return RESULT_JUMPED;
}

int32_t CGameCommand70::_Run(CAdvCommand&, CMainGameScene& scene) {
    scene.EndMonth();
    return RESULT_NEXT_AND_STOP;
}
