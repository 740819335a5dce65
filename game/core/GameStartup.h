#pragma once
// The program's start-up on the main thread: the command line, the script-tool link,
// the two single-instance guards, the 24-bit desktop check, the log file, the tables
// and factories needed before the window, the developer's script chooser for the
// "viewer" start, then the game application; the main thread then waits until every
// thread has ended.
//
// Options of this build beside the game's own arguments: --data <folder> (the game
// folder), --frames <n> (end after n frames), --movie (plays "mov.pak" alone and ends),
// --scene <id> (opens a developer scene instead of the boot scene; other ids are
// refused with a log line and the game starts as usual), and CDebugWindow::kShowOption.
// "viewer" may be followed by script paths, which then replace the chooser.
#include <cstdint>
#include <string>
#include <vector>

#include "game/core/GameMain.h"

// What the program's entry hands the start-up: the makers of the in-game scenes, the
// game's own and the one of the "--movie" start (developer option: the kept in-game
// scene plays the movie mode alone and the program ends with it).  Without the movie
// maker that option is refused with a log line.
struct SGameParts {
    CGameMain::InGameSceneMaker inGameSceneMaker;
    CGameMain::InGameSceneMaker movieSceneMaker;
};
int RunGame(const std::vector<std::string>& args, const SGameParts& parts = {});

// The parts of the command line the start-up reads.
struct SGameCommandLine {
    std::string dataFolder;   // empty: the program's folder
    long long frames = -1;
    bool viewer = false;
    std::vector<std::string> viewerScripts;  // the scripts named after "viewer"
    bool debugWindow = false;                // CDebugWindow::kShowOption was given
    bool movie = false;                      // --movie: the movie mode alone
    int32_t scene = 0;                       // --scene: the developer scene; 0 none
    bool sceneRefused = false;               // --scene named no developer scene
    std::string sceneArg;                    // what followed --scene
    uint32_t seed = 0;                       // --seed: every random generator starts from it; 0 the clock
    // The game's own command line: the program and its arguments without this build's
    // options, so that argument 1 and the script-tool arguments keep their places.
    std::vector<std::string> gameArgs;
};
SGameCommandLine ParseGameCommandLine(const std::vector<std::string>& args);

// The scenes --scene may open: the letter viewer 26 and the sample scenes 27 to 29.
bool IsDeveloperStartScene(int32_t id);
