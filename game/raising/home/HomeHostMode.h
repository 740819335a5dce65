#pragma once
// In-game mode 17, the home side: a side host whose own mode machine runs the home
// menu (0), the five home actions (1 to 5), the relays that clear the stage and start
// an action or the menu with a fade (6 to 11) and the end of the side (12).  The id
// of the running home mode is kept in the game state (CGameState::m_HomeMode), so a
// save made anywhere on the side comes back to the same place.
#include <cstdint>
#include <memory>

#include "engine/draw/SceneFactory.h"
#include "game/raising/ingame/SideHostMode.h"

class CHomeHostMode;

class CHomeModeFactory : public CModeFactory {
public:
    static constexpr int32_t kMenu = 0;
    static constexpr int32_t kFirstRelay = 6;
    static constexpr int32_t kLeave = 12;

    explicit CHomeModeFactory(CHomeHostMode& owner) : m_Owner(owner) {}
    // The home mode of an id, null outside 0..12.
    std::unique_ptr<CModeState> CreateMode(int32_t id) override;

private:
    CHomeHostMode& m_Owner;
};

class CHomeHostMode : public CSideHostMode {
public:
    explicit CHomeHostMode(CRaisingScene& owner);

    // The menu with a cut.
    void Load() override;

    // Starts home mode `id`: the current home mode becomes id, then GoTo and the
    // transition on the home manager.
    void StartHomeMode(int32_t id, int32_t transitionIndex, int32_t frames);
    // A fresh factory and manager (the machine of a new visit).
    void CreateModeMachine();

    void SaveState(CGameState& state) override;
    void LoadState(const CGameState& state) override;

    bool IsHomeInTransition() { return GetSideManager().IsInTransition(); }
    // The home mode now running (0..12).
    int32_t GetHomeMode() const { return GetSideModeId(); }
};

// Modes 6 to 11: the stage is cleared and mode id − 6 starts with a 20-frame fade.
class CHomeRelayMode : public CModeState {
public:
    CHomeRelayMode(CHomeHostMode& host, int32_t target);
    void Load() override;
    void Update() override;
    void Draw() override;
    int32_t GetTarget() const { return m_Target; }

private:
    CHomeHostMode& m_Host;
    int32_t m_Target;
    bool m_Done = false;
};

// Mode 12: the music fades out, the stage is cleared and in-game mode 17 ends.
class CHomeLeaveMode : public CModeState {
public:
    static constexpr int32_t kMusicFadeMs = 800;

    explicit CHomeLeaveMode(CHomeHostMode& host);
    void Load() override;
    void Update() override;
    void Draw() override;

private:
    CHomeHostMode& m_Host;
    int32_t m_Step = 0;
};

// Hides the 23 pictures of the in-game scene's slide panel.
void HideSlidePictures(CRaisingScene& scene);
// The whole screen opaque black.
void ClearHomeScreen(CRaisingScene& scene);
