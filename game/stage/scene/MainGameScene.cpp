#include "game/stage/scene/MainGameScene.h"

#include <algorithm>

#include "engine/base/Keyboard.h"
#include "engine/base/Log.h"
#include "engine/base/Mouse.h"
#include "engine/base/ScriptToolInterface.h"
#include "engine/draw/SceneManager.h"
#include "engine/file/File.h"
#include "engine/file/TextReader.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/HouseLayout.h"
#include "game/core/ReadHistory.h"
#include "game/core/SaveData.h"
#include "game/core/SceneRequest.h"
#include "game/core/SystemData.h"
#include "game/menus/unlock/PlayViewTable.h"
#include "game/raising/event/EventRow.h"
#include "game/raising/event/EventTable.h"
#include "game/stage/scene/StageTables.h"

namespace {

constexpr int32_t kCallTransition = 1;
constexpr int32_t kCallFrames = 15;
constexpr int32_t kLeaveFrames = 60;
constexpr int32_t kLeaveFadeMs = 900;
constexpr int32_t kReturnFadeMs = 400;
// The buttons that hold a state (skip, auto, the event panel) rather than act once.
constexpr int32_t kToggleButtons[] = {2, 3, 16};
// The auto wait of the auto button: a line of ten full-width spaces.
constexpr const char* kAutoSpaces = "　　　　　　　　　　";

}  // namespace

CMainGameScene::CMainGameScene(CGameMain* game, IStageOwner* owner, bool branch)
    : m_Game(game),
      m_Owner(owner),
      m_EventPanel(game),
      m_Branch(branch),
      m_Sound(&m_Record, game ? &game->GetSoundBank() : nullptr, game ? &game->GetSystemData() : nullptr),
      m_Message(*this) {
    m_Record.Reset();
    m_EventPanel.SetEventNameSource([](int32_t id) -> std::string {
        CGameMain* g = GetGameMain();
        return g ? g->GetEventTable().GetEventName(id) : std::string();
    });
    Init();
    ShowColorFill(kBackgroundLayer, kBlack);
    _LoadTables();
    _SyncButtons();
}

CMainGameScene::~CMainGameScene() {
    m_DrawList.Clear();
    m_Runner.reset();
    m_Window.reset();
    m_Talk.reset();
}

void CMainGameScene::Init() {
    m_DrawList.Clear();
    m_Runner.reset();
    m_Window.reset();
    m_Talk.reset();
    m_Talk = std::make_unique<CTalkObjectManager>(m_Game, this);
    m_Window = std::make_unique<CMessageWindow>(m_Game, this, m_Branch);
    m_Runner = std::make_unique<CAdvCommandControl>(m_Factory);
    if (m_Settings) {
        m_Talk->SetSystemData(m_Settings);
        m_Window->SetSystemData(m_Settings);
    }
    m_DrawList.Add(m_Talk.get(), kTalkPriority);
    m_DrawList.Add(m_Window.get(), kWindowPriority);
}

void CMainGameScene::SetTranslatorFactory(IAdvTranslatorFactory* factory) {
    m_Factory = factory;
    m_Runner->SetFactory(factory);
}

void CMainGameScene::SetSystemData(CSystemData* data) {
    m_Settings = data;
    CSystemData* settings = GetSettings();
    m_Talk->SetSystemData(settings);
    m_Window->SetSystemData(settings);
    m_Sound.SetSystemData(settings);
}

CSystemData* CMainGameScene::GetSettings() const {
    if (m_Settings) return m_Settings;
    return m_Game ? &m_Game->GetSystemData() : nullptr;
}

bool CMainGameScene::_EffectsOn() const {
    const CSystemData* settings = GetSettings();
    return !settings || settings->IsEffectsOn();
}

