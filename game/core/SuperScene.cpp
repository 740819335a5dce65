#include "game/core/SuperScene.h"

#include <map>

#include "engine/base/Singleton.h"
#include "engine/base/StringUtil.h"
#include "engine/file/File.h"
#include "engine/file/TextReader.h"

namespace {

constexpr const char* kTable = "cfg\\super_sc.txt";

class CSuperSceneTable {
public:
    CSuperSceneTable() { Load(); }

    void Load() {
        m_Entries.clear();
        CTextReader reader;
        if (!reader.Load(kTable)) {
            ReportUnreadableFile("CSuperSceneTable::Load()", kTable);
            return;
        }
        std::string fields[3];
        while (reader.ReadLine(3, fields)) {
            std::string path = MakeResourcePath(fields[0], "sc", "bmp");
            if (path.empty()) continue;
            // The first line of a picture counts.
            m_Entries.emplace(path, SSuperSceneEntry{StrToInt(fields[1]), StrToInt(fields[2])});
        }
    }

    SSuperSceneEntry Find(const std::string& picturePath) const {
        auto it = m_Entries.find(MakeResourcePath(picturePath, "sc", "bmp"));
        return it == m_Entries.end() ? SSuperSceneEntry() : it->second;
    }

private:
    std::map<std::string, SSuperSceneEntry> m_Entries;
};

}  // namespace

SSuperSceneEntry GetSuperSceneEntry(const std::string& picturePath) {
    CSuperSceneTable& table = CLazySingleton<CSuperSceneTable>::Get();
    CCriticalLock lock(CLazySingleton<CSuperSceneTable>::GetLock());
    return table.Find(picturePath);
}

void ReloadSuperSceneTable() {
    CSuperSceneTable& table = CLazySingleton<CSuperSceneTable>::Get();
    CCriticalLock lock(CLazySingleton<CSuperSceneTable>::GetLock());
    table.Load();
}
