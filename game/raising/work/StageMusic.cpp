#include "game/raising/work/StageMusic.h"

#include "engine/base/StringUtil.h"
#include "game/core/StageSnapshot.h"
#include "game/stage/scene/MainGameScene.h"

bool IsStageMusicPlaying(CMainGameScene& stage, const std::string& file) {
    const CStageSnapshot& record = stage.SaveSnapshot();
    const std::string wanted = StrCaseConvert(file);
    for (int slot = 0; slot < CStageSnapshot::kSoundSlots; ++slot) {
        const SSoundSlotRecord* r = record.GetSoundSlot(0, slot);
        if (r && r->playing && StrCaseConvert(r->source) == wanted) return true;
    }
    return false;
}

void EnsureStageMusic(CMainGameScene& stage, const std::string& file) {
    if (IsStageMusicPlaying(stage, file)) return;
    stage.LoadSlot(0, 0, file);
    stage.SetSlotVolume(0, 0, 80);
    stage.SetSlotPan(0, 0, 0);
    stage.PlaySlot(0, 0, 0, 0);
}
