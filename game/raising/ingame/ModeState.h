#pragma once
// The modes of the in-game scene: small scene objects that a mode manager (a
// CSceneManager of the in-game scene's own) creates by id through CInGameModeFactory.
// A mode runs until it ends itself with CRaisingScene::ClearMode; the in-game scene's
// step machine then goes on.  Besides the scene operations a mode keeps its words in
// the game state for saves (SaveState / LoadState) and draws the picture of a save
// thumbnail (PrepareThumbnail).  docs/in-game-scene.md tells how to add one.
#include <cstdint>
#include <memory>

#include "engine/draw/SceneBase.h"
#include "engine/draw/SceneFactory.h"

class CGameState;
class CRaisingScene;

class CModeState : public CSceneBase, public CSceneObjectBase {
public:
    explicit CModeState(CRaisingScene& owner) : m_Owner(owner) {}

    // After a lost device: the same as OnDeviceRestored, under the mode's own name.
    virtual void Restore() { OnDeviceRestored(); }
    // The mode's words into the game state / back from it.
    virtual void SaveState(CGameState& state) { (void)state; }
    virtual void LoadState(const CGameState& state) { (void)state; }
    // Draws what a save thumbnail shows of the mode (inside the capture).
    virtual void PrepareThumbnail() {}

    CRaisingScene& GetOwner() const { return m_Owner; }

protected:
    CRaisingScene& m_Owner;
};

// The maker of a mode machine's modes by id: the in-game scene's (CInGameModeFactory)
// and those of the mansion and home sides.  The mode manager reaches it as its scene
// factory; a mode made for an id has the factory's owner as its own.
class CModeFactory : public ISceneFactory {
public:
    // The mode of an id; null when the id has none.
    virtual std::unique_ptr<CModeState> CreateMode(int32_t id) = 0;
    std::unique_ptr<CSceneBase> Create(int32_t id) final { return CreateMode(id); }
};

// The stage's thumbnail pass: the stage's layers as its record holds them, then its
// message window's parts.  Every mode that shows the stage uses it.
void DrawStageThumbnail(CRaisingScene& scene);

// A mode over a screen object that it owns: Load, Draw, Restore, SaveState, LoadState
// and PrepareThumbnail go to the screen.  Update is the shared one of the screens
// shown over the stage: the stage takes the frame first, and the screen runs only when
// the stage did not.
class CModeHostState : public CModeState {
public:
    // Where the screen lies on the stage (CMainGameScene's three screen draws).
    enum class ELayer {
        UNDER_WINDOW,  // over the pictures, under the message window
        OVER_WINDOW,   // over the whole stage, message window included
        IN_WINDOW,     // drawn by the message window over its box, only while it shows
    };

    CModeHostState(CRaisingScene& owner, std::unique_ptr<CModeState> screen, ELayer layer = ELayer::UNDER_WINDOW)
        : CModeState(owner), m_Screen(std::move(screen)), m_Layer(layer) {}

    void Load() override;
    void Update() override;
    // The stage with the screen at its layer.
    void Draw() override;
    void OnDeviceRestored() override;
    void SaveState(CGameState& state) override;
    void LoadState(const CGameState& state) override;
    void PrepareThumbnail() override;

    CModeState* GetScreen() const { return m_Screen.get(); }

protected:
    // Update for a screen that lays a panel over the stage: while `panelOpen` the screen
    // runs first and the stage then runs without input, so that its window does not take
    // the click meant for the panel; otherwise the shared Update.
    void UpdateUnderPanel(bool panelOpen);

    std::unique_ptr<CModeState> m_Screen;

private:
    ELayer m_Layer;
};
