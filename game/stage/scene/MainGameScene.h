#pragma once
// The stage on which scenario scripts run: the command runner, the talk objects that
// show pictures on numbered layers, the message window with its balloons, the event
// picture panel, the mirror of the sound bank's slots and the record of everything
// shown and playing, from which a save is written and a loaded game rebuilt.
//
// The in-game scene owns one, forwards update, draw and restore to it, starts scripts
// on it and resets it between events.  What the stage needs of its owner is the small
// IStageOwner below; the month end plugs its turn state machine in through
// IStageTurnMachine.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/adv/AdvCommandControl.h"
#include "platform/sys/Geometry.h"
#include "engine/draw/LayerList.h"
#include "engine/draw/SceneBase.h"
#include "game/core/SaveRecordStrings.h"
#include "game/core/StageSnapshot.h"
#include "game/raising/panel/ButtonPanel.h"
#include "game/stage/message/EventPanel.h"
#include "game/stage/message/MessageWindow.h"
#include "game/stage/scene/MessageState.h"
#include "game/stage/scene/StageSound.h"
#include "game/stage/talk/TalkObjectManager.h"

class CGameMain;
class CMainGameScene;
class CSystemData;
struct EventRow;

// What the stage asks of the scene that owns it (the in-game scene).
class IStageOwner {
public:
    virtual ~IStageOwner() = default;
    // The event whose script is playing; null when none is pending.
    virtual const EventRow* GetPendingEvent() const = 0;
    // The stage's panel-open flag changed: its mirror in the game state follows.
    virtual void SetPanelOpenMirror(bool open) = 0;
    // The message window's button 15: one step of the hint window.
    virtual void StepHintWindow() = 0;
    // The message window's button 7 with a game in progress: the kept game's stage (not
    // a replay's own) is rebuilt from the current save record's stage record.
    virtual void RebuildStage() = 0;
};

// The month end's turn state machine, driven by the stage.
class IStageTurnMachine {
public:
    virtual ~IStageTurnMachine() = default;
    // The end-of-month operation (not tool-driven, branch switch off).
    virtual void Begin(CMainGameScene& stage) = 0;
    // One frame; true while the machine holds the script.
    virtual bool Step(CMainGameScene& stage) = 0;
    // The stage is rebuilt for a restored game: a running sequence ends where it stands.
    virtual void Reset() {}
    // The month report of the stage's running game (empty when there is none).
    virtual void BuildReport(CMainGameScene& stage, CSaveRecordStrings& record) {
        (void)stage;
        record.Reset();
    }
};

class CMainGameScene : public CSceneBase, public CSceneObjectBase {
public:
    static constexpr int32_t kTalkPriority = 0;
    static constexpr int32_t kWindowPriority = 100;
    static constexpr int32_t kBackgroundLayer = 100;
    static constexpr int32_t kScreenWidth = 800;
    static constexpr int32_t kScreenHeight = 600;
    static constexpr uint32_t kBlack = 0xFF000000;
    static constexpr int32_t kCooldownFrames = 20;
    static constexpr int32_t kPanelLeaveToTitle = 3;   // side panel mode: end every scene, scene 5
    static constexpr int32_t kPanelLeaveToExit = 2;    // side panel mode: scene 1
    // The small tables the stage reads at construction.
    static constexpr const char* kVoiceTable = "cfg\\stage_voice.txt";
    static constexpr const char* kHouseTable = "cfg\\stage_house.txt";

    // Neither is owned; the owner may be null (no pending event, no mirror).  `branch`
    // is the branch switch: command 60 jumps and the month end does nothing while on.
    CMainGameScene(CGameMain* game, IStageOwner* owner, bool branch);
    ~CMainGameScene() override;
    CMainGameScene(const CMainGameScene&) = delete;
    CMainGameScene& operator=(const CMainGameScene&) = delete;

    // Releases what it built and builds the runner, the talk objects and the window.
    void Init();
    // The handlers of the script's commands (not owned; null: no command runs).
    void SetTranslatorFactory(IAdvTranslatorFactory* factory);
    void SetTurnMachine(std::unique_ptr<IStageTurnMachine> machine) { m_TurnMachine = std::move(machine); }
    // The settings read instead of the game object's (tests; null: the game's).
    void SetSystemData(CSystemData* data);

