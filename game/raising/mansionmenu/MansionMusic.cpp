#include "game/raising/mansionmenu/MansionMusic.h"

#include "game/core/StageSnapshot.h"
#include "game/stage/scene/MainGameScene.h"

void StartMansionMusic(CMainGameScene& stage) {
    static const char* const kMusic = "bgm\\bgm_002.ogg";
    CStageSnapshot& record = stage.GetRecord();
    for (int s = 0; s < CStageSnapshot::kSoundSlots; ++s) {
        const SSoundSlotRecord* r = record.GetSoundSlot(0, s);
        if (r && r->playing != 0 && r->source == kMusic) return;
    }
    stage.LoadSlot(0, 0, kMusic);
    stage.SetSlotVolume(0, 0, 80);
    stage.SetSlotPan(0, 0, 0);
    stage.PlaySlot(0, 0, 0, 0);
}
