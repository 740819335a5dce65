#include "game/raising/ingame/RaisingScene.h"

#include "engine/base/Log.h"
#include "engine/base/ScriptToolInterface.h"
#include "engine/d3d/ScreenRenderer.h"
#include "game/core/GameMain.h"
#include "game/core/SaveData.h"
#include "game/core/SystemData.h"
#include "game/raising/event/EventTable.h"
#include "game/raising/month/MonthEnd.h"
#include "game/raising/ingame/SelectionScene.h"

bool LogScriptPlay(CMainGameScene& stage, const std::string& script) {
    DebugPrintf("スクリプト再生:%s", script.c_str());
    return stage.StartScript(script);
}

CRaisingScene::CRaisingScene(CGameMain& game, bool fresh) : m_Game(game), m_Fresh(fresh) {
    m_Hint.SetOwner(this);
    RecreateStage();
    RecreateSelectionMode();
    CreateModeMachine();
}

CRaisingScene::~CRaisingScene() {
    // The modes first: they use the stage and the selection host.
    if (m_Manager) m_Manager->Reset();
    m_Manager.reset();
    m_Factory.reset();
    m_Selection.reset();
    m_Stage.reset();
}

// ---- building ----

void CRaisingScene::RecreateStage() {
    m_Stage.reset();
    m_Stage = std::make_unique<CMainGameScene>(&m_Game, this, m_Fresh);
    m_Commands.SetScene(m_Stage.get());
    m_Stage->SetTranslatorFactory(&m_Commands);
    m_Stage->SetTurnMachine(std::make_unique<CMonthEnd>());
    if (m_StageSetup) m_StageSetup(*m_Stage);
}

void CRaisingScene::SetStageSetup(StageSetup setup) {
    m_StageSetup = std::move(setup);
    if (m_StageSetup && m_Stage) m_StageSetup(*m_Stage);
}

void CRaisingScene::RecreateSelectionMode() {
    m_Selection.reset();
    m_Selection = std::make_unique<CSelectionHostMode>(*this);
    m_Selection->Load();
}

void CRaisingScene::CreateModeMachine() {
    // Modes that joined through SetMaker stay with the new factory.
    std::map<int32_t, CInGameModeFactory::Maker> makers;
    if (m_Factory) makers = m_Factory->GetMakers();
    if (m_Manager) m_Manager->Reset();
    m_Manager.reset();
    m_Factory = std::make_unique<CInGameModeFactory>(*this);
    m_Factory->SetMakers(std::move(makers));
    m_Manager = std::make_unique<CSceneManager>();
    m_Manager->SetFactory(m_Factory.get());
}

CModeState* CRaisingScene::GetCurrentMode() const {
    return dynamic_cast<CModeState*>(m_Manager->GetCurrentScene());
}

// ---- modes ----

void CRaisingScene::SetMode(int32_t id, int32_t transitionIndex, int32_t frames) {
    m_State.m_ModeId = id;
    m_Manager->GoTo(id);
    m_Manager->Transition(transitionIndex, frames);
}

void CRaisingScene::ClearMode() {
    m_State.m_ModeId = 0;
    m_Manager->GoTo(0);
}

bool CRaisingScene::IsModeIdle() const { return m_Manager->IsIdle() || m_Manager->GetCurrentSceneId() == 0; }

// A mode made now, before anything else runs (viewer, tool and replay starts).
void CRaisingScene::_ModeNow(int32_t id) {
    m_State.m_ModeId = id;
    m_Manager->GoTo(id);
    m_Manager->Transition(0, 0);
    m_Manager->Update();
}

// ---- events ----

// Asked for at each use: the kept scene is built before the game object reads its table.
CEventTable* CRaisingScene::_Table() const { return &m_Game.GetEventTable(); }

bool CRaisingScene::IsScriptRunning() const { return m_Pending != nullptr || !m_Stage->GetScriptEndFlag(); }

bool CRaisingScene::_StartRow(EventRow* row, bool recordLast) {
    m_Pending = row;
    if (row == nullptr) {
        // No event: nothing is left waiting for a follow-up, and a save made now does
        // not bring back the event that ran before.
        m_State.m_EventActive = 0;
        return false;
    }
    CStatus& status = Status();
    m_State.m_EventActive = 1;
    m_State.m_EventId = row->id;
    status.MarkEventSeen(row->id);
    if (recordLast) status.SetLastEvent(row->id, m_State.m_EventKind, m_State.m_EventSub);
    LogScriptPlay(*m_Stage, row->script);
    return true;
}