    // ---- scripts ----
    bool StartScript(const std::string& path);
    bool StartScriptAt(const std::string& path, int32_t id);
    bool GetScriptEndFlag() const { return m_ScriptEnd; }
    std::string GetScriptName() const;
    CAdvCommandControl& GetRunner() { return *m_Runner; }

    // ---- scene-base ----
    void Update() override;
    // One frame; true when the stage took it (the screens over the stage then wait).
    bool UpdateStage();
    bool GetLastResult() const { return m_LastResult; }
    // The extra reveal steps a frame at message speed s.
    static int32_t ExtraTextSteps(int32_t speed);
    void Draw() override;
    // The three places of a screen laid over the stage (`screen` may be null); each
    // draws the talk objects while entry 0 is shown, the message window while entry 100
    // is, and the side panel last:
    // - under the window: `screen` between the pictures and the window;
    void DrawWithScreen(CSceneBase* screen);
    // - over the window: `screen` after the window (its buttons stay visible over the
    //   message box);
    void DrawOverWindow(CSceneBase* screen);
    // - in the window: the window draws `screen` over its box and under its log, text,
    //   dimmer and buttons, and not at all while the player keeps the window hidden.
    void DrawInWindow(CSceneBase* screen);
    void OnDeviceRestored() override;

    // ---- between events, saves ----
    void ResetStage();
    void ResetForRestore();
    const CStageSnapshot& SaveSnapshot();
    void RestoreSnapshot(const CStageSnapshot& record);
    // The saved record's shown layers into the current render target, small (thumbnail).
    void BuildThumbnail(const CStageSnapshot& record);
    // The window's active parts without dimmer and buttons (after BuildThumbnail).
    void DrawMessageParts();
    CStageSnapshot& GetRecord() { return m_Record; }

    // ---- month end ----
    // The month's report, LF-separated lines in the record's text; it changes nothing,
    // so the sequence builds it again for every page.  Empty without a month end.
    void BuildMonthReport(CSaveRecordStrings& record);
    void EndMonth();
    bool RunTurnState();
    bool IsBranchOn() const { return m_Branch; }

    // ---- layers (each updates the layer record, then the talk objects) ----
    void SetLayerFadeIn(int32_t id, int32_t kind, int32_t frames);
    void SetLayerFadeOut(int32_t id, int32_t kind, int32_t frames);
    void ShowLayerFade(int32_t id);
    void ShowLayer(int32_t id);
    void HideLayerFade(int32_t id);
    void HideLayer(int32_t id);
    void ClearLayerMotion(int32_t id);
    // The motion text; the values at which it ends are kept for StopLayerMotionAtEnd.
    void SetLayerMotion(int32_t id, const std::string& text);
    void StartLayerMotion(int32_t id, bool loop);
    // Stops the motion and puts back the values saved when it started.
    void StopLayerMotion(int32_t id);
    // Stops the motion (a non-looping one runs to its end); the record takes the
    // values where the motion ends.
    void StopLayerMotionAtEnd(int32_t id);
    void StartScreenEffect(int32_t kind);
    void EndScreenEffect(bool gradual = true);

    // A picture on a layer: `prepare` puts it on the transition side, so that it comes
    // in with the next screen change.  Shown pictures are marked as seen.
    bool ShowPicture(int32_t id, const std::string& file, bool prepare = false);
    bool ShowAnime(int32_t id, const std::string& file, int32_t frames, int32_t wait, bool blend, bool prepare = false);
    bool ShowColorFill(int32_t id, uint32_t colour, bool prepare = false);
    bool ShowNoise(int32_t id, bool prepare = false);
    bool ShowTimeBackground(int32_t id, int32_t value, bool prepare = false);
    bool ShowLayerImage(int32_t id, const std::string& file) { return ShowPicture(id, file, false); }
    bool ShowLayerImageAlt(int32_t id, const std::string& file) { return ShowPicture(id, file, true); }
    bool SetLayerFill(int32_t id, uint32_t colour) { return ShowColorFill(id, colour, false); }
    void RemoveLayer(int32_t id);
    // The layer goes with the next screen change (removed on the transition side).
    void PrepareLayerChange(int32_t id);
    void SetLayerPos(int32_t id, int32_t x, int32_t y);
    void SetLayerScale(int32_t id, float sx, float sy, int32_t cx, int32_t cy);
    void SetLayerRotation(int32_t id, int32_t angle, int32_t cx, int32_t cy);
    void SetLayerLevel(int32_t id, int32_t level);
    SSize GetLayerSize(int32_t id) const;
    // The picture file of a layer's record; empty when none.
    std::string GetLayerFile(int32_t id) const;
    std::string GetBackgroundFile() const { return GetLayerFile(kBackgroundLayer); }
    const SLayerRecord* FindLayerRecord(int32_t id) const;
    void ReleaseAllLayers();
    // Every talk object released, layer 100 opaque black over 800 × 600.
    void ClearToBlack();
    // The same on the transition side: it comes in with the next screen change.
    void ClearToBlackAlt();
    // Draw-list entry 0, the talk objects.
    void SetTalkLayerOn(bool on);