void CMainGameScene::_LoadTables() {
    CTextReader voices;
    if (voices.Load(kVoiceTable)) {
        m_Sound.SetRedirected(ReadRedirectedVoices(voices));
    } else {
        ReportUnreadableFile("CMainGameScene::_LoadTables()", kVoiceTable);
    }
    CTextReader house;
    if (house.Load(kHouseTable)) {
        const SHouseLists lists = ReadHouseLists(house);
        SetHouseLayoutLists(lists.layout1, lists.layout2);
    } else {
        ReportUnreadableFile("CMainGameScene::_LoadTables()", kHouseTable);
    }
}

// ---- scripts ----

bool CMainGameScene::StartScript(const std::string& path) { return StartScriptAt(path, 1); }

bool CMainGameScene::StartScriptAt(const std::string& path, int32_t id) {
    m_ScriptEnd = false;
    m_Record.m_ScriptName = path;
    m_Record.m_RecordId = id;
    GetScriptToolLink().WriteBlock(path);
    if (!m_Runner->LoadCompiled(path)) {
        DebugPrintf("CMainGameScene::StartScriptAt() スクリプトを読めません[%s]", path.c_str());
        return false;
    }
    m_Runner->StartAt(static_cast<uint32_t>(id));
    return true;
}

std::string CMainGameScene::GetScriptName() const { return m_Runner->GetScriptName(); }

// ---- the frame ----

bool CMainGameScene::_CancelPressed() const {
    return m_Game && IsCancelPressed(m_Game->GetKeyboard(), m_Game->GetMouse());
}

bool CMainGameScene::_DecidePressed() const {
    return m_Game && IsDecidePressed(m_Game->GetKeyboard(), m_Game->GetMouse());
}

void CMainGameScene::Update() { UpdateStage(); }

bool CMainGameScene::UpdateStage() {
    m_LastResult = _Update();
    _SyncButtons();
    return m_LastResult;
}

bool CMainGameScene::_SidePanelStep(bool transition) {
    if (transition || !m_Game) {
        m_SidePanel.SetCursor(-1, -1, false);
    } else {
        const SPoint p = m_Game->GetMouse().GetPosition();
        m_SidePanel.SetCursor(p.x, p.y, _DecidePressed());
    }
    m_SidePanel.Update();
    if (!m_SidePanel.IsOpen()) return false;
    if (m_Game && (m_SidePanel.HoverBegan(0) || m_SidePanel.HoverBegan(1))) m_Game->PlayChannel1();
    if (m_SidePanel.BecameChecked(0)) {
        if (m_Game) m_Game->PlayChannel0();
        m_SidePanel.Close();
        _LeaveGame(m_SidePanel.GetMode());
    } else if (m_SidePanel.BecameChecked(1) || (_CancelPressed() && !m_CancelLock)) {
        if (m_Game) m_Game->PlayChannel2();
        m_SidePanel.Close();
    }
    return true;
}

void CMainGameScene::_LeaveGame(int32_t mode) {
    if (!m_Game) return;
    // The running game is kept as the automatic save, marked as holding a game; with no
    // game of the player's running (a replay, a developer start) there is nothing to keep.
    if (m_Game->IsPlayersGameRunning()) {
        m_Game->WriteCurrentSave();
        m_Game->GetSaveData().SaveMarked(CSaveData::SlotPath(0));
    }
    m_Game->m_GameInProgress = 0;
    for (int32_t g = 0; g < CStageSnapshot::kSoundGroups; ++g) m_Sound.StopSoundGroup(g, kLeaveFadeMs);
    if (mode == kPanelLeaveToTitle) {
        m_Game->GetSceneManager().EndAll();
        RequestGotoScene(5, kCallTransition, kLeaveFrames);
    } else {
        RequestGotoScene(1, kCallTransition, kLeaveFrames);
    }
}

int32_t CMainGameScene::ExtraTextSteps(int32_t speed) { return speed > 50 && speed != 100 ? (speed - 50) / 5 : 0; }

