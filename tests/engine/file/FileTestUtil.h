#pragma once
// Helpers of the file-layer tests: archives written into a test game folder.
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/file/PakCache.h"
#include "engine/file/PakWriter.h"
#include "tests/support/TestSupport.h"

namespace filetest {

inline std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

inline std::vector<uint8_t> RandomBytes(uint32_t seed, size_t size, bool compressible) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> out(size);
    for (size_t i = 0; i < size; ++i) {
        out[i] = compressible ? static_cast<uint8_t>("abcab\n"[rng() % 6]) : static_cast<uint8_t>(rng());
    }
    return out;
}

using EntryList = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

inline std::vector<uint8_t> BuildPak(const EntryList& entries) {
    CPakWriter w;
    for (const auto& [name, bytes] : entries) w.AddEntry(name, bytes);
    std::vector<uint8_t> out;
    w.Build(&out);
    return out;
}

// Writes an archive into the game folder (native folder path with '/').
inline bool WritePak(const std::string& folder, const std::string& fileName, const EntryList& entries) {
    CPakWriter w;
    for (const auto& [name, bytes] : entries) {
        if (!w.AddEntry(name, bytes)) return false;
    }
    return w.Save(folder + fileName);
}

inline bool WriteText(const std::string& nativePath, const std::string& text) {
    return testsupport::WriteFileBytes(nativePath, Bytes(text));
}

}  // namespace filetest
