#include "platform/sys/Process.h"

#include <unistd.h>

#include <climits>
#include <cstdio>

std::string PlatformGetProgramPath() {
    char buf[PATH_MAX + 1];
    ssize_t n = readlink("/proc/self/exe", buf, PATH_MAX);
    if (n <= 0) {
        return std::string();
    }
    return std::string(buf, static_cast<size_t>(n));
}

std::string PlatformGetProgramFolder() {
    std::string path = PlatformGetProgramPath();
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return "./";
    }
    return path.substr(0, slash + 1);
}

void PlatformDebugOutput(const char* text) {
    std::fputs(text, stderr);
    std::fputc('\n', stderr);
}
