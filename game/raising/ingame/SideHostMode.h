#pragma once
// The base of the two side hosts, in-game modes 16 (the mansion side) and 17 (the home
// side).  Each side runs a mode machine of its own, built the way the in-game scene
// builds its own: a CSceneManager with the side's mode factory.  Side mode 0 is the
// side's menu; an action mode returns to it with ReturnToMenu(0, 0).  The host ends
// itself with CRaisingScene::ClearMode when its side is finished.
//
// A side host derives from this class, builds its factory in its constructor
// (SetFactory) and saves the current side mode in its own word of the game state
// through SaveSide / LoadSide.
#include <cstdint>
#include <memory>

#include "engine/draw/SceneFactory.h"
#include "engine/draw/SceneManager.h"
#include "game/raising/ingame/ModeState.h"

class CSideHostMode : public CModeState {
public:
    explicit CSideHostMode(CRaisingScene& owner);
    ~CSideHostMode() override;

    // The side's menu: ReturnToMenu(0, 0).
    void Load() override;
    // The side's manager.
    void Update() override;
    void Draw() override;
    // Every live side mode.
    void OnDeviceRestored() override;
    // The current side mode's thumbnail.
    void PrepareThumbnail() override;

    // The current side mode becomes 0 (the menu): GoTo(0) and a transition on the side
    // manager.
    void ReturnToMenu(int32_t transitionIndex, int32_t frames);
    // Requests side mode `id` with a transition.
    void SetSideMode(int32_t id, int32_t transitionIndex, int32_t frames);

    CSceneManager& GetSideManager() { return m_Manager; }
    int32_t GetSideModeId() const { return m_SideModeId; }
    // The live side mode, null when none (or when it is no CModeState).
    CModeState* GetCurrentSideMode() const;

protected:
    // The side's factory; the host keeps it for the manager's life.
    void SetFactory(std::unique_ptr<ISceneFactory> factory);
    // Writes the current side-mode id into `word`, then the side mode's SaveState.
    void SaveSide(CGameState& state, int32_t& word);
    // Resets the side manager, re-creates side mode `id` at once (its transition ended,
    // loaded but not yet updated) and hands it the state: the side mode exists when this
    // returns.
    void LoadSide(const CGameState& state, int32_t id);

private:
    // The factory outlives the manager, which hands its modes back to it.
    std::unique_ptr<ISceneFactory> m_Factory;
    CSceneManager m_Manager;
    int32_t m_SideModeId = -1;
};
