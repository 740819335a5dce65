// The program's entry: hands the command line to the game's start-up.
#include <string>
#include <vector>

#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    // --data <folder> points the game at a data folder other than its own.
    for (size_t i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "--data") {
            SetGameFolder(args[i + 1]);
        }
    }
    EnableLogFile(GetGameFolder() + "log.txt");
    DebugPrintf("起動しました");
    DisableLogFile();
    return 0;
}
