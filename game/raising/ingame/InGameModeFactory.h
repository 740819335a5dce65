#pragma once
// The factory of the in-game modes 1 to 19.  Ids 0 and those outside 1..19 make
// nothing (the mode manager then holds no mode and the step machine runs again).
//
// Modes built here: 1 blank, 2 stage, 7 to 12 the event modes, 17 the home side,
// 18 picture, 19 movie.
// Mode 3 (the selection screen) is kept by the in-game scene outside the manager; the
// factory builds it on request (CreateSelectionMode).  The screens of 4, 5, 6, 13 to
// 16 join through SetMaker when they exist; until then their ids make nothing, as any
// id without a mode does.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "engine/draw/SceneFactory.h"
#include "game/raising/ingame/ModeState.h"

class CInGameModeFactory : public ISceneFactory {
public:
    static constexpr int32_t kMaxModeId = 19;
    using Maker = std::function<std::unique_ptr<CModeState>(CRaisingScene& owner)>;

    explicit CInGameModeFactory(CRaisingScene& owner) : m_Owner(owner) {}

    std::unique_ptr<CSceneBase> Create(int32_t id) override;
    // The mode of an id (null for none), its owner the in-game scene.
    std::unique_ptr<CModeState> CreateMode(int32_t id);
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
