#pragma once
// The music of the mansion's screens: "bgm\bgm_002.ogg" in music slot 0 at volume 80,
// started only when no active music record of the stage already holds it, so that
// going from the menu to the shop and back does not restart the tune.
class CMainGameScene;

void StartMansionMusic(CMainGameScene& stage);
