#include "game/core/SceneFactory.h"

#include "engine/base/Log.h"
#include "game/core/GameMain.h"
#include "game/core/InGameScene.h"
#include "game/core/RelayScene.h"
#include "game/menus/music/MusicRoomScene.h"
#include "game/menus/sample/SampleScenes.h"
#include "game/menus/title/BootChain.h"
#include "game/menus/title/OpeningScene.h"
#include "game/menus/title/TitleMenuScene.h"

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
    case 1: scene = std::make_unique<CExitRelayScene>(m_Game); break;
    case 2: scene = std::make_unique<CBootScene>(m_Game); break;
    case 3: scene = std::make_unique<CLogoScene1>(m_Game); break;
    case 4: scene = std::make_unique<CLogoScene2>(m_Game); break;
    case 5: scene = std::make_unique<CLogoScene3>(m_Game); break;
    case 6: scene = std::make_unique<COpeningScene>(m_Game); break;
    case 7: scene = std::make_unique<CTitleMenuScene>(m_Game); break;
    // The music room.
    case 15: scene = std::make_unique<CMusicRoomScene>(m_Game); break;
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
    // The developer sample scenes.
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
