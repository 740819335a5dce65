#pragma once
// The stage's month end: the turn state machine plugged into the stage
// (CMainGameScene::SetTurnMachine), working through the stage's own operations and
// reading the running game's status and occasion, the owner's pending event and the
// stage's script.
#include "game/raising/month/TurnMachine.h"
#include "game/stage/scene/MainGameScene.h"

class CMonthEnd : public IStageTurnMachine {
public:
    void Begin(CMainGameScene& stage) override;
    bool Step(CMainGameScene& stage) override;
    void Reset() override { m_Machine.Reset(); }

    const CTurnMachine& GetMachine() const { return m_Machine; }

    // The month report of the stage's running game; empty while no game runs.
    void BuildReport(CMainGameScene& stage, CSaveRecordStrings& record) override;

private:
    CTurnMachine m_Machine;
};
