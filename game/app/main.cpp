// The program's entry: hands the command line to the game's start-up.
#include <string>
#include <vector>

#include "game/core/GameStartup.h"
#include "game/raising/movie/MovieStart.h"

int main(int argc, char** argv) {
    // The developer start "--movie" plays the movie alone through this factory.
    CMovieStartFactory movieStart;
    return RunGame(std::vector<std::string>(argv, argv + argc), &movieStart);
}
