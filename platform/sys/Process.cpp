#include "platform/sys/Process.h"

#include <unistd.h>

#include <climits>
#include <cstdio>

#include "platform/sys/SjisCodec.h"

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
    // The program's text is Shift-JIS; a terminal reads UTF-8.  Bytes that do not
    // convert are passed through as they are, so nothing of a line is lost.
    std::string line = PlatformSjisToUtf8(text, ESjisBadInput::kKeep);
    std::fputs(line.c_str(), stderr);
    std::fputc('\n', stderr);
}
