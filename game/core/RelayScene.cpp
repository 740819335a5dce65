#include "game/core/RelayScene.h"

#include "engine/base/Log.h"
#include "engine/d3d/ScreenRenderer.h"
#include "engine/draw/SceneManager.h"
#include "game/core/GameMain.h"
#include "game/core/InGameScene.h"

void CRelayScene::Update() {
    CSceneManager& manager = m_Game.GetSceneManager();
    if (m_Requested || manager.IsInTransition()) {
        return;
    }
    m_Requested = true;
    OnLeave();
    manager.GoTo(m_Target);
    manager.Transition(kTransition, kFrames);
}

void CRelayScene::Draw() {
    if (CScreenRenderer* renderer = m_Game.GetRenderer()) {
        renderer->Clear(0xFF000000u);
    }
}

void CLoadRelayScene::OnLeave() {
    IInGameScene* kept = m_Game.GetRaisingScene();
    if (!kept) {
        DebugPrintf("CLoadRelayScene::Update() ゲーム中シーンがありません");
        return;
    }
    kept->RestoreFromSave(m_Game.GetSaveData());
}
