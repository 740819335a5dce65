// The program's entry: hands the command line to the game's start-up.
#include <string>
#include <vector>

#include "game/core/GameStartup.h"

int main(int argc, char** argv) { return RunGame(std::vector<std::string>(argv, argv + argc)); }
