#pragma once
// The one road by which screens read the running game's state and status: the kept
// in-game scene of the calling thread's game object.  Tests point it at a state of
// their own with CRunningGameOverride, so no screen needs a whole game to be tested.
#include "game/core/GameState.h"

class CGameMain;

// The running game's state: the override when one is set, else the kept in-game
// scene's; null when there is neither.
CGameState* GetRunningGameState();
// Its status record, or null.
CStatus* GetRunningStatus();
// A status value of the running game; 0 when no game runs.
int32_t GetRunningParam(int category, int index);

class CMainGameScene;
// The kept in-game scene's stage, or null when the game has none.
CMainGameScene* GetKeptStage();
// Resets the game object's kept in-game scene for a new game; false (logged) when the
// game object has none.
bool ResetRunningGame(CGameMain& game);

// While alive, GetRunningGameState answers `state` on every thread.
class CRunningGameOverride {
public:
    explicit CRunningGameOverride(CGameState& state);
    ~CRunningGameOverride();
    CRunningGameOverride(const CRunningGameOverride&) = delete;
    CRunningGameOverride& operator=(const CRunningGameOverride&) = delete;

private:
    CGameState* m_Previous;
};
