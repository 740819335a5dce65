#include "platform/sys/Process.h"

#include <iconv.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

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

namespace {

// The program's text is Shift-JIS; a terminal reads UTF-8.  Bytes that do not convert
// are passed through as they are, so nothing of a line is lost.
std::string SjisToTerminal(const char* text) {
    static std::mutex mutex;
    static iconv_t cd = iconv_open("UTF-8", "CP932");
    size_t inLeft = std::strlen(text);
    if (cd == reinterpret_cast<iconv_t>(-1) || inLeft == 0) {
        return std::string(text);
    }
    std::lock_guard<std::mutex> lock(mutex);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> out(inLeft * 3 + 16);
    char* in = const_cast<char*>(text);
    char* dst = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1)) {
            break;
        }
        if (outLeft == 0) {
            break;
        }
        // An invalid or cut sequence: keep the byte and go on after it.
        *dst++ = *in++;
        --inLeft;
        --outLeft;
    }
    return std::string(out.data(), static_cast<size_t>(dst - out.data()));
}

}  // namespace

void PlatformDebugOutput(const char* text) {
    std::string line = SjisToTerminal(text);
    std::fputs(line.c_str(), stderr);
    std::fputc('\n', stderr);
}
