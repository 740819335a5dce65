#pragma once
// The program's start-up on the main thread: the command line, the script-tool link,
// the two single-instance guards, the 24-bit desktop check, the log file, the tables
// and factories needed before the window, the developer's script chooser for the
// "viewer" start, then the game application; the main thread then waits until every
// thread has ended.
//
// Options of this build beside the game's own arguments: --data <folder> (the game
// folder, relative to the current folder), --frames <n> (end after n frames), --seed <n>,
// --movie (plays "mov.pak" alone and ends), --scene <id> (opens a developer scene instead
// of the boot scene), CDebugWindow::kShowOption and --help.  "viewer" may be followed by
// script paths, which then replace the chooser.
//
// What ends the program before its window, on stderr and with its exit code: an unknown
// option or a bad value (with the usage line), a data folder that is missing or holds
// none of the game's data, no display where no video driver was asked for, another copy
// running or using the same data folder.  Saves at exit that could not all be written
// end a run with an exit code of their own, the line naming each.
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
// The program's exit codes.
enum EGameExitCode {
    kExitOk = 0,              // the game ended as asked (also --help, a cancelled viewer)
    kExitStartFailed = 1,     // no display or window, a refused desktop, the lock file not made
    kExitUsage = 2,           // an unknown option or a bad value
    kExitAlreadyRunning = 3,  // another copy holds a single-instance lock or the data folder's
    kExitNoGameData = 4,      // the data folder is missing or holds no game data
    kExitSavesFailed = 5,     // the game ran, but a save at exit was not written
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
    bool help = false;                       // --help or -h
    std::string error;                       // the first fault of the command line; empty: none
    // The game's own command line: the program and its arguments without this build's
    // options, so that argument 1 and the script-tool arguments keep their places.
    std::vector<std::string> gameArgs;
};
SGameCommandLine ParseGameCommandLine(const std::vector<std::string>& args);

// The scenes --scene may open: the letter viewer 26 and the sample scenes 27 to 29.
bool IsDeveloperStartScene(int32_t id);
