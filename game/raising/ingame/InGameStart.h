#pragma once
// The makers of the game's in-game scenes, handed to the start-up by the program's
// entry: every kept and fresh scene is a CRaisingScene.
#include <cstdint>

#include "game/core/GameMain.h"

// `soloMode` other than 0 makes the kept scene play that mode alone and end the
// program with it (the "--movie" start gives 19).
CGameMain::InGameSceneMaker MakeInGameSceneMaker(int32_t soloMode = 0);
