#include "game/core/SceneFactory.h"

#include "engine/base/Log.h"
#include "game/core/GameMain.h"
#include "game/core/InGameScene.h"
#include "game/core/RelayScene.h"
#include "game/menus/sample/SampleScenes.h"

std::unique_ptr<CSceneBase> CSceneFactory::CreateScene(int32_t id) {
    if (id == 0) {
        return nullptr;
    }
    if (id < 0 || id > kMaxSceneId) {
        DebugPrintf("CSceneFactory::CreateScene() シーン番号が不正です[%d]", id);
        return nullptr;
    }
    std::unique_ptr<CSceneBase> scene;
    switch (id) {
    case 19: {
        IInGameScene* kept = m_Game.GetRaisingScene();
        if (kept) {
            ++m_Game.m_GameInProgress;
            scene.reset(kept);
        }
        break;
    }
    case 20: scene = m_Game.CreateFreshInGameScene(); break;
    case 21: scene = std::make_unique<CRelayScene>(m_Game, 19); break;
    case 22: scene = std::make_unique<CRelayScene>(m_Game, 20); break;
    case 23: scene = std::make_unique<CLoadRelayScene>(m_Game); break;
    // The developer scenes: the letter viewer and the samples.
    case 26:
    case 27:
    case 28:
    case 29: scene = CreateSampleScene(m_Game, id); break;
    default: break;
    }
    if (!scene) {
        DebugPrintf("CSceneFactory::CreateScene() シーンを作成できません[%d]", id);
    }
    return scene;
}

void CSceneFactory::Release(std::unique_ptr<CSceneBase> object) {
    IInGameScene* kept = m_Game.GetRaisingScene();
    if (kept && object.get() == static_cast<CSceneBase*>(kept)) {
        // The game object keeps its in-game scene for the whole run.
        (void)object.release();
        return;
    }
    object.reset();
}