bool CRaisingScene::StartEvent(int32_t kind, int32_t sub) {
    m_State.m_FollowUpPhase = 0;
    m_State.m_EventKind = kind;
    m_State.m_EventSub = sub;
    return _StartRow(_Table()->SelectEvent(Status(), kind, sub), true);
}

bool CRaisingScene::StartEventById(int32_t id) {
    m_State.m_FollowUpPhase = 0;
    return _StartRow(_Table()->FindRow(id), false);
}

bool CRaisingScene::StartEventById(int32_t id, int32_t kind, int32_t sub) {
    m_State.m_FollowUpPhase = 0;
    m_State.m_EventKind = kind;
    m_State.m_EventSub = sub;
    if (!StartEventById(id)) return false;
    Status().SetLastEvent(id, kind, sub);
    return true;
}

bool CRaisingScene::HasEvent(int32_t kind, int32_t sub) { return SelectEventRow(kind, sub) != nullptr; }

EventRow* CRaisingScene::SelectEventRow(int32_t kind, int32_t sub) { return _Table()->SelectEvent(Status(), kind, sub); }

EventRow* CRaisingScene::FindEventRow(int32_t id) const { return _Table()->FindRow(id); }

namespace {

void ApplyRow(CStatus& status, const EventRow& row) {
    ApplyEventSettings(status, row);
    if (row.kind != 23 || row.sub != 1) return;
    status.AddKind23Value(row.GetKind23Value());
    SStatusWords& w = status.Words();
    switch (row.GetCounterCode()) {
    case 1: ++w.kind23Counter1; break;
    case 2: w.kind23Counter1 = w.kind23Counter2 = 0; break;
    case 3:
    case 4: ++w.kind23Counter2; break;
    default: break;
    }
}

}  // namespace

void CRaisingScene::ApplyEventSettings(int32_t id, int32_t kind, int32_t sub) {
    if (const EventRow* row = FindEventRow(id)) {
        ::ApplyEventSettings(Status(), *row);
        if (kind == 23 && sub == 1) Status().AddKind23Value(row->GetKind23Value());
    }
    m_Pending = nullptr;
    m_State.m_EventActive = 0;
}

void CRaisingScene::ApplyEventRowNow(int32_t id) {
    const EventRow* row = FindEventRow(id);
    ApplyEventSettings(id, row ? row->kind : 0, row ? row->sub : 0);
}

void CRaisingScene::UpdatePendingEvent() {
    if (m_Pending == nullptr || m_State.m_EventActive == 0 || !m_Stage->GetScriptEndFlag()) return;
    const EventRow& row = *m_Pending;
    if (m_State.m_FollowUpPhase != 0) {
        // The chosen event starts in the frame the screen reports its choice.  A save
        // that holds this phase without a selection on screen has nothing left to wait
        // for, so it goes on with the index it holds.
        if (m_State.m_SelectionFlag != 0 && !m_Selection->GetSelection().IsDone()) return;
        const int32_t index = m_State.m_SelectedIndex;
        if (index >= 0 && static_cast<size_t>(index) < row.choices.size()) {
            StartEventById(row.choices[static_cast<size_t>(index)].target);
            return;
        }
        DebugPrintf("CRaisingScene::UpdatePendingEvent() 選択肢の番号が範囲外です[%d/%d] イベント%d", index,
                    static_cast<int>(row.choices.size()), row.id);
        _StartRow(nullptr, false);
        m_State.m_FollowUpPhase = 0;
        return;
    }
    ApplyRow(Status(), row);
    switch (row.next) {
    case EVENT_NEXT_MORE: StartEvent(m_State.m_EventKind, m_State.m_EventSub); break;
    case EVENT_NEXT_JUMP: StartEventById(row.jumpTarget); break;
    case EVENT_NEXT_SELECT:
        if (row.choices.empty()) {
            DebugPrintf("CRaisingScene::UpdatePendingEvent() 選択肢がありません イベント%d", row.id);
            _StartRow(nullptr, false);
            break;
        }
        m_State.m_FollowUpPhase = 1;
        ShowSelection(row.GetSelectionValue(), row.choices.front().picture);
        break;
    default: _StartRow(nullptr, false); break;
    }
}

