#include "game/core/HouseLayout.h"

#include <mutex>
#include <set>

#include "engine/base/StringUtil.h"

namespace {

struct SHouseLists {
    std::mutex mutex;
    std::set<std::string> lists[2];
};

SHouseLists& _Lists() {
    static SHouseLists lists;
    return lists;
}

std::string _Key(const std::string& path) { return NormalizePath(StrCaseConvert(PathToBackslash(path))); }

}  // namespace

void SetHouseLayoutLists(const std::vector<std::string>& layout1, const std::vector<std::string>& layout2) {
    SHouseLists& l = _Lists();
    std::lock_guard<std::mutex> lock(l.mutex);
    l.lists[0].clear();
    l.lists[1].clear();
    for (const std::string& p : layout1) l.lists[0].insert(_Key(p));
    for (const std::string& p : layout2) l.lists[1].insert(_Key(p));
}

int GetHouseLayout(const std::string& picturePath) {
    std::string key = _Key(picturePath);
    SHouseLists& l = _Lists();
    std::lock_guard<std::mutex> lock(l.mutex);
    if (l.lists[0].count(key)) return 1;
    if (l.lists[1].count(key)) return 2;
    return 0;
}
