#include "game/core/RunningGame.h"

#include <atomic>

#include "engine/base/Log.h"
#include "game/core/GameMain.h"
#include "game/core/InGameScene.h"

namespace {
std::atomic<CGameState*> g_Override{nullptr};
}

CGameState* GetRunningGameState() {
    if (CGameState* state = g_Override.load()) return state;
    CGameMain* game = GetGameMain();
    if (game == nullptr) return nullptr;
    IInGameScene* scene = game->GetRaisingScene();
    return scene != nullptr ? scene->GetGameState() : nullptr;
}

CStatus* GetRunningStatus() {
    CGameState* state = GetRunningGameState();
    return state != nullptr ? &state->GetStatus() : nullptr;
}

int32_t GetRunningParam(int category, int index) {
    CStatus* status = GetRunningStatus();
    return status != nullptr ? status->GetParam(category, index) : 0;
}

bool ResetRunningGame(CGameMain& game) {
    IInGameScene* scene = game.GetRaisingScene();
    if (scene == nullptr) {
        DebugPrintf("ResetRunningGame() ゲーム中シーンがありません");
        return false;
    }
    scene->ResetAll();
    return true;
}

CRunningGameOverride::CRunningGameOverride(CGameState& state) : m_Previous(g_Override.exchange(&state)) {}

CRunningGameOverride::~CRunningGameOverride() { g_Override.store(m_Previous); }

CMainGameScene* GetKeptStage() {
    CGameMain* game = GetGameMain();
    if (game == nullptr) return nullptr;
    IInGameScene* scene = game->GetRaisingScene();
    return scene != nullptr ? scene->GetStage() : nullptr;
}
