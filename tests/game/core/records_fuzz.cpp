// Feeds arbitrary bytes to the save-record readers: the first byte picks the record
// (save slot, system data, read history) and the form (bytes 0..2: the record's own
// payload, as the container hands it over after its checks; 3..5: the stored file
// with its container).  A reader must refuse or accept without reading outside its
// buffer, and a refused record must be reset.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/base/Log.h"
#include "game/core/ReadHistory.h"
#include "game/core/RecordFile.h"
#include "game/core/SaveData.h"
#include "game/core/SystemData.h"

namespace {

bool _Load(CSerializable& record, bool raw, const uint8_t* body, size_t n, uint32_t tag, uint32_t version) {
    if (raw) {
        CDataFile file;
        file.SetBuffer(std::vector<uint8_t>(body, body + n));
        return LoadRecord(record, tag, &file, "fuzz");
    }
    return LoadRecordMemory(record, body, n, tag, version, "fuzz");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = (SetDebugOutputEnabled(false), true);
    (void)quiet;
    if (size < 1) return 0;
    const uint8_t* body = data + 1;
    size_t n = size - 1;
    const bool raw = (data[0] % 6) < 3;
    switch (data[0] % 3) {
        case 0: {
            static CSaveData record;
            if (!_Load(record, raw, body, n, MakeRecordTag('N', 'S', 'A', 'V'), CSaveData::kFormatVersion)) {
                record.Reset();
            } else {
                record.GetGameState().GetStatus().GetFriendStage(0);
                record.GetGameState().GetStatus().GetScaledAllowance();
            }
            break;
        }
        case 1: {
            static CSystemData record(CSystemData::kNoLoad);
            if (!_Load(record, raw, body, n, MakeRecordTag('N', 'S', 'Y', 'S'), CSystemData::kFormatVersion)) {
                record.SetDefaults();
            }
            break;
        }
        default: {
            static CReadHistory record;
            if (!_Load(record, raw, body, n, MakeRecordTag('N', 'R', 'E', 'D'), CReadHistory::kFormatVersion)) {
                record.Clear();
            } else {
                record.Contains("scr\\a.txt", 1);
            }
            break;
        }
    }
    return 0;
}
