#include "game/stage/command/GameCommand.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "engine/base/Log.h"
#include "engine/base/ScriptToolInterface.h"
#include "game/core/GameMain.h"
#include "game/core/ReadHistory.h"
#include "game/stage/scene/MainGameScene.h"

int32_t CGameCommand::Translate(CAdvCommand& record) {
    if (!m_Scene) return RESULT_NEXT_AND_GO;
    CScriptToolInterface& tool = GetScriptToolLink();
    if (tool.IsConnected()) tool.WriteRecordId(static_cast<int32_t>(record.Id));
    const std::string name = m_Scene->GetScriptName();
    if (CGameMain* game = m_Scene->GetGame(); game && !name.empty()) {
        game->GetReadFlags().Add(name, static_cast<int32_t>(record.Id), 1);
    }
    return _Run(record, *m_Scene);
}

int32_t CGameCommand::_Run(CAdvCommand&, CMainGameScene&) { return RESULT_NEXT_AND_GO; }

int32_t CGameCommand::Frames(int64_t ms) const {
    if (ms < 0) {
        DebugPrintf("CGameCommand::Frames() 負の時間を0とします[%lld]", static_cast<long long>(ms));
        return 0;
    }
    CGameMain* game = m_Scene ? m_Scene->GetGame() : nullptr;
    const int64_t fps = game ? game->GetFrameTimer().GetFps() : 60;
    const int64_t frames = fps * ms / 1000;
    return frames > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                         : static_cast<int32_t>(frames);
}

bool CGameCommand::Place(int32_t rule, int32_t x, int32_t y, SSize size, SPoint* at) {
    if (rule == 0) {
        *at = {x, y};
        return true;
    }
    static constexpr int32_t kShift[] = {0, -170, 170};
    if (rule < 1 || rule > 3) return false;
    *at = {Sum(Sum((CMainGameScene::kScreenWidth - size.cx) / 2, x), kShift[rule - 1]),
           Sum(y, CMainGameScene::kScreenHeight - size.cy)};
    return true;
}

int32_t CGameCommand::Sum(int64_t a, int64_t b) {
    return static_cast<int32_t>(std::clamp<int64_t>(a + b, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

uint32_t CGameCommand::OpaqueColour(int32_t r, int32_t g, int32_t b) {
    return 0xFF000000u + (static_cast<uint32_t>(r) & 255u) * 65536u + (static_cast<uint32_t>(g) & 255u) * 256u +
           (static_cast<uint32_t>(b) & 255u);
}
