// Music (group 0), sound effects (group 1) and voices (group 2) through the stage's
// sound-slot mirror.  Scripts number voice slots from 0: bank slot 0 of the voice group
// belongs to the current message line, so a script's voice slot n is bank slot n + 1.
#include <string>

#include "game/core/BgmList.h"
#include "game/core/SystemData.h"
#include "game/core/VoiceName.h"
#include "game/stage/command/GameCommands.h"
#include "game/stage/scene/MainGameScene.h"

namespace {

constexpr int32_t kMusic = 0;
constexpr int32_t kEffect = 1;
constexpr int32_t kVoice = 2;
constexpr int32_t kLoop = 0;

int32_t OnceFlag(int32_t value) { return value != 0 ? 1 : 0; }

// Load (from a file, or from a list of names), volume, pan, play: codes 30, 35, 41 and
// 46 to 48.
void Start(CMainGameScene& scene, int32_t group, int32_t slot, const CAdvCommand& r, bool list, int32_t once) {
    if (list) {
        scene.PlaySound(group, slot, r.Strings[0]);
    } else {
        scene.LoadSlot(group, slot, r.Strings[0]);
    }
    scene.SetSlotVolume(group, slot, r.Ints[1]);
    scene.SetSlotPan(group, slot, r.Ints[2]);
    scene.PlaySlot(group, slot, once, r.Ints[3]);
}

}  // namespace

int32_t CGameCommand30::_Run(CAdvCommand& r, CMainGameScene& scene) {
    Start(scene, kMusic, r.Ints[0], r, false, kLoop);
    LoadBgmList(r.Strings[0], scene.GetSettings());
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand32::_Run(CAdvCommand& r, CMainGameScene& scene) {
    scene.StopSoundGroup(kMusic, r.Ints[1]);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand35::_Run(CAdvCommand& r, CMainGameScene& scene) {
    Start(scene, kEffect, r.Ints[0], r, false, OnceFlag(r.Ints[4]));
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand37::_Run(CAdvCommand& r, CMainGameScene& scene) {
    // The stage's group stop of the effects takes the voices with it.
    scene.StopSoundGroup(kEffect, r.Ints[1]);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand40::_Run(CAdvCommand& r, CMainGameScene& scene) {
    for (int32_t group : {kMusic, kEffect, kVoice}) scene.StopSoundGroup(group, r.Ints[1]);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand41::_Run(CAdvCommand& r, CMainGameScene& scene) {
    const CSystemData* settings = scene.GetSettings();
    if (settings && !settings->GetVoiceSwitch(ClassifyVoiceName(r.Strings[0]))) return RESULT_NEXT_AND_GO;
    Start(scene, kVoice, Sum(r.Ints[0], 1), r, false, OnceFlag(r.Ints[4]));
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand43::_Run(CAdvCommand& r, CMainGameScene& scene) {
    // One millisecond more than given, so that 0 fades out rather than unloading at once.
    scene.StopSoundGroup(kVoice, Sum(r.Ints[1], 1));
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand46::_Run(CAdvCommand& r, CMainGameScene& scene) {
    Start(scene, kMusic, r.Ints[0], r, true, kLoop);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand47::_Run(CAdvCommand& r, CMainGameScene& scene) {
    Start(scene, kEffect, r.Ints[0], r, true, OnceFlag(r.Ints[4]));
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand48::_Run(CAdvCommand& r, CMainGameScene& scene) {
    Start(scene, kVoice, Sum(r.Ints[0], 1), r, true, OnceFlag(r.Ints[4]));
    return RESULT_NEXT_AND_GO;
}
