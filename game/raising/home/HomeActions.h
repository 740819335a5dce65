#pragma once
// Home modes 1 to 5, the actions chosen on the home menu.  Each plays its event on
// the stage, then applies what the action changes and returns to the menu:
//   0 the pending changes (and the month report's words) are set, the event starts;
//   1 (its script has ended) on to 2;
//   2 the pending changes go through their adders and are zeroed;
//   3 satiety copy − cost, growth + 1, the choice's counter + 1, actions done + 1;
//   4 the closing event (53, 0), the music fading first when it has a row;
//   5 (its script has ended) on to 6;
//   6 back to the menu.
// Nursing (5) pays the doctor instead and cures her, without pending changes, cost or
// closing event.  The step is kept in the game state (m_HomeModeWords[id][0]).
#include <cstdint>

#include "game/core/GameState.h"
#include "game/raising/ingame/ModeState.h"

class CHomeHostMode;
class CStatus;

// What one action changes: the pending words and the satiety it costs.
struct SHomeChange {
    int32_t personality = 0;
    int32_t temper = 0;
    int32_t contentment = 0;
    float ability[5] = {};
    int32_t cost = 0;
};

// The change of action `mode` (1 to 4) with its choice; an unknown choice changes
// nothing and costs nothing.
SHomeChange HomeChangeOf(int32_t mode, int32_t choice);
// The doctor's fee for the seasonal event and the money.
int32_t NursingFee(int32_t season, int32_t money);

class CHomeActionMode : public CModeState {
public:
    static constexpr int32_t kClosingKind = 53;
    static constexpr int32_t kMusicFadeMs = 800;
    // 添い寝神: every action costs 2 more.
    static constexpr int32_t kSleepGodSeason = 7;
    static constexpr int32_t kSleepGodExtra = 2;

    // `choice`: the game-state word the menu wrote the choice into (null: sub 0).
    CHomeActionMode(CHomeHostMode& host, int32_t id, int32_t kind, int32_t CGameState::*choice);

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    void SaveState(CGameState& state) override;
    void LoadState(const CGameState& state) override;
    void PrepareThumbnail() override;

    int32_t GetStep() const { return m_Step; }
    int32_t GetId() const { return m_Id; }
    int32_t GetChoice() const;

protected:
    virtual void _Step();
    // The choice's action counter + 1.
    void _Count(CStatus& status, int32_t choice);
    void _ReturnToMenu();

    CHomeHostMode& m_Host;
    int32_t m_Id;
    int32_t m_Kind;
    int32_t CGameState::*m_Choice;
    int32_t m_Step = 0;
};

class CHouseworkMode : public CHomeActionMode {
public:
    explicit CHouseworkMode(CHomeHostMode& host) : CHomeActionMode(host, 1, 26, &CGameState::m_HouseworkKind) {}
};

class COutingMode : public CHomeActionMode {
public:
    explicit COutingMode(CHomeHostMode& host) : CHomeActionMode(host, 2, 28, &CGameState::m_OutingDestination) {}
};

class CRoomPlayMode : public CHomeActionMode {
public:
    explicit CRoomPlayMode(CHomeHostMode& host) : CHomeActionMode(host, 3, 41, &CGameState::m_RoomPlay) {}
};

class CRestMode : public CHomeActionMode {
public:
    explicit CRestMode(CHomeHostMode& host) : CHomeActionMode(host, 4, 46, &CGameState::m_RestChoice) {}
};

class CNursingMode : public CHomeActionMode {
public:
    explicit CNursingMode(CHomeHostMode& host) : CHomeActionMode(host, 5, 48, nullptr) {}

protected:
    void _Step() override;
};
