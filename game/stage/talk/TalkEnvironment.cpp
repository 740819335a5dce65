#include "game/stage/talk/TalkEnvironment.h"

#include "engine/base/AppManager.h"
#include "engine/d3d/Screen.h"
#include "game/core/GameMain.h"

namespace {
const CSystemData* s_Override = nullptr;
}

const CSystemData* GetTalkSystemData() {
    if (s_Override) {
        return s_Override;
    }
    CGameMain* game = GetGameMain();
    return game ? &game->GetSystemData() : nullptr;
}

bool IsTalkEffectsOn() {
    const CSystemData* data = GetTalkSystemData();
    return !data || data->IsEffectsOn();
}

bool IsTalkScreenDirect3D() {
    CScreen* screen = CAppManager::GetScreen(nullptr);
    return screen && screen->UsesDirect3D();
}

CTalkSystemDataOverride::CTalkSystemDataOverride(const CSystemData& data) : m_Previous(s_Override) {
    s_Override = &data;
}

CTalkSystemDataOverride::~CTalkSystemDataOverride() { s_Override = m_Previous; }