void CRaisingScene::ShowSelection(int32_t value, const std::string& picture) {
    m_State.m_SelectionFlag = 1;
    m_State.m_SelectionValue = value;
    m_State.m_ChoiceCount = value;
    m_State.m_SelectionPicture = picture;
    m_Selection->GetSelection().LoadSelectionPicture();
}

void CRaisingScene::ShowSlidePicture(int n) {
    m_Slide.HideAll();
    m_Slide.Show(n);
    m_Slide.SetValue(n, kSlideTime);
}

// ---- the frame ----

void CRaisingScene::Update() {
    if (m_Hint.GetState() != CHintWindow::STATE_CLOSED) {
        m_Hint.Update();
    } else {
        UpdatePendingEvent();
        if (m_State.m_SelectionFlag != 0 && m_Selection->GetSelection().IsDone()) {
            m_State.m_SelectionFlag = 0;
            m_Selection->GetSelection().Unload();
        }
        if (IsModeIdle()) UpdateStep();
        if (m_State.m_SelectionFlag == 0) {
            m_Manager->Update();
        } else {
            m_Selection->Update();
        }
        m_Slide.Update();
    }
    // The player's switch hides the event picture panel (the stage steps it itself).
    const CSystemData& settings = m_Game.GetSystemData();
    CEventPanel& panel = m_Stage->GetEventPanel();
    const int32_t state = panel.GetState();
    if (!settings.IsEventPanelOn() && (state == CEventPanel::STATE_OPENING || state == CEventPanel::STATE_SHOWN)) {
        panel.HideNow();
    }
}

bool CRaisingScene::_StageStep() const {
    switch (m_State.m_Step) {
    case 10: case 30: case 35: case 40: case 41: case 42: case 50: case 60: case 70: case 80: case 90:
    case 100: case 110: case 120: case 130: case 140: case 150: case 152: case 154: case 160: case 161:
        return true;
    default: return m_State.m_Step >= 10003 && m_State.m_Step <= 10007;
    }
}

void CRaisingScene::Draw() {
    if (!IsModeIdle()) {
        if (m_State.m_SelectionFlag != 0) {
            m_Selection->Draw();
        } else {
            m_Manager->Draw();
        }
    } else if (_StageStep()) {
        m_Stage->Draw();
    } else if (CScreenRenderer* renderer = m_Game.GetRenderer()) {
        renderer->Clear(kBlack);
    }
    // Laid over whatever the mode drew (the blank fade, the date card and the staff roll
    // included), and gone while the player keeps the window hidden.  The home side draws
    // the card inside its own window.
    if (m_Stage->IsSubFlag()) {
        if (m_State.m_ModeId != 17) m_Slide.Draw();
        m_Stage->GetEventPanel().Draw();
    }
    if (m_Hint.GetState() != CHintWindow::STATE_CLOSED) m_Hint.Draw();
}

void CRaisingScene::OnDeviceRestored() {
    m_Manager->OnDeviceRestored();
    m_Selection->Restore();
    m_Hint.OnDeviceReset();
}

void CRaisingScene::ResetAll() {
    m_Manager->Reset();
    m_State.Reset();
    m_Stage->ResetForRestore();
    m_Hint.Reset();
    m_Slide.ClearValues();
    m_Pending = nullptr;
}

// ---- owners' seams ----

// The window closes itself through its own buttons.
void CRaisingScene::StepHintWindow() { m_Hint.Open(); }

// The kept game's stage, not this scene's: a replay's window (scene 20, whose own stage
// is about to go) ends through here, and the kept game's stage was blanked for it.
void CRaisingScene::RebuildStage() {
    IInGameScene* kept = m_Game.GetRaisingScene();
    if (CMainGameScene* stage = kept ? kept->GetStage() : nullptr) {
        stage->RestoreSnapshot(m_Game.GetSaveData().GetStageSnapshot());
    }
}

void CRaisingScene::SetTalkText(const std::string& picturePath, int32_t eventId) {
    m_Stage->SetTalkText(picturePath, eventId);
}

void CRaisingScene::BeginTalk() { m_Stage->BeginTalk(); }