bool CMainGameScene::_Update() {
    const bool transition = m_Game && m_Game->GetSceneManager().IsInTransition();
    const bool cancel = _CancelPressed();
    const bool decide = _DecidePressed();
    // 1
    if (m_Cooldown > 0) --m_Cooldown;
    // 2
    if (_SidePanelStep(transition)) return true;
    // 3
    // Under the in-game menu (the darkened window) skipping shows nothing to stop: the
    // cancel is the menu's, which it closes, and skipping stays as the player left it.
    if (!m_SkipStopLock && !transition && m_SkipToggle && cancel && !m_CancelLock && !m_Window->IsDarkened()) {
        m_SkipToggle = false;
        if (CImageButton* b = m_Window->GetButton(2)) b->SetUnchecked();
        return true;
    }
    // 4
    if (!m_WindowShownByPlayer && !transition && (decide || (cancel && !m_CancelLock))) {
        m_WindowShownByPlayer = true;
        m_DrawList.Show(kWindowPriority);
        return true;
    }
    // 5
    const bool logOpen = m_Window->IsLogOpen();
    if (logOpen && cancel && !transition && !m_CancelLock) {
        StopLineVoice();
        m_Window->CloseLog();
        return true;
    }
    // 6
    // The buttons see this frame's pointer before the display steps: whether a left press
    // is a button's or the line's is decided by where the pointer is now, not where it
    // was in the frame before.
    const bool input = !transition && m_WindowShownByPlayer && m_Game;
    const SPoint p = input ? m_Game->GetMouse().GetPosition() : SPoint{-1, -1};
    const bool press = input && m_Game->GetMouse().IsPressed(CMouse::kLeft);
    m_Window->HandleInput(p.x, p.y, press);
    m_EventPanel.SetCursor(p.x, p.y, press);
    const bool holding = m_Message.Step();
    if (m_WindowShownByPlayer) {
        const CSystemData* settings = GetSettings();
        const int32_t extra = ExtraTextSteps(settings ? settings->m_MessageSpeed : 50);
        for (int32_t i = 0; i < extra; ++i) {
            m_Window->GetText().Update();
            for (int32_t b = 0; b < CMessageWindow::kBalloonCount; ++b) m_Window->GetBalloon(b)->Update();
        }
    }
    m_DrawList.Update();
    m_EventPanel.Step();
    if (!m_WindowShownByPlayer) return true;
    if (logOpen) return _WindowInput(transition);
    // 7
    if (_WindowInput(transition)) return true;
    // 8
    if (cancel && !transition && !m_CancelLock) {
        const CSystemData* settings = GetSettings();
        const int32_t setting = settings ? settings->GetRightClickSetting() : 0;
        if (setting == 1 && !m_Window->IsDarkened()) {
            m_Window->SetDarken(true);
            return true;
        }
        if (setting == 3 || setting == 4) {
            const int32_t scene = setting == 3 ? 8 : 9;
            const int32_t current = m_Game ? m_Game->GetSceneManager().GetCurrentSceneId() : -1;
            if (!m_Branch && m_Cooldown == 0 && current != 8 && current != 9) {
                RequestCallSceneKeep(scene, kCallTransition, kCallFrames);
                m_Cooldown = kCooldownFrames;
            }
            return true;
        }
    }
    // 9
    _WaitStep();
    // 10
    if (holding || m_Record.m_WaitFrames != 0 || m_Record.m_WaitFlags[1] || RunTurnState()) return true;
    if (transition) return false;
    uint32_t line = 0;
    const std::string name = GetScriptName();
    CReadHistory* history = m_Game ? &m_Game->GetReadFlags() : nullptr;
    // A step that runs the last record ends the script in the same frame, unless what
    // that record showed holds it.
    const bool ran = m_Runner->Execute(&line);
    const bool held = m_Message.IsHolding() || m_Record.m_WaitFrames != 0 || m_Record.m_WaitFlags[1];
    if (!ran || (!m_Runner->GetCurrentRecord() && !held)) {
        // Told once, in the frame in which the script reaches its end.
        if (!m_ScriptEnd) {
            m_ScriptEnd = true;
            if (history && !name.empty()) history->AddKey(name, 1);
            const EventRow* pending = m_Owner ? m_Owner->GetPendingEvent() : nullptr;
            if (pending && m_Game) PlayViewTable::Find(*m_Game, pending->id);
        }
    }
    // An ended script has no current record: the record says so (id 0), and a game
    // restored from it does not play the last line again.
    m_Record.m_RecordId = static_cast<int32_t>(m_Runner->GetCurrentId());
    if (history && !name.empty()) history->Add(name, m_Record.m_RecordId, 1);
    return false;
}

