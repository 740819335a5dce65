#pragma once
// The in-game scene: the top-level scene in which the raising game is played.  It owns
// the stage on which event scripts run, the in-game mode machine, the game state with
// the status record, the selection screen, the hint window and the slide panel.  Each
// frame it finishes the follow-up of the last event, advances the step machine that
// orders a game's weeks (which mode runs next, which event plays between them),
// updates the current mode and draws it or the stage with the overlays.  It writes the
// game into a save record and rebuilds it from one.
//
// Scene 19 is the one the game object keeps for the whole run; scene 20 a fresh one
// that replays one event (the play view) and returns.  The viewer and script-tool
// starts play scripts on the kept scene without the step machine.
// docs/in-game-scene.md has the steps, the modes and how to add a mode.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/draw/SceneManager.h"
#include "game/core/GameState.h"
#include "game/core/InGameScene.h"
#include "game/raising/hint/HintOwner.h"
#include "game/raising/hint/HintWindow.h"
#include "game/raising/ingame/InGameModeFactory.h"
#include "game/raising/movie/MovieMode.h"
#include "game/raising/panel/SlidePanel.h"
#include "game/stage/command/GameTranslatorFactory.h"
#include "game/stage/scene/MainGameScene.h"

class CGameMain;
class CSaveData;
class CSelectionHostMode;
class CEventTable;
struct EventRow;

// Writes "スクリプト再生:" and the script's name to the log and starts it on the stage.
bool LogScriptPlay(CMainGameScene& stage, const std::string& script);

class CRaisingScene : public IInGameScene, public IStageOwner, public IHintOwner, public IMovieModeOwner {
public:
    // Steps of the step machine that others name.
    static constexpr int32_t kStepNone = -1;  // the game has ended: nothing more runs
    static constexpr int32_t kStepMonthStart = 10;
    static constexpr int32_t kStepEndOfPlay = 147;
    static constexpr int32_t kStepEndAfterHunger = 161;
    static constexpr int32_t kEndScene = 5;
    static constexpr int32_t kSlideTime = 120;
    static constexpr uint32_t kBlack = 0xFF000000u;
    static constexpr int32_t kThumbWidth = 200;
    static constexpr int32_t kThumbHeight = 150;

    // Sets up every stage the scene builds, after the game's command table and month
    // end were given to it (tests' own commands).
    using StageSetup = std::function<void(CMainGameScene& stage)>;

    CRaisingScene(CGameMain& game, bool fresh);
    ~CRaisingScene() override;
    CRaisingScene(const CRaisingScene&) = delete;
    CRaisingScene& operator=(const CRaisingScene&) = delete;

    // ---- scene ----
    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    // ---- IInGameScene ----
    void WriteSave(CSaveData& save) override;
    void RestoreFromSave(const CSaveData& save) override;
    bool RenderToTexture(const std::string& path) override;
    CGameState* GetGameState() override { return &m_State; }
    CMainGameScene* GetStage() override { return m_Stage.get(); }
    // The mode machine, the game state, the stage, the hint window and the slide panel
    // made ready for a new game; no event pending.
    void ResetAll() override;

    // ---- members ----
    CMainGameScene& Stage() { return *m_Stage; }
    CGameState& State() { return m_State; }
    CStatus& Status() { return m_State.GetStatus(); }
    CGameMain& GetGameMain() { return m_Game; }
    CSlidePanel& GetSlidePanel() { return m_Slide; }
    CHintWindow& GetHintWindow() { return m_Hint; }
    CSceneManager& GetModeManager() { return *m_Manager; }
    CInGameModeFactory& GetModeFactory() { return *m_Factory; }
    CSelectionHostMode& GetSelectionMode() { return *m_Selection; }
    bool IsFresh() const { return m_Fresh; }
    // The mode the manager runs now (null when none).
    CModeState* GetCurrentMode() const;

    // ---- modes ----
    // The mode id becomes `id`; GoTo(id) and a transition are queued.
    void SetMode(int32_t id, int32_t transitionIndex, int32_t frames);
    void SetBlankMode30() { SetMode(1, 1, 30); }
    void SetBlankMode120() { SetMode(1, 1, 120); }
    void EnterMode1() { SetBlankMode30(); }
    void EnterMode1Slow() { SetBlankMode120(); }
    // Mode id 0, GoTo(0) without a transition: the calling mode ends.
    void ClearMode() override;
    bool IsModeInTransition() const { return m_Manager->IsInTransition(); }
    // No mode runs: the manager is idle or on id 0.
    bool IsModeIdle() const;

