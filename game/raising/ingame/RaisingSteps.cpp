// The in-game scene's starts and its step machine, which orders a game's weeks.
#include "engine/base/Log.h"
#include "engine/base/ScriptToolInterface.h"
#include "engine/draw/SceneManager.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/SaveData.h"
#include "game/core/SceneRequest.h"
#include "game/raising/event/EventTable.h"
#include "game/raising/ingame/RaisingScene.h"

namespace {

// The viewer and tool starts open every story flag the scripts test.
void OpenScriptFlags(CStatus& status) {
    for (int index : {25, 24, 26, 28, 29}) status.SetParam(15, index, 1);
}

void StopBankGroups(CGameMain& game, int32_t fadeMs) {
    for (int g = 0; g < 3; ++g) game.GetSoundBank().StopGroup(g, fadeMs);
}

}  // namespace

void CRaisingScene::Load() {
    if (m_Game.m_Viewer) {
        _ViewerLoad();
        return;
    }
    CScriptToolInterface& tool = GetScriptToolLink();
    if (tool.IsConnected()) {
        m_ScriptCounter = 0;
        const std::string script = IsScriptToolLaunch() ? GetScriptToolArg(0) : tool.PostRequest(0);
        LogScriptPlay(*m_Stage, script);
        _ModeNow(2);
        OpenScriptFlags(Status());
        return;
    }
    if (m_Fresh) {
        ResetAll();
        if (const EventRow* row = FindEventRow(m_Game.m_ReplayEventId)) {
            StartEventByIdAs(row->id, row->kind, row->sub);
        }
        m_State.m_Step = 0;
        _ModeNow(2);
        return;
    }
    if (m_SoloMode != 0) SetMode(m_SoloMode, 0, 0);
    // Otherwise the kept scene goes on from the state it holds.
}

bool CRaisingScene::_ViewerLoad() {
    m_ScriptCounter = 0;
    if (m_Game.m_ViewerScripts.empty()) {
        // As a cancelled chooser: nothing to play, the program ends.
        DebugPrintf("CRaisingScene::Load() ビューアのスクリプトがないので終了します");
        m_Game.PostForceClose();
        return false;
    }
    LogScriptPlay(*m_Stage, m_Game.m_ViewerScripts.front());
    _ModeNow(2);
    OpenScriptFlags(Status());
    return true;
}

void CRaisingScene::_ViewerStep() {
    ++m_ScriptCounter;
    if (m_ScriptCounter >= static_cast<int32_t>(m_Game.m_ViewerScripts.size())) {
        m_Game.PostForceClose();
        return;
    }
    LogScriptPlay(*m_Stage, m_Game.m_ViewerScripts[static_cast<size_t>(m_ScriptCounter)]);
    SetMode(2, 0, 0);
}

void CRaisingScene::UpdateStep() {
    if (m_Game.m_Viewer) {
        _ViewerStep();
        return;
    }
    if (GetScriptToolLink().IsConnected()) {
        if (IsScriptToolLaunch() && ++m_ScriptCounter < ParseScriptToolArgs()) {
            LogScriptPlay(*m_Stage, GetScriptToolArg(m_ScriptCounter));
            SetMode(2, 0, 0);
            m_Manager->Update();
        } else {
            m_Game.PostForceClose();
        }
        return;
    }
    if (m_Fresh) {
        if (m_State.m_Step != 0) return;
        if (m_Game.m_GameInProgress != 0) {
            RebuildStage();
        } else {
            StopBankGroups(m_Game, 500);
        }
        m_Game.m_ReplayFlag = 0;
        RequestReturnScene(1, 15);
        m_State.m_Step = 1;
        return;
    }
    if (m_SoloMode != 0) {
        DebugPrintf("CRaisingScene::UpdateStep() モード%dが終わったので終了します", m_SoloMode);
        m_Game.PostForceClose();
        return;
    }
    _StepGame();
}

void CRaisingScene::_PlayEvent(int32_t kind, int32_t sub) {
    StartEvent(kind, sub);
    SetMode(2, 0, 0);
}

void CRaisingScene::AdvanceWeek(CStatus& status) {
    SStatusWords& w = status.Words();
    if (++w.week <= 4) return;
    w.week = 1;
    if (++w.month <= 12) return;
    w.month = 1;
    ++w.year;
}

void CRaisingScene::ApplyMonthStart(CStatus& status) {
    SStatusWords& w = status.Words();
    const int32_t satiety = w.satietyPercent;
    const int rank = status.GetMainRank();
    for (int i = 0; i < 3; ++i) {
        if (rank >= 4 - i && w.rankMonths[i] < 10) ++w.rankMonths[i];
    }
    status.SetParam(130, 0, 0);
    status.SetParam(126, 20, w.seasonGap == 0 ? 1 : 0);
    status.SetParam(126, 21, 0);
    status.SetParam(126, 22, 0);
    if (satiety >= 41) {
        status.SetParam(126, 4, 0);
        status.AddContentment(1);
    } else {
        status.SetParam(126, 4, status.GetParam(126, 4) + 1);
        status.AddContentment(-2);
    }
    status.AddScoreTally(satiety >= 100 ? 3 : satiety >= 80 ? 2 : satiety >= 50 ? 1 : 0);
    w.satietyCopy = satiety < 0 ? 0 : satiety > 100 ? 100 : satiety;
    w.mealDone = 0;
    w.smallExpenseDone = 0;
    if (w.seasonKind == 8) {
        const int32_t c = w.satietyCopy;
        const int32_t taken = c >= 60 ? 50 : c > 10 ? c - 10 : 0;
        w.satietyCopy -= taken;
        w.seasonValue = taken;
    }
}

