#pragma once
// The slot commands that differ only in their group: stop, volume fade and pan fade of
// one slot.  Voice commands add 1 to the script's slot (bank slot 0 of the voice group
// is the current line's voice).
#include "game/stage/command/GameCommand.h"
#include "game/stage/scene/MainGameScene.h"

template <int32_t Group, int32_t SlotOffset>
class CSlotStopCommand : public CGameCommand {
protected:
    int32_t _Run(CAdvCommand& r, CMainGameScene& scene) override {
        scene.StopSlot(Group, Sum(r.Ints[0], SlotOffset), r.Ints[1]);
        return RESULT_NEXT_AND_GO;
    }
};

// `Fade` is the stage's volume or pan fade: (group, slot, value, ms).
using SlotFade = void (CMainGameScene::*)(int32_t, int32_t, int32_t, int32_t);

template <int32_t Group, int32_t SlotOffset, SlotFade Fade>
class CSlotFadeCommand : public CGameCommand {
protected:
    int32_t _Run(CAdvCommand& r, CMainGameScene& scene) override {
        (scene.*Fade)(Group, Sum(r.Ints[0], SlotOffset), r.Ints[1], r.Ints[2]);
        return RESULT_NEXT_AND_GO;
    }
};

template <int32_t Group, int32_t SlotOffset>
using CSlotVolumeCommand = CSlotFadeCommand<Group, SlotOffset, &CMainGameScene::FadeSlotVolume>;
template <int32_t Group, int32_t SlotOffset>
using CSlotPanCommand = CSlotFadeCommand<Group, SlotOffset, &CMainGameScene::FadeSlotPan>;
