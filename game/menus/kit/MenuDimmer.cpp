#include "game/menus/kit/MenuDimmer.h"

#include "engine/base/Log.h"

bool CMenuDimmer::Load() {
    if (!m_Plane.Create(kSize, kSize, true) || !m_Plane.Fill(kColour)) {
        DebugPrintf("CMenuDimmer::Load() 暗幕を作成できません");
        return false;
    }
    return true;
}

void CMenuDimmer::Draw() { m_Plane.DrawStretch(SRect{0, 0, 800, 600}, SRect{0, 0, kSize, kSize}, 0xFFFFFFFFu); }
