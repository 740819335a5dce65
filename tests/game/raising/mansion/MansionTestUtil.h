#pragma once
// The real in-game scene running the real mansion side (mode 16), with a test menu in
// place of the menu screen: on each visit it takes the next pick (the chosen friend,
// manner, bond friend and meal written as the menu writes them) and goes to the
// action through its relay; with no pick left it ends the mansion side; a HOLD pick
// keeps it waiting.
#include <deque>
#include <functional>

#include "game/raising/mansion/ActionModes.h"
#include "game/raising/mansion/MansionHostMode.h"
#include "game/raising/mansion/MansionHosts.h"
#include "tests/game/raising/ingame/InGameTestUtil.h"

namespace mansiontest {

using namespace ingametest;

struct SPick {
    int32_t mode;  // 1..8, or kHold
    int32_t chosen = 0;  // friend, bond friend or meal
    int32_t manner = 0;
};
constexpr int32_t kHold = -1;

// Events of the actions' occasions (no (18, 0): the meal falls back to its own).
inline std::vector<SRow> MansionRows() {
    return {{1, 6, 0, "work0"},  {2, 6, 3, "work3"}, {3, 7, 2, "talk1"},  {4, 7, 6, "walk1"}, {5, 11, 3, "bond2"},
            {6, 15, 0, "train0"}, {7, 17, 0, "job"},  {8, 17, 1, "raise"}, {9, 18, 2, "meal1"}, {10, 21, 0, "care"}};
}

class CTestMenu : public CMansionMenuScreen {
public:
    CTestMenu(CMansionHostMode& host, std::deque<SPick>* picks) : CMansionMenuScreen(host), m_Picks(picks) {}
    bool IsPanelOpen() const override { return false; }
    void Update() override {
        if (m_Done || _InTransition()) return;
        if (!m_Picks->empty() && m_Picks->front().mode == kHold) return;
        m_Done = true;
        if (m_Picks->empty()) {
            m_Host.SetSideMode(CMansionHostMode::EXIT, 1, 30);
            return;
        }
        const SPick pick = m_Picks->front();
        m_Picks->pop_front();
        CGameState& state = m_Owner.State();
        state.m_ChosenFriend = state.m_ChosenBondFriend = state.m_ChosenMeal = pick.chosen;
        state.m_ChosenManner = pick.manner;
        m_Host.SetSideMode(CMansionHostMode::FIRST_RELAY + pick.mode, 1, 20);
    }

private:
    std::deque<SPick>* m_Picks;
    bool m_Done = false;
};

class MansionFixture : public InGameFixture {
protected:
    void Make(const std::vector<SRow>& rows) {
        Build(rows);
        kept->GetModeFactory().SetMaker(16, [this](CRaisingScene& owner) -> std::unique_ptr<CModeState> {
            auto host = std::make_unique<CMansionHostMode>(owner);
            host->GetFactory().SetMaker(0, [this](CMansionHostMode& h) -> std::unique_ptr<CModeState> {
                return std::make_unique<CBellHostMode>(h, std::make_unique<CTestMenu>(h, &picks));
            });
            // The shop without its screen goes straight back to the menu.
            host->GetFactory().SetMaker(5, [](CMansionHostMode& h) -> std::unique_ptr<CModeState> {
                return std::make_unique<CShopHostMode>(h, nullptr);
            });
            return host;
        });
        EnterParked();
        kept->Status().Words().stamina = 100;
        // A friend joins work or training on a draw; unless a test asks for one, nobody
        // does, whatever the clock seeded the shared generators with.
        const uint32_t nobody = SeedWhere([](uint32_t r) { return r >= 40; });
        CMansionWorkMode::Generator().Seed(nobody);
        CTrainingMode::Generator().Seed(nobody);
    }
    CMansionHostMode* Host() { return dynamic_cast<CMansionHostMode*>(kept->GetCurrentMode()); }
    CMansionActionMode* Action() {
        CMansionHostMode* host = Host();
        return host ? dynamic_cast<CMansionActionMode*>(host->GetCurrentSideMode()) : nullptr;
    }
    // Mode 16 from the start with these picks, run until it has ended.
    bool RunMansion(std::deque<SPick> list) {
        picks = std::move(list);
        kept->SetMode(16, 0, 0);
        return RunUntil([this] { return ModeEnded(); }, 3000);
    }
    // A seed whose generator's first draw out of 101 passes `test`.
    static uint32_t SeedWhere(const std::function<bool(uint32_t)>& test) {
        for (uint32_t seed = 1;; ++seed) {
            CRandom r(seed);
            if (test(r.Random(101))) return seed;
        }
    }

    std::deque<SPick> picks;
};

}  // namespace mansiontest