    // ---- events ----
    // True while an event is pending or the stage's script has not ended.
    bool IsScriptRunning() const;
    bool StartEvent(int32_t kind, int32_t sub);
    bool StartEventById(int32_t id);
    // Row `id` as the pending event of the occasion (kind, sub), recorded as its last.
    bool StartEventById(int32_t id, int32_t kind, int32_t sub);
    bool StartEventByIdAs(int32_t id, int32_t kind, int32_t sub) { return StartEventById(id, kind, sub); }
    bool HasEvent(int32_t kind, int32_t sub);
    EventRow* SelectEventRow(int32_t kind, int32_t sub);
    EventRow* FindEventRow(int32_t id) const;
    // Applies row `id`'s settings now, and for the occasion (23, 1) its kind-23 value;
    // no event is pending after.
    void ApplyEventSettings(int32_t id, int32_t kind, int32_t sub);
    // The same for the occasion of the row itself.
    void ApplyEventRowNow(int32_t id);
    void ApplyEventSettings(int32_t id) { ApplyEventRowNow(id); }
    // The selection screen over the game: `value` choices, the first one's picture.
    void ShowSelection(int32_t value, const std::string& picture);
    bool IsSelectionShown() const { return m_State.m_SelectionFlag != 0; }
    // Picture n of the slide panel alone, for 120 frames.
    void ShowSlidePicture(int n);
    const EventRow* GetPendingEventRow() const { return m_Pending; }
    // The month's event handed to the month end without playing it (the letter screen):
    // the month report reads it; no follow-up runs, and ApplyEventSettings clears it.
    void SetPendingEventRow(EventRow* row) { m_Pending = row; }

    // ---- building ----
    void RecreateStage();
    void RecreateSelectionMode();
    void CreateModeMachine();
    void SetStageSetup(StageSetup setup);
    // A developer start: the kept scene plays mode `id` alone and ends the program
    // once it has ended (the movie start uses 19).
    void SetSoloMode(int32_t id) { m_SoloMode = id; }

    // ---- the step machine (public for the screens that read where it stands) ----
    int32_t GetStep() const { return m_State.m_Step; }
    void UpdateStep();
    void UpdatePendingEvent();
    // Week + 1; past 4 the month grows, past 12 the year.
    static void AdvanceWeek(CStatus& status);
    // The month's start of step 42 (satiety 10 or more).
    static void ApplyMonthStart(CStatus& status);

    // ---- IStageOwner ----
    const EventRow* GetPendingEvent() const override { return m_Pending; }
    void SetPanelOpenMirror(bool open) override { m_PanelOpenMirror = open; }
    void StepHintWindow() override;
    void RebuildStage() override;
    // ---- IHintOwner ----
    void SetTalkText(const std::string& picturePath, int32_t eventId) override;
    void BeginTalk() override;

private:
    CEventTable* _Table() const;
    bool _StartRow(EventRow* row, bool recordLast);
    void _PlayEvent(int32_t kind, int32_t sub);
    void _StepGame();
    void _EndOfPlay();
    bool _ViewerLoad();
    void _ViewerStep();
    void _ModeNow(int32_t id);
    bool _StageStep() const;

    CGameMain& m_Game;
    bool m_Fresh;
    EventRow* m_Pending = nullptr;
    CGameState m_State;
    // The script commands of every stage the scene builds; it outlives them.
    CGameTranslatorFactory m_Commands;
    std::unique_ptr<CMainGameScene> m_Stage;
    // Declared before the managers: the modes they hold point at it.
    std::unique_ptr<CSelectionHostMode> m_Selection;
    std::unique_ptr<CInGameModeFactory> m_Factory;
    std::unique_ptr<CSceneManager> m_Manager;
    CHintWindow m_Hint;
    CSlidePanel m_Slide;
    int32_t m_ScriptCounter = 0;
    int32_t m_SoloMode = 0;
    bool m_PanelOpenMirror = false;
    StageSetup m_StageSetup;
};
