// niwa_demo_data FOLDER: writes the demo data into FOLDER (its save\ subfolder is left
// alone); the same bytes on every run.  A relative FOLDER is taken from the current
// folder.
#include <cstdio>
#include <string>

#include "engine/base/GameFolder.h"
#include "tools/demo/DemoWriter.h"

namespace {
constexpr const char* kUsage = "usage: niwa_demo_data FOLDER\n";
}

int main(int argc, char** argv) {
    const std::string arg = argc == 2 ? argv[1] : "";
    if (arg == "--help" || arg == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 2 || arg.empty() || arg[0] == '-') {
        if (argc == 2 && !arg.empty()) std::fprintf(stderr, "niwa_demo_data: unknown option %s\n", arg.c_str());
        std::fputs(kUsage, stderr);
        return 2;
    }
    // Made absolute once, before anything is written: the file layer would put a
    // relative path below the program's own folder, not the current one.
    SetGameFolder(arg);
    const std::string folder = GetGameFolder();
    if (!demo::WriteDemoData(folder)) {
        return 1;
    }
    std::printf("niwa_demo_data: wrote %s\n", folder.c_str());
    return 0;
}
