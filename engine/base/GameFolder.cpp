#include "engine/base/GameFolder.h"

#include <mutex>

#include "engine/base/StringUtil.h"
#include "platform/sys/Process.h"

namespace {
std::mutex g_Mutex;
std::string g_Folder;
bool g_Set = false;
}  // namespace

std::string GetGameFolder() {
    std::lock_guard<std::mutex> lock(g_Mutex);
    if (!g_Set) {
        g_Folder = PlatformGetProgramFolder();
        g_Set = true;
    }
    return g_Folder;
}

void SetGameFolder(const std::string& nativeFolder) {
    std::lock_guard<std::mutex> lock(g_Mutex);
    g_Folder = nativeFolder;
    if (g_Folder.empty()) {
        g_Folder = "./";
    } else if (g_Folder.back() != '/') {
        g_Folder += '/';
    }
    g_Set = true;
}

std::string ToNativePath(const std::string& gamePath) {
    std::string p;
    p.reserve(gamePath.size());
    for (size_t i = 0; i < gamePath.size(); ++i) {
        char c = gamePath[i];
        if (IsSjisLeadByte(c) && i + 1 < gamePath.size()) {
            p += c;
            p += gamePath[++i];
            continue;
        }
        p += (c == '\\') ? '/' : c;
    }
    if (!p.empty() && p[0] == '/') {
        return p;
    }
    return GetGameFolder() + p;
}
