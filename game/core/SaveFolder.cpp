#include "game/core/SaveFolder.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"

namespace fs = std::filesystem;

namespace {

// Saves copied from a case-insensitive file system may come in capitals.
bool _EndsWith(const std::string& name, const std::string& suffix) {
    if (name.size() <= suffix.size()) {
        return false;
    }
    for (size_t i = 0; i < suffix.size(); ++i) {
        char c = name[name.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != suffix[i]) {
            return false;
        }
    }
    return true;
}

// A record's temporary file, or a thumbnail's: a new picture not yet renamed, or the
// old one set aside while its slot's record was replaced.
bool _IsSaveTemp(const std::string& name) { return _EndsWith(name, ".sav.tmp") || _EndsWith(name, ".bmp.tmp"); }

}  // namespace

int RemoveStaleSaveTemps() {
    std::error_code ec;
    fs::directory_iterator it(ToNativePath("save"), ec);
    if (ec) {
        return 0;  // no save folder yet: nothing was ever saved
    }
    int removed = 0;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        std::error_code entryError;
        if (!it->is_regular_file(entryError) || !_IsSaveTemp(it->path().filename().string())) {
            continue;
        }
        const std::string path = it->path().string();
        if (fs::remove(it->path(), entryError)) {
            DebugPrintf("RemoveStaleSaveTemps() 中断された保存の一時ファイルを削除[%s]", path.c_str());
            ++removed;
        } else {
            DebugPrintf("RemoveStaleSaveTemps() 削除できません[%s][%s]", path.c_str(),
                        entryError.message().c_str());
        }
    }
    if (ec) {
        DebugPrintf("RemoveStaleSaveTemps() saveフォルダを読めません[%s]", ec.message().c_str());
    }
    return removed;
}
