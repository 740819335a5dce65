// The play view's page builder on arbitrary text: it ends, and only an index inside
// the unlock table can read unlocked.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/file/TextReader.h"
#include "game/core/SystemData.h"
#include "game/menus/viewer/PlayViewScene.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = (SetDebugOutputEnabled(false), true);
    (void)quiet;
    static CSystemData system(CSystemData::kNoLoad);
    static bool filled = [] {
        for (int i = 0; i < CSystemData::kTableSize; i += 7) system.SetPlayViewUnlock(i, 1);
        return true;
    }();
    (void)filled;
    CTextReader reader;
    reader.SetText(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::unique_ptr<CPlayViewEntry>> entries;
    ReadPlayViewPage(reader, system, &entries);
    for (const std::unique_ptr<CPlayViewEntry>& e : entries) {
        const bool inTable = e->m_Number >= 0 && e->m_Number < CSystemData::kTableSize;
        if (e->m_Unlocked != 0 && !inTable) std::abort();
    }
    return 0;
}
