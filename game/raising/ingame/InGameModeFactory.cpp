#include "game/raising/ingame/InGameModeFactory.h"

#include "engine/base/Log.h"
#include "game/raising/ingame/BasicModes.h"
#include "game/raising/ingame/EventModes.h"
#include "game/raising/ingame/SelectionScene.h"
#include "game/raising/mansion/MansionHostMode.h"

std::unique_ptr<CSceneBase> CInGameModeFactory::Create(int32_t id) { return CreateMode(id); }

std::unique_ptr<CModeState> CInGameModeFactory::CreateMode(int32_t id) {
    if (id <= 0 || id > kMaxModeId) {
        if (id != 0) DebugPrintf("CInGameModeFactory::CreateMode() モード番号が不正です[%d]", id);
        return nullptr;
    }
    if (auto it = m_Makers.find(id); it != m_Makers.end()) return it->second(m_Owner);
    switch (id) {
    case 1: return std::make_unique<CBlankMode>(m_Owner);
    case 2: return std::make_unique<CStageMode>(m_Owner);
    case 3: return CreateSelectionMode();
    case 7: return std::make_unique<CSeasonalEventMode>(m_Owner);
    case 8: return std::make_unique<CEventMode>(m_Owner);
    case 9:
    case 12: return std::make_unique<CFriendEventMode>(m_Owner, id);
    case 10:
    case 11: return std::make_unique<CSingleEventMode>(m_Owner, id);
    // The mansion side.
    case CMansionHostMode::kModeId: return std::make_unique<CMansionHostMode>(m_Owner);
    case 18: return std::make_unique<CPictureMode>(m_Owner);
    case 19: return std::make_unique<CMovieModeState>(m_Owner);
    default: return nullptr;  // a screen that has not joined yet
    }
}

std::unique_ptr<CModeState> CInGameModeFactory::CreateSelectionMode() {
    return std::make_unique<CSelectionHostMode>(m_Owner);
}

void CInGameModeFactory::SetMaker(int32_t id, Maker maker) {
    if (id <= 0 || id > kMaxModeId) {
        DebugPrintf("CInGameModeFactory::SetMaker() モード番号が不正です[%d]", id);
        return;
    }
    if (maker) {
        m_Makers[id] = std::move(maker);
    } else {
        m_Makers.erase(id);
    }
}