void CMainGameScene::_WaitStep() {
    const CSystemData* settings = GetSettings();
    const bool waitSwitch = !settings || settings->IsWaitSwitchOn();
    uint8_t* flags = m_Record.m_WaitFlags;
    const bool cancelled = (flags[2] && _DecidePressed()) || (flags[3] && _CancelPressed()) || IsSkipping() ||
                           (!waitSwitch && !flags[0]);
    if (cancelled) {
        m_Record.m_WaitFrames = 0;
        flags[0] = 0;
        flags[1] = 0;
    }
    if (m_Record.m_WaitFrames > 0) --m_Record.m_WaitFrames;
}

void CMainGameScene::SetWait(int32_t frames, bool f1, bool f2, bool f3, bool f4) {
    m_Record.m_WaitFrames = frames;
    m_Record.m_WaitFlags[0] = f1;
    m_Record.m_WaitFlags[1] = f2;
    m_Record.m_WaitFlags[2] = f3;
    m_Record.m_WaitFlags[3] = f4;
}

// The message window's input table; true when it takes the frame.
bool CMainGameScene::_WindowInput(bool transition) {
    if (transition || !m_Game) return false;
    CGameMain& game = *m_Game;
    if (m_EventPanel.IsButtonHoverBegan()) game.PlayChannel1();
    if (m_EventPanel.IsButtonClicked()) {
        game.PlayChannel0();
        CloseEventPanel(true);
        return true;
    }
    bool anyPressed = false;
    auto pressed = [&](int32_t i) {
        CImageButton* b = m_Window->GetButton(i);
        return b && b->BecameChecked();
    };
    // A toggle let go by a click; a momentary button acts on its press.
    auto released = [&](int32_t i) {
        CImageButton* b = m_Window->GetButton(i);
        if (!b) return false;
        return b->IsMomentary() ? b->BecameChecked() : b->IsClicked() && !b->BecameChecked();
    };
    for (int32_t i = 0; i < CMessageBox::kButtonCount; ++i) {
        CImageButton* b = m_Window->GetButton(i);
        if (!b) continue;
        if (b->HoverBegan()) game.PlayChannel1();
        if (b->BecameChecked()) {
            game.PlayChannel0();
            anyPressed = true;
        }
        if ((i == 2 || i == 3) && released(i)) game.PlayChannel2();
    }
    const bool cancel = _CancelPressed() && !m_CancelLock;
    const int32_t wheel = game.GetMouse().GetWheel();
    const CKeyboard& keys = game.GetKeyboard();
    CSystemData* settings = GetSettings();
    auto older = [&] {
        StopLineVoice();
        if (m_Window->IsLogOpen()) {
            m_Window->LogOlder();
        } else {
            m_Window->OpenLog();
        }
    };
    auto newer = [&] {
        StopLineVoice();
        if (!m_Window->IsLogOpen()) return;
        if (m_Window->GetLogIndex() == 0) {
            m_Window->CloseLog();
        } else {
            m_Window->LogNewer();
        }
    };
    auto call = [&](int32_t scene) {
        StopLineVoice();
        RequestCallSceneKeep(scene, kCallTransition, kCallFrames);
    };
    if ((m_Window->IsDarkened() && cancel) || released(11)) {
        m_Window->SetDarken(false);
        return true;
    }
    if ((wheel < 0 || keys.IsPressed(VKey::kPrior)) && !m_Window->IsBoxMoving()) {
        older();
        return true;
    }
    if ((wheel > 0 || keys.IsPressed(VKey::kNext)) && m_Window->IsLogOpen()) {
        newer();
        return true;
    }
    if (pressed(12)) {
        older();
        return true;
    }
    if (pressed(13)) {
        newer();
        return true;
    }
    if (pressed(0) || pressed(1)) {
        call(pressed(0) ? 8 : 9);
        return true;
    }
    if (pressed(2) || released(2)) {
        m_SkipToggle = pressed(2);
        return true;
    }
    if (pressed(3) || released(3)) {
        if (settings) settings->m_AutoMode = pressed(3) ? 1 : 0;
        if (pressed(3)) m_Message.SetAutoCounterFor(kAutoSpaces);
        return true;
    }
    const int32_t rightClick = settings ? settings->GetRightClickSetting() : 0;
    if (released(4) || (cancel && rightClick == 0)) {
        if ((m_Window->IsBoxShown() && !m_Window->IsBoxMoving()) || m_Window->IsAnyBalloonOpen()) {
            HideWindowByPlayer();
            return true;
        }
    }
    if (pressed(5)) {
        PlayLineVoice();
        return true;
    }
    if (released(6)) {
        m_Window->SetDarken(true);
        return true;
    }
    if (released(7)) {
        for (int32_t g = 0; g < CStageSnapshot::kSoundGroups; ++g) m_Sound.StopSoundGroup(g, kReturnFadeMs);
        if (game.m_GameInProgress && m_Owner) m_Owner->RebuildStage();
        game.m_ReplayFlag = 0;
        RequestReturnScene(kCallTransition, kCallFrames);
        return true;
    }
    if (pressed(8) || pressed(14)) {
        call(pressed(8) ? 16 : 17);
        return true;
    }
    if (pressed(9) || pressed(10)) {
        const int32_t mode = pressed(9) ? kPanelLeaveToTitle : kPanelLeaveToExit;
        if (settings && !settings->IsConfirmOn()) {
            _LeaveGame(mode);
        } else {
            m_SidePanel.SetupPanelButtons(mode);
            m_SidePanel.Open();
        }
        return true;
    }
    if (pressed(15)) {
        StopLineVoice();
        if (m_Owner) m_Owner->StepHintWindow();
        return true;
    }
    if (pressed(16)) {
        OpenEventPanel(true);
        return true;
    }
    if (released(16)) {
        game.PlayChannel2();
        CloseEventPanel(true);
        return true;
    }
    return m_Window->IsDarkened() || anyPressed;
}