namespace {

// The steps that only request a mode or play an event (or do nothing) and go on.
struct SPlainStep {
    int32_t step;
    int32_t mode;  // > 0: the mode; 0: the event (kind, sub); -1: nothing
    int32_t kindOrIndex;
    int32_t subOrFrames;
    int32_t next;
};
constexpr SPlainStep kPlainSteps[] = {
    {10004, -1, 0, 0, 10005}, {10005, -1, 0, 0, 10006}, {10006, 0, 0, 1, 10007},
    {12, -1, 0, 0, 13},       {13, -1, 0, 0, 20},       {20, -1, 0, 0, 21},
    {21, 5, 1, 30, 30},       {30, 6, 0, 0, 35},        {35, 0, 60, 0, 40},
    {40, 15, 0, 0, 41},       {41, 0, 3, 0, 42},        {50, 7, 0, 0, 60},
    {100, 9, 0, 0, 110},      {110, 10, 0, 0, 120},     {120, 17, 0, 0, 125},
    {130, 11, 0, 0, 140},     {140, 12, 0, 0, 145},     {145, -1, 0, 0, CRaisingScene::kStepEndOfPlay},
    {160, 0, 52, 0, CRaisingScene::kStepEndAfterHunger},
    {150, 0, 51, 0, 152},     {154, 14, 1, 150, 155},   {155, -1, 0, 0, 156},
};

}  // namespace

void CRaisingScene::_StepGame() {
    CStatus& status = Status();
    SStatusWords& w = status.Words();
    int32_t& step = m_State.m_Step;
    for (const SPlainStep& p : kPlainSteps) {
        if (p.step != step) continue;
        if (p.mode > 0) SetMode(p.mode, p.kindOrIndex, p.subOrFrames);
        if (p.mode == 0) _PlayEvent(p.kindOrIndex, p.subOrFrames);
        step = p.next;
        return;
    }
    switch (step) {
    case 0:
        if (IsTopSceneInTransition()) return;
        m_Stage->SetLayerFill(CMainGameScene::kBackgroundLayer, kBlack);
        _PlayEvent(0, 0);
        step = 10003;
        break;
    case 10003:
    case 10007:
        if (IsScriptRunning()) return;
        step = step == 10003 ? 10004 : 1;
        break;
    case 1:
        w.year = 1;
        w.month = 4;
        w.week = 1;
        step = kStepMonthStart;
        break;
    case 10:
        w.seasonGap = w.seasonKind == 0 ? w.seasonGap + 1 : 0;
        w.lastSeasonKind = w.seasonKind;
        w.lastSeasonDone = w.seasonDone;
        w.seasonKind = 0;
        w.seasonDone = 0;
        w.seasonLoss = 0;
        w.seasonValue = 0;
        SetMode(1, 1, 30);
        step = 11;
        break;
    case 11:
        SetMode(4, 1, 30);
        if (w.month == 1) {
            for (int i = 0; i <= 15; ++i) status.SetParam(134, i, 0);
            for (int i = 4; i <= 7; ++i) status.SetParam(136, i, 0);
        }
        if (w.month == 1 || w.month == 12) status.SetParam(127, 4, 0);
        step = 12;
        break;
    case 42:
        if (w.satietyPercent < 10) {
            step = 160;
            break;
        }
        ApplyMonthStart(status);
        step = 50;
        break;
    case 60:
        if (!(w.year == 1 && w.month == 4 && w.week == 1)) SetMode(8, 0, 0);
        step = 70;
        break;
    case 70:
        status.AddStamina(status.GetRankBonus());
        SetMode(16, 0, 0);
        step = 80;
        break;
    case 80:
        m_Stage->ResetStage();
        _PlayEvent(22, 0);
        step = 90;
        break;
    case 90:
        m_Stage->ResetStage();
        SetMode(13, 0, 0);
        step = 95;
        break;
    case 95: {
        const int32_t week = w.week;
        AdvanceWeek(status);
        if (week < 3) {
            w.mealDone = 0;
            w.smallExpenseDone = 0;
            step = 50;
        } else {
            step = 100;
        }
        break;
    }
    case 125:
        if (HasEvent(53, 0)) m_Stage->StopSoundGroup(0, 800);
        _PlayEvent(53, 0);
        step = 130;
        break;
    case kStepEndOfPlay:
    case kStepEndAfterHunger: _EndOfPlay(); break;
    // The ending branch: built, but no step leads here.
    case 152:
        if (status.GetParam(130, 0) == 1) {
            AdvanceWeek(status);
            step = kStepMonthStart;
        } else {
            _PlayEvent(51, 1);
            step = 154;
        }
        break;
    case 156:
        m_Game.GetSoundBank().StopGroup(0, 0);
        step = 170;
        break;
    case 170:
        RequestGotoScene(18, 0, 0);
        step = 171;
        break;
    case 10000:
        SetMode(1, 1, 60);
        step = 10001;
        break;
    case 10001:
        for (int g = 0; g < 3; ++g) m_Stage->StopSoundGroup(g, 900);
        m_Game.GetSceneManager().EndAll();
        RequestGotoScene(kEndScene, 1, 60);
        step = 10003;
        break;
    default: break;  // 171, -1: nothing more runs
    }
}

void CRaisingScene::_EndOfPlay() {
    StopBankGroups(m_Game, 900);
    m_Game.GetSceneManager().EndAll();
    RequestGotoScene(kEndScene, 1, 60);
    ResetAll();
    m_State.m_Step = kStepNone;
    m_Game.WriteCurrentSave();
    m_Game.GetSaveData().Reset();
    // Play has ended: nothing of it is kept should the program end before the title.
    m_Game.m_GameInProgress = 0;
}
