#include "game/raising/mansion/MansionHostMode.h"

#include "engine/base/Log.h"
#include "game/core/GameState.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/mansion/ActionModes.h"
#include "game/raising/mansion/MansionHosts.h"
#include "game/raising/mansion/RelayModes.h"

CMansionMode::CMansionMode(CMansionHostMode& host) : CModeState(host.GetOwner()), m_Host(host) {}

bool CMansionMode::_InTransition() const {
    return m_Host.GetSideManager().IsInTransition() || m_Owner.IsModeInTransition();
}

std::unique_ptr<CModeState> CMansionModeFactory::CreateMode(int32_t id) {
    if (id < 0 || id > kMaxModeId) {
        DebugPrintf("CMansionModeFactory::CreateMode() モード番号が不正です[%d]", id);
        return nullptr;
    }
    if (auto it = m_Makers.find(id); it != m_Makers.end()) return it->second(m_Host);
    using M = CMansionHostMode;
    switch (id) {
    case M::MENU: return std::make_unique<CBellHostMode>(m_Host, MakeMansionMenuScreen(m_Host));
    case M::WORK: return std::make_unique<CMansionWorkMode>(m_Host);
    case M::EXCHANGE: return std::make_unique<CFriendExchangeMode>(m_Host);
    case M::BOND: return std::make_unique<CFriendBondMode>(m_Host);
    case M::TRAINING: return std::make_unique<CTrainingMode>(m_Host);
    case M::SHOP: return std::make_unique<CShopHostMode>(m_Host, MakeShopScreen(m_Host));
    case M::JOB: return std::make_unique<CPartTimeJobMode>(m_Host);
    case M::MEAL: return std::make_unique<CMealMode>(m_Host);
    case M::SMALL_EXPENSE: return std::make_unique<CMindCareMode>(m_Host);
    case M::EXIT: return std::make_unique<CMansionExitMode>(m_Host);
    default: return std::make_unique<CMansionRelayMode>(m_Host, id);  // 9 to 17
    }
}

void CMansionModeFactory::SetMaker(int32_t id, Maker maker) {
    if (id < 0 || id > kMaxModeId) {
        DebugPrintf("CMansionModeFactory::SetMaker() モード番号が不正です[%d]", id);
        return;
    }
    if (maker) {
        m_Makers[id] = std::move(maker);
    } else {
        m_Makers.erase(id);
    }
}

CMansionHostMode::CMansionHostMode(CRaisingScene& owner) : CSideHostMode(owner) { CreateModeMachine(); }

void CMansionHostMode::CreateModeMachine() {
    auto factory = std::make_unique<CMansionModeFactory>(*this);
    m_Factory = factory.get();
    SetFactory(std::move(factory));
}

void CMansionHostMode::SaveState(CGameState& state) { SaveSide(state, state.m_MansionMode); }

void CMansionHostMode::LoadState(const CGameState& state) {
    int32_t id = state.m_MansionMode;
    if (id < 0 || id > CMansionModeFactory::kMaxModeId) {
        // Nothing would run and the month could never leave the mansion side.
        DebugPrintf("CMansionHostMode::LoadState() 屋敷モードが不正です[%d]", id);
        id = MENU;
    }
    LoadSide(state, id);
}
