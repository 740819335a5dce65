#pragma once
// The factory of the in-game modes 1 to 19.  Ids 0 and those outside 1..19 make
// nothing (the mode manager then holds no mode and the step machine runs again).
//
// Each screen registers its id with a case of CreateMode; mode 3 (the selection screen) is
// kept by the in-game scene outside the manager and built on request
// (CreateSelectionMode).  An id without a mode makes nothing, and the step machine goes on.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "game/raising/ingame/ModeState.h"

class CInGameModeFactory : public CModeFactory {
public:
    static constexpr int32_t kMaxModeId = 19;
    using Maker = std::function<std::unique_ptr<CModeState>(CRaisingScene& owner)>;

    explicit CInGameModeFactory(CRaisingScene& owner) : m_Owner(owner) {}

    // The mode of an id (null for none), its owner the in-game scene.
    std::unique_ptr<CModeState> CreateMode(int32_t id) override;
    // Mode 3: the selection host.
    std::unique_ptr<CModeState> CreateSelectionMode();

    // The maker of mode `id` (1..19) in place of the built-in one; an empty maker
    // removes it.  Later screens register here; tests put stand-ins here.
    void SetMaker(int32_t id, Maker maker);
    const std::map<int32_t, Maker>& GetMakers() const { return m_Makers; }
    void SetMakers(std::map<int32_t, Maker> makers) { m_Makers = std::move(makers); }

private:
    CRaisingScene& m_Owner;
    std::map<int32_t, Maker> m_Makers;
};