void CMainGameScene::_SyncButtons() {
    const CSystemData* settings = GetSettings();
    const bool states[] = {m_SkipToggle, settings && settings->m_AutoMode, m_PanelOpen};
    for (size_t k = 0; k < std::size(kToggleButtons); ++k) {
        CImageButton* b = m_Window->GetButton(kToggleButtons[k]);
        if (!b) continue;
        b->SetMomentary(false);
        b->SetReactWhenChecked(true);
        if (b->IsChecked() != states[k]) {
            if (states[k]) {
                b->SetChecked();
            } else {
                b->SetUnchecked();
            }
        }
    }
    // The event panel's buttons only while the panel may show; the voice button only
    // while a line shows.
    const bool panelOn = !m_PanelSuspended && (!settings || settings->IsEventPanelOn());
    for (int32_t i = 14; i <= 16; ++i) {
        if (CImageButton* b = m_Window->GetButton(i)) panelOn ? b->Enable() : b->Disable();
    }
    if (CImageButton* b = m_Window->GetButton(5)) {
        m_Message.m_LineShown || m_Window->IsAnyBalloonOpen() ? b->Enable() : b->Disable();
    }
}

// ---- drawing ----

// The event picture panel is not drawn here: the in-game scene draws it over
// whatever its mode shows.
void CMainGameScene::Draw() {
    m_DrawList.Draw();
    if (m_DrawList.IsShown(kWindowPriority)) m_SidePanel.Draw();
}

