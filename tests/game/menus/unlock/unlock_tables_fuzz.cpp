// The cgview and playview readers on arbitrary text: every reading ends, keeps keys
// and indexes inside the system data's tables and keeps its counts consistent; the
// pictures it read can be marked.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/file/TextReader.h"
#include "game/core/SystemData.h"
#include "game/menus/unlock/CGViewTable.h"
#include "game/menus/unlock/PlayViewTable.h"

namespace {

bool _InTable(int32_t i) { return i >= 0 && i < CSystemData::kTableSize; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = (SetDebugOutputEnabled(false), true);
    (void)quiet;
    static CSystemData system(CSystemData::kNoLoad);
    const std::string text(reinterpret_cast<const char*>(data), size);
    CTextReader reader;
    reader.SetText(text);

    CGViewTable table;
    table.Read(reader, "fuzz");
    for (const CGViewTable::SRecord& r : table.GetRecords()) {
        if (!_InTable(r.key) || r.pictures.size() >= static_cast<size_t>(CGViewTable::kFieldCount)) std::abort();
        for (const std::string& p : r.pictures) table.Mark(system, p);
    }

    reader.Rewind();
    std::vector<SCGViewEntry> entries;
    ReadCGViewerEntries(reader, system, "fuzz", &entries);
    for (const SCGViewEntry& e : entries) {
        if (e.recordCount != static_cast<int32_t>(e.records.size()) || e.unlockedCount < 0 ||
            e.unlockedCount > e.recordCount || e.anyUnlocked != (e.unlockedCount > 0)) {
            std::abort();
        }
        for (const CCGViewRecord& r : e.records) {
            if (!_InTable(r.key) || r.overlays.size() > static_cast<size_t>(kCGViewerFieldCount - 2)) std::abort();
        }
    }

    reader.Rewind();
    std::vector<SPlayViewPair> pairs;
    ReadPlayViewPairs(reader, "fuzz", pairs);
    for (const SPlayViewPair& p : pairs) {
        if (p.index != -1 && !_InTable(p.index)) std::abort();
        CPlayViewTable::Mark(pairs, system, p.key);
    }
    return 0;
}
