#pragma once
// The play view's unlock table: (unlock index, unlock key) pairs of
// "cfg\playview1.txt" to "cfg\playview6.txt", in file and line order.  A record line
// is: unlock index, thumbnail name, preview name, event to play, unlock key; this
// table keeps fields 0 and 4 (the play view's page builder reads the rest).
//
// When an event's script has ended, the first pair whose key is the event's id sets
// the play-view unlock byte at its index.  Index -1 marks an entry that never
// unlocks, and as the first pair of its key it hides later pairs of that key.
#include <cstdint>
#include <string>
#include <vector>

class CGameMain;
class CSystemData;
class CTextReader;

struct SPlayViewPair {
    int32_t index = 0;  // play-view unlock byte, or -1
    int32_t key = 0;    // event id
    bool operator==(const SPlayViewPair&) const = default;
};

class CPlayViewTable {
public:
    static constexpr int kFileCount = 6;
    static constexpr int kFieldCount = 5;

    // An event's script has ended: marks it on the program's table (read from the
    // six files on first use).
    static void Find(CGameMain& game, int32_t eventId);
    static void Find(CSystemData& data, int32_t eventId);
    // Reads the program's table again (after the data changed; tests).
    static void Reload();

    // Sets the unlock byte of the first pair of `eventId` in `pairs`.
    static void Mark(const std::vector<SPlayViewPair>& pairs, CSystemData& data, int32_t eventId);
};

// The scenario stage's name for it.
using PlayViewTable = CPlayViewTable;

// "cfg\playview1.txt" .. "cfg\playview6.txt" (number 1..6).
std::string GetPlayViewFileName(int number);
// Appends the pairs of one text.  Lines whose field 0 is empty are left out; an index
// outside the unlock table (other than -1) is refused with a log line naming `source`.
void ReadPlayViewPairs(CTextReader& reader, const std::string& source, std::vector<SPlayViewPair>& list);
// Appends the pairs of the six files in order; a missing file adds nothing.
void LoadPlayViewTable(std::vector<SPlayViewPair>& list);
