#include "game/core/SceneFactory.h"

#include "engine/base/Log.h"
#include "game/core/GameMain.h"
#include "game/core/InGameScene.h"
#include "game/core/RelayScene.h"
#include "game/menus/music/MusicRoomScene.h"
#include "game/menus/sample/SampleScenes.h"
#include "game/menus/save/SaveLoadScene.h"
#include "game/menus/settings/SystemMenuScene.h"
#include "game/menus/status/GameOverScene.h"
#include "game/menus/status/GuideScene.h"
#include "game/menus/status/StatusPageScene1.h"
#include "game/menus/status/StatusPageScene2.h"
#include "game/menus/title/BootChain.h"
#include "game/menus/title/OpeningScene.h"
#include "game/menus/title/TitleMenuScene.h"
#include "game/menus/viewer/CGViewerScene.h"
#include "game/menus/viewer/ExtraSceneListScene.h"
#include "game/menus/viewer/PlayViewScene.h"

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
    // The save and load screens: (load flag, clear-data flag).
    case 8: scene = std::make_unique<CSaveLoadScene>(m_Game, 0, 0); break;
    case 9: scene = std::make_unique<CSaveLoadScene>(m_Game, 1, 0); break;
    case 10: scene = std::make_unique<CSaveLoadScene>(m_Game, 0, 1); break;
    case 11: scene = std::make_unique<CSaveLoadScene>(m_Game, 1, 1); break;
    // The picture viewer, its full view and the play view.
    case 12: scene = std::make_unique<CCGViewerScene>(m_Game); break;
    case 13: scene = std::make_unique<CExtraSceneListScene>(m_Game); break;
    case 14: scene = std::make_unique<CPlayViewScene>(m_Game); break;
    // The settings menu.
    case 16: scene = std::make_unique<CSystemMenuScene>(m_Game); break;
    // The guide, the game over and the two status pages.
    case 17: scene = std::make_unique<CU000Scene>(m_Game); break;
    case 18: scene = std::make_unique<CV000Scene>(m_Game); break;
    case 24: scene = std::make_unique<CStatusPageScene1>(m_Game); break;
    case 25: scene = std::make_unique<CStatusPageScene2>(m_Game); break;
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
