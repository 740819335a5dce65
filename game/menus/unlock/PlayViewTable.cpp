#include "game/menus/unlock/PlayViewTable.h"

#include "engine/base/Log.h"
#include "engine/base/Singleton.h"
#include "engine/base/StringUtil.h"
#include "engine/file/File.h"
#include "engine/file/TextReader.h"
#include "game/core/GameMain.h"
#include "game/core/SystemData.h"

namespace {

struct CProgramPlayViewTable {
    CProgramPlayViewTable() { LoadPlayViewTable(pairs); }
    std::vector<SPlayViewPair> pairs;
};

}  // namespace

std::string GetPlayViewFileName(int number) { return FormatString("cfg\\playview%d.txt", number); }

void ReadPlayViewPairs(CTextReader& reader, const std::string& source, std::vector<SPlayViewPair>& list) {
    std::vector<std::string> fields;
    while (reader.ReadLine(CPlayViewTable::kFieldCount, &fields)) {
        if (fields[0].empty()) continue;
        SPlayViewPair pair{StrToInt(fields[0]), StrToInt(fields[4])};
        if (pair.index != -1 && (pair.index < 0 || pair.index >= CSystemData::kTableSize)) {
            DebugPrintf("ReadPlayViewPairs() 解放番号が範囲外です[%s: %d]", source.c_str(), pair.index);
            continue;
        }
        list.push_back(pair);
    }
}

void LoadPlayViewTable(std::vector<SPlayViewPair>& list) {
    for (int n = 1; n <= CPlayViewTable::kFileCount; ++n) {
        const std::string name = GetPlayViewFileName(n);
        CTextReader reader;
        if (reader.Load(name)) {
            ReadPlayViewPairs(reader, name, list);
        } else {
            ReportUnreadableFile("LoadPlayViewTable()", name);
        }
    }
}

void CPlayViewTable::Mark(const std::vector<SPlayViewPair>& pairs, CSystemData& data, int32_t eventId) {
    for (const SPlayViewPair& pair : pairs) {
        if (pair.key != eventId) continue;
        if (pair.index != -1) data.SetPlayViewUnlock(pair.index, 1);
        return;
    }
}

void CPlayViewTable::Find(CGameMain& game, int32_t eventId) { Find(game.GetSystemData(), eventId); }

void CPlayViewTable::Find(CSystemData& data, int32_t eventId) {
    CProgramPlayViewTable& shared = CLazySingleton<CProgramPlayViewTable>::Get();
    CCriticalLock lock(CLazySingleton<CProgramPlayViewTable>::GetLock());
    Mark(shared.pairs, data, eventId);
}

void CPlayViewTable::Reload() {
    CProgramPlayViewTable& shared = CLazySingleton<CProgramPlayViewTable>::Get();
    CCriticalLock lock(CLazySingleton<CProgramPlayViewTable>::GetLock());
    shared.pairs.clear();
    LoadPlayViewTable(shared.pairs);
}
