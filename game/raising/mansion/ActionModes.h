#pragma once
// Mansion modes 1 to 4 and 6 to 8: the actions.  Each plays its event on the stage,
// applies its result to the status record and returns to the menu.  The result is
// stored as the action's pending word (and its month word, which the month report
// reads while the event's script plays) when the event starts, and applied after it.
//
// Steps: 0 price, event, pending result; 1 the script ends; 2 the result applied;
// 3 stamina, counters, weekly flags and ReturnToMenu(0, 0); 4 nothing more.  The job
// plays its raise event in steps 5 and 6 when its pay rises.  Every step waits for the
// managers' transitions and for the stage and the in-game scene to run no script.
#include <cstdint>

#include "engine/base/Random.h"
#include "game/raising/mansion/MansionMode.h"
#include "game/raising/mansion/MansionTables.h"

class CStatus;
struct SStatusWords;

class CMansionActionMode : public CMansionMode {
public:
    CMansionActionMode(CMansionHostMode& host, int32_t modeId) : CMansionMode(host), m_ModeId(modeId) {}

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    void PrepareThumbnail() override;
    // The step and the partner, in the mode's words of the mansion record.
    void SaveState(CGameState& state) override;
    void LoadState(const CGameState& state) override;

    int32_t GetModeId() const { return m_ModeId; }
    int32_t GetStep() const { return m_Step; }
    int32_t GetPartner() const { return m_Partner; }

protected:
    static constexpr int32_t kStepFinish = 3;

    // Step 0: the price, the event and the pending result.
    virtual void _Begin() = 0;
    // Step 2: the pending result applied and cleared; the next step.
    virtual int32_t _Apply() = 0;
    // Step 3 before the return to the menu.
    virtual void _Finish() = 0;

    CStatus& _Status();
    SStatusWords& _Words();
    // The pending word through one of the status's clamping adders, then cleared.
    void _ApplyPending(int32_t& pending, void (CStatus::*adder)(int32_t));
    // Counter (103, index) + 1.
    void _Count(int32_t index);
    // A chosen index of the game state held to 0..last (a damaged save gives 0).
    int32_t _Chosen(int32_t value, int32_t last, const char* what) const;

    int32_t m_ModeId;
    int32_t m_Step = 0;
    int32_t m_Partner = 0;
};

// Modes 1 and 4: a friend may join; Load chooses the partner.
class CPartnerActionMode : public CMansionActionMode {
public:
    CPartnerActionMode(CMansionHostMode& host, int32_t modeId, mansion::EPartnerAction action)
        : CMansionActionMode(host, modeId), m_Action(action) {}
    void Load() override;
    int32_t GetSub() const { return mansion::PartnerSub(m_Action, m_Partner); }

protected:
    virtual CRandom& _Generator() = 0;
    // The counter of partner 0 (partners 0 to 4 count in a row; 5 in none).
    void _CountPartner(int32_t first);

    mansion::EPartnerAction m_Action;
};

// 1: work, event (6, sub).
class CMansionWorkMode : public CPartnerActionMode {
public:
    explicit CMansionWorkMode(CMansionHostMode& host)
        : CPartnerActionMode(host, 1, mansion::EPartnerAction::WORK) {}
    // The class's generator, made on first use; tests reseed it.
    static CRandom& Generator();

protected:
    CRandom& _Generator() override { return Generator(); }
    void _Begin() override;
    int32_t _Apply() override;
    void _Finish() override;
};

// 4: training, event (15, sub).
class CTrainingMode : public CPartnerActionMode {
public:
    explicit CTrainingMode(CMansionHostMode& host)
        : CPartnerActionMode(host, 4, mansion::EPartnerAction::TRAINING) {}
    static CRandom& Generator();

protected:
    CRandom& _Generator() override { return Generator(); }
    void _Begin() override;
    int32_t _Apply() override;
    void _Finish() override;
};

// 2: time with the chosen friend in the chosen manner, event (7, friend + 1 + 4 × manner).
// Manner 0 costs 25, paid once the gain is applied.
class CFriendExchangeMode : public CMansionActionMode {
public:
    static constexpr int32_t kPrice = 25;
    explicit CFriendExchangeMode(CMansionHostMode& host) : CMansionActionMode(host, 2) {}

protected:
    void _Begin() override;
    int32_t _Apply() override;
    void _Finish() override;

private:
    // The chosen friend and manner (game-state words, saved with the game).
    int32_t _Friend() const;
    int32_t _Manner() const;
};

// 3: an action for the chosen bond friend, event (11, friend + 1).
class CFriendBondMode : public CMansionActionMode {
public:
    explicit CFriendBondMode(CMansionHostMode& host) : CMansionActionMode(host, 3) {}

protected:
    void _Begin() override;
    int32_t _Apply() override;
    void _Finish() override;

private:
    int32_t _Friend() const;
};

// 6: the part-time job, event (17, 0); (17, 1) when the pay rises.
class CPartTimeJobMode : public CMansionActionMode {
public:
    explicit CPartTimeJobMode(CMansionHostMode& host) : CMansionActionMode(host, 6) {}

protected:
    void _Begin() override;
    int32_t _Apply() override;
    void _Finish() override;
};

// 7: the chosen meal, event (18, 0), or (18, meal + 1) when that has no event.
class CMealMode : public CMansionActionMode {
public:
    static constexpr int32_t kPrice[3] = {40, 120, 300};
    static constexpr int32_t kStamina[3] = {10, 20, 30};
    explicit CMealMode(CMansionHostMode& host) : CMansionActionMode(host, 7) {}

protected:
    void _Begin() override;
    int32_t _Apply() override;
    void _Finish() override;

private:
    int32_t _Meal() const;
};

// 8: a small expense for the girl, event (21, 0).
class CMindCareMode : public CMansionActionMode {
public:
    static constexpr int32_t kPrice = 5;
    static constexpr int32_t kGain = 5;
    explicit CMindCareMode(CMansionHostMode& host) : CMansionActionMode(host, 8) {}

protected:
    void _Begin() override;
    int32_t _Apply() override;
    void _Finish() override;
};