    // Effect kinds not started while the line is skipped (nor restarted by a restore).
    static bool IsSkipRefusedEffect(int32_t kind) { return kind == 4 || kind == 5 || kind == 8; }

    // ---- screen changes ----
    void StartScreenChange(int32_t kind, int32_t frames);
    void StartScreenChangeAlt(int32_t kind, int32_t frames);
    bool IsScreenChanging() const;
    bool IsScreenChangeRunning() const { return IsScreenChanging(); }
    void FinishScreenChange();

    // ---- sound slots ----
    void LoadSlot(int32_t g, int32_t s, const std::string& file) { m_Sound.LoadSlot(g, s, file); }
    void SetSlotVolume(int32_t g, int32_t s, int32_t v) { m_Sound.SetSlotVolume(g, s, v); }
    void SetSlotPan(int32_t g, int32_t s, int32_t p) { m_Sound.SetSlotPan(g, s, p); }
    void PlaySlot(int32_t g, int32_t s, int32_t once, int32_t fadeInMs) { m_Sound.PlaySlot(g, s, once, fadeInMs); }
    void StopSlot(int32_t g, int32_t s, int32_t fadeMs) { m_Sound.StopSlot(g, s, fadeMs); }
    void FadeSlotVolume(int32_t g, int32_t s, int32_t v, int32_t ms) { m_Sound.FadeSlotVolume(g, s, v, ms); }
    void FadeSlotPan(int32_t g, int32_t s, int32_t p, int32_t ms) { m_Sound.FadeSlotPan(g, s, p, ms); }
    void StopSoundGroup(int32_t g, int32_t fadeMs) { m_Sound.StopSoundGroup(g, fadeMs); }
    void PlaySound(int32_t g, int32_t s, const std::string& list) { m_Sound.PlaySound(g, s, list); }
    CStageSound& GetSound() { return m_Sound; }

    // ---- message display ----
    void ShowMessage(const CSaveRecordStrings& line) { m_Message.ShowMessage(line); }
    void ShowBalloon(int32_t index, int32_t shape, const CSaveRecordStrings& line, bool closeOnAdvance) {
        m_Message.ShowBalloon(index, shape, line, closeOnAdvance);
    }
    // The balloon command's settings, kept for saves.
    void SetBalloonTiming(int32_t index, bool timed, int32_t interval);
    void SetBalloonPosition(int32_t index, int32_t x, int32_t y);
    void SetBalloonEffects(int32_t index, int32_t inEffect, int32_t inFrames, int32_t outEffect, int32_t outFrames);
    // Closes balloon n (at once while skipping, else with its effect), clearing its mark.
    void CloseBalloon(int32_t index);
    void CloseBalloonAtOnce(int32_t index);
    // A line of another screen, with its voice (volume 100, pan 0) / without.
    void ShowMessageAlt(const CSaveRecordStrings& line);
    void ShowNameLine(const CSaveRecordStrings& line);
    void ResetMessageState();
    // Message window on / off as commands 3 and 4 (with the effect unless skipping).
    void SetMessageOn();
    void SetMessageOff();
    bool IsSkipping() const;
    bool IsWaiting() { return m_Message.Step(); }
    bool PlayLineVoice() { return m_Message.PlayLineVoice(); }
    bool PlayVoiceEntry(const CSaveRecordStrings* line) { return m_Message.PlayVoiceEntry(line); }
    bool IsLineVoicePlaying() const;
    void StopLineVoice();
    CMessageState& GetMessageState() { return m_Message; }
    bool MessageStateStep() { return m_Message.Step(); }
    // Line n of the message log (0 the newest); null outside.
    const CSaveRecordStrings* GetMessageLine(size_t n) const;
    // The player hides the window (its own button).
    void HideWindowByPlayer();
    bool IsWindowShownByPlayer() const { return m_WindowShownByPlayer; }
    // The stage's flag over which the in-game scene lays its notice card and the event
    // picture panel: down while the player keeps the window hidden, so that they go
    // with it.
    bool IsSubFlag() const { return m_WindowShownByPlayer; }
    bool IsSkipOn() const { return m_SkipToggle; }
    void SetSkip(bool on) { m_SkipToggle = on; }

