#include "game/raising/ingame/InGameModeFactory.h"

#include "engine/base/Log.h"
#include "game/raising/ingame/BasicModes.h"
#include "game/raising/ingame/EventModes.h"
#include "game/raising/ingame/SelectionScene.h"
#include "game/raising/letter/LetterMode.h"
#include "game/raising/season/DateCardScene.h"
#include "game/raising/season/SeasonalEventScene.h"
#include "game/raising/season/StaffRollScene.h"
#include "game/raising/mansion/MansionHostMode.h"
#include "game/raising/work/FoodAllowanceScene.h"
#include "game/raising/work/WorkReportScene.h"
#include "game/raising/home/HomeHostMode.h"

std::unique_ptr<CModeState> CInGameModeFactory::CreateMode(int32_t id) {
    if (id <= 0 || id > kMaxModeId) {
        if (id != 0) DebugPrintf("CInGameModeFactory::CreateMode() モード番号が不正です[%d]", id);
        return nullptr;
    }
    if (auto it = m_Makers.find(id); it != m_Makers.end()) return it->second(m_Owner);
    // The calendar's screens: the date card, the seasonal event, the staff roll.
    switch (id) {
    case 4: return std::make_unique<CD000Scene>(m_Owner);
    case 6: return std::make_unique<CG000ModeState>(m_Owner);
    case 14: return std::make_unique<CStaffRollScene>(m_Owner);
    default: break;
    }
    switch (id) {
    case 1: return std::make_unique<CBlankMode>(m_Owner);
    case 2: return std::make_unique<CStageMode>(m_Owner);
    case 3: return CreateSelectionMode();
    case 7: return std::make_unique<CSeasonalEventMode>(m_Owner);
    case 8: return std::make_unique<CEventMode>(m_Owner);
    case 9:
    case 12: return std::make_unique<CFriendEventMode>(m_Owner, id);
    case 13: return std::make_unique<CLetterModeState>(m_Owner);
    case 10:
    case 11: return std::make_unique<CSingleEventMode>(m_Owner, id);
    // The mansion side.
    case CMansionHostMode::kModeId: return std::make_unique<CMansionHostMode>(m_Owner);
    // The work report and the food allowance (game/raising/work).
    case 5: return std::make_unique<CWorkReportMode>(m_Owner);
    case 15: return std::make_unique<CFoodAllowanceMode>(m_Owner);
    // The home side.
    case 17: return std::make_unique<CHomeHostMode>(m_Owner);
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
