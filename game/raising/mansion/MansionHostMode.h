#pragma once
// In-game mode 16, the mansion side: a side host whose mode machine runs the mansion's
// modes 0 to 18 (CMansionModeFactory).  Mode 0 is the menu, 1 to 4 and 6 to 8 the
// actions, 5 the shop, 9 to 17 the relays to modes 0 to 8, 18 the exit that ends the
// mansion side.  The current mansion mode is saved in the game state's mansion word.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "engine/draw/SceneFactory.h"
#include "game/raising/ingame/SideHostMode.h"

class CMansionHostMode;

class CMansionModeFactory : public CModeFactory {
public:
    static constexpr int32_t kMaxModeId = 18;
    using Maker = std::function<std::unique_ptr<CModeState>(CMansionHostMode& host)>;

    explicit CMansionModeFactory(CMansionHostMode& host) : m_Host(host) {}

    // The mode of an id 0..18; null for any other id.
    std::unique_ptr<CModeState> CreateMode(int32_t id) override;
    // The maker of mode `id` in place of the built-in one (tests' stand-ins); an empty
    // maker removes it.
    void SetMaker(int32_t id, Maker maker);

private:
    CMansionHostMode& m_Host;
    std::map<int32_t, Maker> m_Makers;
};

class CMansionHostMode : public CSideHostMode {
public:
    static constexpr int32_t kModeId = 16;
    // Mansion modes by id.
    enum EMode : int32_t {
        MENU = 0,
        WORK = 1,
        EXCHANGE = 2,
        BOND = 3,
        TRAINING = 4,
        SHOP = 5,
        JOB = 6,
        MEAL = 7,
        SMALL_EXPENSE = 8,
        FIRST_RELAY = 9,
        LAST_RELAY = 17,
        EXIT = 18,
    };

    explicit CMansionHostMode(CRaisingScene& owner);

    // A fresh factory and manager (the makers set before are dropped).
    void CreateModeMachine();
    CMansionModeFactory& GetFactory() { return *m_Factory; }

    // The current mansion mode into the mansion word, then that mode's words.
    void SaveState(CGameState& state) override;
    // The saved mansion mode made again at once (a damaged word gives the menu) and
    // given its words.
    void LoadState(const CGameState& state) override;

private:
    CMansionModeFactory* m_Factory = nullptr;  // owned by the side host
};
