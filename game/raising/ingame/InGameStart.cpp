#include "game/raising/ingame/InGameStart.h"

#include "game/raising/ingame/RaisingScene.h"

CGameMain::InGameSceneMaker MakeInGameSceneMaker(int32_t soloMode) {
    return [soloMode](CGameMain& game, bool fresh) -> std::unique_ptr<IInGameScene> {
        auto scene = std::make_unique<CRaisingScene>(game, fresh);
        if (!fresh) scene->SetSoloMode(soloMode);
        return scene;
    };
}
