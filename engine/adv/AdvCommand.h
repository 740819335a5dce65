#pragma once
// One command record of a compiled scenario script: a command code with 32 integer
// and 32 string arguments, the id of the record that runs after it and 16 branch ids.
#include <array>
#include <cstdint>
#include <string>

class CAdvCommand {
public:
    static constexpr int kIntCount = 32;
    static constexpr int kStringCount = 32;
    static constexpr int kBranchCount = 16;

    uint32_t Code = 0;
    std::array<int32_t, kIntCount> Ints{};
    std::array<std::string, kStringCount> Strings{};
    // 0: none, the script ends after this record.
    uint32_t NextId = 0;
    std::array<uint32_t, kBranchCount> BranchIds{};
    // Carried through load, copy and save unchanged; no command reads them.
    int32_t ExtraA = 0;
    int32_t ExtraB = 0;
    std::string Label;
    // 1 marks the start record; 0 means not yet assigned.
    uint32_t Id = 0;
    // Run-time only: the record whose id is NextId, when it was known as this one was
    // added.  Never owned, never stored.
    CAdvCommand* Next = nullptr;

    void ClearNext() {
        NextId = 0;
        Next = nullptr;
    }
    // n outside 0..15 is ignored.
    void ClearBranch(int n) {
        if (n >= 0 && n < kBranchCount) {
            BranchIds[static_cast<size_t>(n)] = 0;
        }
    }
};
