#include "game/core/SaveFolder.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"

namespace fs = std::filesystem;

namespace {

// Saves copied from a case-insensitive file system may come in capitals.
bool _IsSaveTemp(const std::string& name) {
    static constexpr char kSuffix[] = ".sav.tmp";
    constexpr size_t kLength = sizeof(kSuffix) - 1;
    if (name.size() <= kLength) {
        return false;
    }
    for (size_t i = 0; i < kLength; ++i) {
        char c = name[name.size() - kLength + i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != kSuffix[i]) {
            return false;
        }
    }
    return true;
}

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
