#include "game/core/BgmList.h"

#include "engine/base/CriticalSection.h"
#include "engine/base/StringUtil.h"
#include "game/core/SystemData.h"

namespace {

// Names longer than this do not fit a table entry.
constexpr size_t kEntryBytes = 260;

std::vector<std::string> _BuildList() {
    std::vector<std::string> list;
    for (int i = 1; i <= 19; ++i) {
        list.push_back(FormatString("bgm\\bgm_%03d.ogg", i));
    }
    return list;
}

}  // namespace

const std::vector<std::string>& LoadBgmList() {
    static const std::vector<std::string>* list = nullptr;
    CCriticalLock lock(GetStaticInitLock());
    if (!list) {
        static const std::vector<std::string> built = _BuildList();
        list = &built;
    }
    return *list;
}

int LoadBgmList(const std::string& musicFile, CSystemData* systemData) {
    if (musicFile.empty() || musicFile.size() >= kEntryBytes) {
        return -1;
    }
    std::string key = StrCaseConvert(PathToBackslash(musicFile));
    const std::vector<std::string>& list = LoadBgmList();
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == key) {
            if (systemData) {
                systemData->SetMusicUnlock(static_cast<int>(i), 1);
            }
            return static_cast<int>(i);
        }
    }
    return -1;
}
