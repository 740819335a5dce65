#pragma once
// The music of the work report and the food screen: started on the stage's music slot
// 0 unless some music slot of the stage already plays it, so that going from one
// screen to the other never restarts the piece.
#include <string>

class CMainGameScene;

constexpr const char* kWorkMusic = "bgm\\bgm_002.ogg";

// True when a playing music record of the stage (refreshed through its snapshot) holds
// `file`, compared lower-cased.
bool IsStageMusicPlaying(CMainGameScene& stage, const std::string& file);
// Loads and plays `file` on music slot 0 (volume 80, centre) unless it plays already.
void EnsureStageMusic(CMainGameScene& stage, const std::string& file);
