#include "engine/base/CommandLine.h"

#include <algorithm>
#include <mutex>

namespace {
std::mutex g_Mutex;
std::vector<std::string> g_Args;
}  // namespace

void SetCommandLineArgs(const std::vector<std::string>& args) {
    std::lock_guard<std::mutex> lock(g_Mutex);
    g_Args = args;
}

std::vector<std::string> GetCommandLineArgs() {
    std::lock_guard<std::mutex> lock(g_Mutex);
    return g_Args;
}

std::string GetCommandLineArg(size_t i) {
    std::lock_guard<std::mutex> lock(g_Mutex);
    return i < g_Args.size() ? g_Args[i] : std::string();
}

bool HasCommandLineOption(const std::string& option) {
    std::lock_guard<std::mutex> lock(g_Mutex);
    return g_Args.size() > 1 && std::find(g_Args.begin() + 1, g_Args.end(), option) != g_Args.end();
}
