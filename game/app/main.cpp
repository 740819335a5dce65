// The program's entry: hands the command line and the game's in-game scenes to the
// start-up.
#include <string>
#include <vector>

#include "game/core/GameStartup.h"
#include "game/raising/ingame/InGameStart.h"
#include "game/raising/movie/MovieMode.h"

int main(int argc, char** argv) {
    SGameParts parts;
    parts.inGameSceneMaker = MakeInGameSceneMaker();
    // The developer start "--movie": the kept in-game scene plays the movie mode alone.
    parts.movieSceneMaker = MakeInGameSceneMaker(CMovieMode::kModeId);
    return RunGame(std::vector<std::string>(argv, argv + argc), parts);
}
