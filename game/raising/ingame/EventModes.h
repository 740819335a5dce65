#pragma once
// The event modes 7 to 12: each plays the event of one occasion on the stage and ends
// when its script (and the script's follow-ups) are done.  They show the stage and
// keep their step (and sub or flag) in the mode's words of the game state.
//
// Every Update first runs the stage's; the mode acts only once the stage's script has
// ended and the in-game scene runs no script.
#include <cstdint>

#include "game/raising/ingame/ModeState.h"

class CEventModeBase : public CModeState {
public:
    CEventModeBase(CRaisingScene& owner, int32_t modeId) : CModeState(owner), m_ModeId(modeId) {}

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    void PrepareThumbnail() override;
    void SaveState(CGameState& state) override;
    void LoadState(const CGameState& state) override;

    int32_t GetStep() const { return m_Step; }

protected:
    // One step of the mode's own machine (the frame test passed).
    virtual void _Step() = 0;
    // Plays (kind, sub) and waits for it, then ends the mode: steps 0 to 2.
    void _PlayAndEnd(int32_t kind, int32_t sub);
    // The slide panel shows picture n alone for 120 frames.
    void _ShowSlide(int n);

    int32_t m_ModeId;
    int32_t m_Step = 0;
    // Word 1 of the mode's record: the sub (9, 12) or the handling flag (7).
    int32_t m_Word = 0;
};

// 7: the month's seasonal event (2, 7 + c) and its outcome, or (4, 0) in a month
// without one.
class CSeasonalEventMode : public CEventModeBase {
public:
    static constexpr int32_t kModeId = 7;
    explicit CSeasonalEventMode(CRaisingScene& owner) : CEventModeBase(owner, kModeId) {}
    void Load() override;
    bool IsHandling() const { return m_Word != 0; }

protected:
    void _Step() override;

private:
    void _ApplyOutcome(int32_t kind);
};

// 8: the event of the occasion (5, 0).
class CEventMode : public CEventModeBase {
public:
    static constexpr int32_t kModeId = 8;
    explicit CEventMode(CRaisingScene& owner) : CEventModeBase(owner, kModeId) {}

protected:
    void _Step() override { _PlayAndEnd(5, 0); }
};

// 9 (24, sub) and 12 (50, sub): a friend's event; the sub is 5 when the occasion has
// one, else the friend chosen among those with an exchange level of 1 or more, else 4.
class CFriendEventMode : public CEventModeBase {
public:
    CFriendEventMode(CRaisingScene& owner, int32_t modeId);
    void Load() override;
    int32_t GetSub() const { return m_Word; }

protected:
    void _Step() override { _PlayAndEnd(m_Kind, m_Word); }

private:
    int32_t m_Kind;
    int m_Slide;
};

// 10 (25, 0) and 11 (49, 0).
class CSingleEventMode : public CEventModeBase {
public:
    CSingleEventMode(CRaisingScene& owner, int32_t modeId);
    void Load() override { _ShowSlide(m_Slide); }

protected:
    void _Step() override { _PlayAndEnd(m_Kind, 0); }

private:
    int32_t m_Kind;
    int m_Slide;
};
