#pragma once
// In-game mode 13: the month's letter (CLetterScene) over the in-game scene's stage.
#include "game/raising/ingame/ModeState.h"
#include "game/raising/letter/LetterScene.h"
#include "game/raising/letter/LetterStageHost.h"

// The letter scene's host over the running in-game scene and its current stage.
class CRaisingLetterHost : public CLetterStageHost {
public:
    explicit CRaisingLetterHost(CRaisingScene& scene) : m_Scene(scene) {}

    EventRow* SelectEventRow(int32_t kind, int32_t sub) override;
    EventRow* FindEventRow(int32_t id) const override;
    void StartEventById(int32_t id, int32_t kind, int32_t sub) override;
    void StartEvent(int32_t kind, int32_t sub) override;
    void ApplyEventSettings(int32_t id, int32_t kind, int32_t sub) override;
    bool IsScriptRunning() const override;
    void ClearMode() override;
    void SetPendingEvent(EventRow* row) override;
    CGameState& GetGameState() override;

protected:
    CMainGameScene& _Stage() const override;

private:
    CRaisingScene& m_Scene;
};

// The letter as the screen of its mode: the scene with its host.
class CLetterScreen : public CModeState {
public:
    explicit CLetterScreen(CRaisingScene& owner);

    void Load() override { m_Letter.Load(); }
    void Update() override { m_Letter.Update(); }
    void Draw() override { m_Letter.Draw(); }
    void OnDeviceRestored() override { m_Letter.OnDeviceRestored(); }
    void SaveState(CGameState& state) override { m_Letter.SaveState(state); }
    void LoadState(const CGameState& state) override { m_Letter.LoadState(state); }
    // The stage's thumbnail pass, then the panel.
    void PrepareThumbnail() override;

    CLetterScene& GetLetter() { return m_Letter; }

private:
    CRaisingLetterHost m_Host;
    CLetterScene m_Letter;
};

class CLetterModeState : public CModeHostState {
public:
    static constexpr int32_t kModeId = CLetterScene::kModeId;

    explicit CLetterModeState(CRaisingScene& owner);
    // The letter's Load, then the message window closes (at once while skipping).
    void Load() override;

    CLetterScene& GetLetter() { return static_cast<CLetterScreen*>(m_Screen.get())->GetLetter(); }
};
using CLetterHostMode = CLetterModeState;
