// niwa_demo_data FOLDER: writes the demo data into FOLDER (its save\ subfolder is left
// alone); the same bytes on every run.
#include <cstdio>
#include <string>

#include "tools/demo/DemoWriter.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: niwa_demo_data FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.empty() || folder.back() != '/') folder += '/';
    if (!demo::WriteDemoData(folder)) {
        return 1;
    }
    std::printf("niwa_demo_data: wrote %s\n", folder.c_str());
    return 0;
}
