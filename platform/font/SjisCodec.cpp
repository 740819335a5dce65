#include "platform/font/SjisCodec.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace {

// One converter per direction, opened once and shared under a lock (iconv keeps state).
struct SConverter {
    explicit SConverter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~SConverter() {
        if (Valid()) iconv_close(cd);
    }
    bool Valid() const { return cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd;
    std::mutex mutex;
};

SConverter& ToUcs4() {
    static SConverter c("UTF-32LE", "CP932");
    return c;
}

SConverter& ToSjis() {
    static SConverter c("CP932", "UTF-8");
    return c;
}

}  // namespace

size_t SjisCharLength(const char* bytes, size_t size, size_t pos) {
    if (pos >= size) return 0;
    if (SjisIsLeadByte(static_cast<uint8_t>(bytes[pos])) && pos + 1 < size) return 2;
    return 1;
}

uint32_t SjisCodeToCodePoint(uint32_t code) {
    if (code < 0x80) return code;
    char in[2];
    size_t inLeft;
    if (code <= 0xFF) {
        in[0] = static_cast<char>(code);
        inLeft = 1;
    } else {
        in[0] = static_cast<char>(code >> 8);
        in[1] = static_cast<char>(code & 0xFF);
        inLeft = 2;
    }
    SConverter& c = ToUcs4();
    if (!c.Valid()) return 0xFFFD;
    std::lock_guard<std::mutex> lock(c.mutex);
    unsigned char out[8] = {};
    char* src = in;
    char* dst = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof(out);
    size_t r = iconv(c.cd, &src, &inLeft, &dst, &outLeft);
    iconv(c.cd, nullptr, nullptr, nullptr, nullptr);
    if (r == static_cast<size_t>(-1) || outLeft != sizeof(out) - 4) return 0xFFFD;
    return static_cast<uint32_t>(out[0]) | (static_cast<uint32_t>(out[1]) << 8) | (static_cast<uint32_t>(out[2]) << 16) |
           (static_cast<uint32_t>(out[3]) << 24);
}

std::string Utf8ToSjis(const std::string& utf8) {
    std::string result;
    SConverter& c = ToSjis();
    if (!c.Valid()) {
        for (char ch : utf8) result.push_back(static_cast<unsigned char>(ch) < 0x80 ? ch : '?');
        return result;
    }
    std::lock_guard<std::mutex> lock(c.mutex);
    std::string in = utf8;
    char* src = in.data();
    size_t srcLeft = in.size();
    char buffer[256];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof(buffer);
        size_t r = iconv(c.cd, &src, &srcLeft, &dst, &dstLeft);
        result.append(buffer, static_cast<size_t>(dst - buffer));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // Skip the whole UTF-8 sequence that could not be converted.
            result.push_back('?');
            size_t skip = 1;
            while (skip < srcLeft && (static_cast<uint8_t>(src[skip]) & 0xC0) == 0x80) ++skip;
            src += skip;
            srcLeft -= skip;
        }
    }
    iconv(c.cd, nullptr, nullptr, nullptr, nullptr);
    return result;
}
