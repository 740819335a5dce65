#include "platform/window/SjisText.h"

#include <iconv.h>

#include <cerrno>

std::string PlatformSjisToUtf8(const std::string& sjis) {
    std::string out;
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter keep the ASCII part readable.
        for (char c : sjis) {
            out.push_back((static_cast<unsigned char>(c) < 0x80) ? c : '?');
        }
        return out;
    }
    std::string in = sjis;
    char* src = in.data();
    size_t srcLeft = in.size();
    char buffer[256];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof(buffer);
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) {
                continue;
            }
            // An invalid or cut-off sequence: one byte becomes '?'.
            out.push_back('?');
            ++src;
            --srcLeft;
        }
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    iconv_close(cd);
    return out;
}