void CMainGameScene::DrawWithScreen(CSceneBase* screen) {
    if (m_DrawList.IsShown(kTalkPriority)) m_Talk->Draw();
    if (screen) screen->Draw();
    if (m_DrawList.IsShown(kWindowPriority)) m_Window->Draw();
    m_SidePanel.Draw();
}

void CMainGameScene::DrawOverWindow(CSceneBase* screen) {
    if (m_DrawList.IsShown(kTalkPriority)) m_Talk->Draw();
    if (m_DrawList.IsShown(kWindowPriority)) m_Window->Draw();
    if (screen) screen->Draw();
    m_SidePanel.Draw();
}

void CMainGameScene::DrawInWindow(CSceneBase* screen) {
    if (m_DrawList.IsShown(kTalkPriority)) m_Talk->Draw();
    if (m_DrawList.IsShown(kWindowPriority)) m_Window->DrawParts(screen);
    m_SidePanel.Draw();
}

void CMainGameScene::OnDeviceRestored() {
    m_DrawList.OnDeviceRestored();
    m_SidePanel.OnDeviceRestored();
    m_EventPanel.OnDeviceRestored();
}

void CMainGameScene::DrawMessageParts() { m_Window->DrawActiveParts(); }

void CMainGameScene::BuildThumbnail(const CStageSnapshot& record) {
    std::vector<const SLayerRecord*> layers;
    for (const SLayerRecord& layer : record.m_Layers) {
        if (layer.shown && (layer.kind != 3 || _EffectsOn())) layers.push_back(&layer);
    }
    std::stable_sort(layers.begin(), layers.end(), [](auto* a, auto* b) { return a->id < b->id; });
    CTalkObjectManager talk(m_Game, this);
    talk.SetSystemData(GetSettings());
    for (const SLayerRecord* layer : layers) {
        _MakeLayer(talk, *layer);
        if (CTalkObject* object = talk.GetObject(layer->id)) object->DrawSmall();
    }
}

// ---- month end ----

void CMainGameScene::EndMonth() {
    if (GetScriptToolLink().IsConnected() || m_Branch) return;
    if (m_TurnMachine) m_TurnMachine->Begin(*this);
}

void CMainGameScene::BuildMonthReport(CSaveRecordStrings& record) {
    if (m_TurnMachine) {
        m_TurnMachine->BuildReport(*this, record);
    } else {
        record.Reset();
    }
}

bool CMainGameScene::RunTurnState() { return m_TurnMachine && m_TurnMachine->Step(*this); }

// ---- message display ----

bool CMainGameScene::IsSkipping() const {
    const CSystemData* settings = GetSettings();
    if (!settings) return m_SkipToggle;
    const CAdvCommand* current = m_ScriptEnd ? nullptr : m_Runner->GetCurrentRecord();
    if (settings->m_SkipMode == 1 && current && m_Game) {
        const CReadHistory& history = m_Game->GetReadFlags();
        const std::string name = GetScriptName();
        const bool read = current->NextId != 0 ? history.Contains(name, static_cast<int32_t>(current->NextId), 1)
                                               : history.Find(name, 1);
        if (!read) return false;
    }
    if (m_SkipToggle) return true;
    if (!m_Game) return false;
    const CKeyboard& keys = m_Game->GetKeyboard();
    const CMouse& mouse = m_Game->GetMouse();
    if (keys.IsDown(VKey::kControl) || keys.IsPressed(VKey::kControl)) return true;
    return settings->GetRightClickSetting() == 2 && (mouse.IsDown(CMouse::kRight) || mouse.IsPressed(CMouse::kRight));
}

void CMainGameScene::SetBalloonTiming(int32_t index, bool timed, int32_t interval) {
    SBalloonState* state = m_Message.GetBalloon(index);
    if (!state) return;
    state->timed = timed;
    state->interval = interval;
    m_Window->SetBalloonReveal(index, state->revealStep, timed, interval);
    _StoreBalloon(index);
}

void CMainGameScene::SetBalloonPosition(int32_t index, int32_t x, int32_t y) {
    SBalloonState* state = m_Message.GetBalloon(index);
    if (!state) return;
    state->x = x;
    state->y = y;
    m_Window->SetBalloonPosition(index, x, y);
    _StoreBalloon(index);
}