    // ---- the wait of command 2 ----
    // Frames and the four flags (1 to 4).
    void SetWait(int32_t frames, bool f1, bool f2, bool f3, bool f4);

    // ---- buttons and panels ----
    void EnableExtraButtons(int32_t value);
    void EnableHelpButtons(int32_t value) { EnableExtraButtons(value); }
    void SetEventPanelSuspended(bool on);
    // The event picture panel: its picture and event id / open / close, with or without
    // the panel-open flag.
    void SetEventPanel(const std::string& picture, int32_t eventId);
    void SetTalkText(const std::string& picture, int32_t eventId) { SetEventPanel(picture, eventId); }
    void OpenEventPanel(bool setFlag = true);
    void BeginTalk() { OpenEventPanel(true); }
    void CloseEventPanel(bool clearFlag = true);
    bool IsPanelOpenFlag() const { return m_PanelOpen; }
    CEventPanel& GetEventPanel() { return m_EventPanel; }
    CButtonPanel& GetSidePanel() { return m_SidePanel; }

    // ---- locks ----
    void SetCancelLock(bool on) { m_CancelLock = on; }
    bool IsCancelLocked() const { return m_CancelLock; }
    void SetSkipStopLock(bool on) { m_SkipStopLock = on; }
    bool IsSkipStopLocked() const { return m_SkipStopLock; }

    CMessageWindow& GetWindow() { return *m_Window; }
    CTalkObjectManager& GetTalk() { return *m_Talk; }
    CLayerList& GetDrawList() { return m_DrawList; }
    CGameMain* GetGame() const { return m_Game; }
    IStageOwner* GetOwner() const { return m_Owner; }
    CSystemData* GetSettings() const;
    int32_t GetCooldown() const { return m_Cooldown; }

private:
    friend class CMessageState;

    bool _Update();
    bool _SidePanelStep(bool transition);
    bool _WindowInput(bool transition);
    void _WaitStep();
    void _LeaveGame(int32_t mode);
    void _SyncButtons();
    bool _CancelPressed() const;
    bool _DecidePressed() const;
    bool _EffectsOn() const;
    // The ambient loops after a screen change of `frames` frames.
    void _UpdateAmbientFor(int32_t frames);
    SLayerRecord* _LayerRecord(int32_t id);
    SLayerRecord& _NewLayerRecord(int32_t id, int32_t kind, const std::string& file);
    void _MarkSeen(const std::string& file);
    void _MakeLayer(CTalkObjectManager& talk, const SLayerRecord& record);
    void _StoreBalloon(int32_t index);
    void _LoadTables();

    CGameMain* m_Game;
    IStageOwner* m_Owner;
    CSystemData* m_Settings = nullptr;
    bool m_WindowShownByPlayer = true;
    bool m_SkipToggle = false;
    bool m_CancelLock = false;
    bool m_SkipStopLock = false;
    CStageSnapshot m_Record;
    CLayerList m_DrawList;
    std::unique_ptr<CTalkObjectManager> m_Talk;
    std::unique_ptr<CMessageWindow> m_Window;
    CEventPanel m_EventPanel;
    bool m_PanelOpen = false;
    bool m_PanelSuspended = false;
    std::unique_ptr<CAdvCommandControl> m_Runner;
    IAdvTranslatorFactory* m_Factory = nullptr;
    bool m_ScriptEnd = false;
    CButtonPanel m_SidePanel;
    bool m_Branch;
    int32_t m_Cooldown = 0;
    bool m_LastResult = false;
    CStageSound m_Sound;
    CMessageState m_Message;
    std::unique_ptr<IStageTurnMachine> m_TurnMachine;
};
