// niwa_pak: builds and inspects the game's ".pak" archives.
//
//   niwa_pak pack <folder> <out.pak>     every file below the folder, named by its
//                                        path relative to it ("a\b.txt")
//   niwa_pak single <file> <out.pak>     the single-file form of one file
//   niwa_pak list <archive.pak>          names, sizes and methods of the entries
//   niwa_pak test <archive.pak>          extracts every entry and checks its CRC-32
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/file/PakArchive.h"
#include "engine/file/PakWriter.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: niwa_pak pack <folder> <out.pak>\n"
                 "       niwa_pak single <file> <out.pak>\n"
                 "       niwa_pak list <archive.pak>\n"
                 "       niwa_pak test <archive.pak>\n");
    return 2;
}

int Pack(const std::string& folder, const std::string& out) {
    CPakWriter writer;
    if (!writer.AddFolder(folder)) return 1;
    if (!writer.Save(out)) return 1;
    std::printf("%s: %zu entries\n", out.c_str(), writer.GetEntryCount());
    return 0;
}

int Single(const std::string& file, const std::string& out) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "niwa_pak: cannot read %s\n", file.c_str());
        return 1;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<uint8_t> pak;
    std::string name = std::filesystem::path(file).filename().string();
    if (!CPakWriter::BuildSingle(name, bytes, &pak)) return 1;
    std::ofstream o(out, std::ios::binary | std::ios::trunc);
    o.write(reinterpret_cast<const char*>(pak.data()), static_cast<std::streamsize>(pak.size()));
    if (!o) {
        std::fprintf(stderr, "niwa_pak: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}

int List(const std::string& path, bool test) {
    CPakArchive archive;
    if (!archive.OpenFile(path)) return 1;
    int bad = 0;
    for (const SPakEntry& e : archive.GetEntries()) {
        if (test) {
            std::vector<uint8_t> bytes;
            bool ok = archive.Extract(e, &bytes);
            if (!ok) ++bad;
            std::printf("%-4s %s\n", ok ? "ok" : "BAD", e.name.c_str());
        } else {
            std::printf("%10u %10u %-6s %s\n", e.size, e.storedSize, e.method ? "zlib" : "stored", e.name.c_str());
        }
    }
    if (test) std::printf("%zu entries, %d damaged\n", archive.GetEntries().size(), bad);
    return bad ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    // The tool prints its own report; the log line of a failure still goes to stderr.
    if (argc < 3) return Usage();
    std::string cmd = argv[1];
    if (cmd == "pack" && argc == 4) return Pack(argv[2], argv[3]);
    if (cmd == "single" && argc == 4) return Single(argv[2], argv[3]);
    if (cmd == "list" && argc == 3) return List(argv[2], false);
    if (cmd == "test" && argc == 3) return List(argv[2], true);
    return Usage();
}
