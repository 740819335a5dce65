#include "engine/base/GameFolder.h"

#include <filesystem>
#include <mutex>
#include <system_error>

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
    // Resolved against the current folder now, once: every later path is built on the
    // game folder, whatever the current folder is by then (the file layer would
    // otherwise take a relative folder as lying below the program's own).
    std::string folder = nativeFolder.empty() ? std::string("./") : nativeFolder;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
    if (!ec) {
        folder = absolute.lexically_normal().string();
    }
    if (folder.back() != '/') {
        folder += '/';
    }
    std::lock_guard<std::mutex> lock(g_Mutex);
    g_Folder = folder;
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