void CMainGameScene::SetBalloonEffects(int32_t index, int32_t inEffect, int32_t inFrames, int32_t outEffect,
                                       int32_t outFrames) {
    SBalloonState* state = m_Message.GetBalloon(index);
    if (!state) return;
    state->inEffect = inEffect;
    state->inFrames = inFrames;
    state->outEffect = outEffect;
    state->outFrames = outFrames;
    m_Window->SetBalloonInEffect(index, inEffect, inFrames);
    m_Window->SetBalloonOutEffect(index, outEffect, outFrames);
    _StoreBalloon(index);
}

void CMainGameScene::CloseBalloon(int32_t index) {
    if (SBalloonRecord* record = m_Record.GetBalloon(index)) record->shown = 0;
    IsSkipping() ? m_Window->BalloonCloseNow(index) : m_Window->BalloonClose(index);
}

void CMainGameScene::CloseBalloonAtOnce(int32_t index) {
    if (SBalloonRecord* record = m_Record.GetBalloon(index)) record->shown = 0;
    m_Window->BalloonCloseNow(index);
}

void CMainGameScene::ShowMessageAlt(const CSaveRecordStrings& line) {
    m_Message.ShowOtherLine(CSaveRecordStrings{line.m_Name, line.m_Text, line.m_Voice, 100, 0}, true);
}

void CMainGameScene::ShowNameLine(const CSaveRecordStrings& line) { m_Message.ShowOtherLine(line, false); }

void CMainGameScene::ResetMessageState() {
    m_Message.m_LineShown = false;
    m_Message.m_TalkText = false;
    m_Window->ClearText();
}

void CMainGameScene::SetMessageOn() {
    m_Record.m_WindowShown = 1;
    IsSkipping() ? m_Window->RequestOpenNow() : m_Window->RequestOpen();
}

void CMainGameScene::SetMessageOff() {
    m_Record.m_WindowShown = 0;
    IsSkipping() ? m_Window->RequestCloseNow() : m_Window->RequestClose();
}

bool CMainGameScene::IsLineVoicePlaying() const {
    return m_Game && m_Game->GetSoundBank().IsPlaying(CStageSound::kGroupVoice, 0);
}

void CMainGameScene::StopLineVoice() {
    if (!m_Game) return;
    m_Game->GetSoundBank().Stop(CStageSound::kGroupVoice, 0, 0);
    m_Game->GetSoundBank().Unload(CStageSound::kGroupVoice, 0);
}

const CSaveRecordStrings* CMainGameScene::GetMessageLine(size_t n) const { return m_Window->GetLogLine(n); }

void CMainGameScene::HideWindowByPlayer() {
    m_WindowShownByPlayer = false;
    m_DrawList.Hide(kWindowPriority);
}

// ---- panels ----

void CMainGameScene::EnableExtraButtons(int32_t /*value*/) { m_Window->EnableExtraButtons(); }

void CMainGameScene::SetEventPanelSuspended(bool on) {
    m_PanelSuspended = on;
    if (on) {
        m_EventPanel.Close();
    } else if (m_PanelOpen) {
        m_EventPanel.Open();
    }
}

void CMainGameScene::SetEventPanel(const std::string& picture, int32_t eventId) {
    m_Record.m_PanelPicture = picture;
    m_Record.m_PanelEventId = eventId;
    m_EventPanel.SetEvent(picture, eventId);
}

void CMainGameScene::OpenEventPanel(bool setFlag) {
    m_EventPanel.Open();
    if (!setFlag) return;
    m_PanelOpen = true;
    if (m_Owner) m_Owner->SetPanelOpenMirror(true);
}

void CMainGameScene::CloseEventPanel(bool clearFlag) {
    m_EventPanel.Close();
    if (!clearFlag) return;
    m_PanelOpen = false;
    if (m_Owner) m_Owner->SetPanelOpenMirror(false);
}
