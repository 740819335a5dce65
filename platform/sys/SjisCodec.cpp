#include "platform/sys/SjisCodec.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace {

// One converter per direction, opened once and shared under a lock (iconv keeps state).
// Never closed: log lines written by late static destructors still convert.
struct SConverter {
    SConverter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    bool Valid() const { return cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd;
    std::mutex mutex;
};

SConverter& SjisToUcs4() {
    static SConverter c("UTF-32LE", "CP932");
    return c;
}

SConverter& SjisToUtf8() {
    static SConverter c("UTF-8", "CP932");
    return c;
}

SConverter& Utf8ToSjisConverter() {
    static SConverter c("CP932", "UTF-8");
    return c;
}

void _Bad(std::string& out, const char* bytes, size_t n, ESjisBadInput bad) {
    switch (bad) {
    case ESjisBadInput::kQuestionMark:
        out.push_back('?');
        break;
    case ESjisBadInput::kKeep:
        out.append(bytes, n);
        break;
    case ESjisBadInput::kDrop:
        break;
    }
}

size_t _OneByte(const char*, size_t) { return 1; }

// A lead byte and the continuation bytes after it.
size_t _Utf8Sequence(const char* bytes, size_t left) {
    size_t n = 1;
    while (n < left && (static_cast<uint8_t>(bytes[n]) & 0xC0) == 0x80) ++n;
    return n;
}

std::string _Convert(SConverter& c, std::string_view in, ESjisBadInput bad, size_t (*badLength)(const char*, size_t)) {
    std::string out;
    if (!c.Valid()) {
        for (char ch : in) {
            if (static_cast<uint8_t>(ch) < 0x80) {
                out.push_back(ch);
            } else {
                _Bad(out, &ch, 1, bad);
            }
        }
        return out;
    }
    std::lock_guard<std::mutex> lock(c.mutex);
    iconv(c.cd, nullptr, nullptr, nullptr, nullptr);
    // iconv takes a non-const source pointer but only reads through it.
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[256];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof(buffer);
        size_t r = iconv(c.cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            const size_t n = badLength(src, srcLeft);
            _Bad(out, src, n, bad);
            src += n;
            srcLeft -= n;
        }
    }
    return out;
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
    SConverter& c = SjisToUcs4();
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

std::string PlatformSjisToUtf8(std::string_view sjis, ESjisBadInput bad) {
    return _Convert(SjisToUtf8(), sjis, bad, _OneByte);
}

std::string Utf8ToSjis(std::string_view utf8, ESjisBadInput bad) {
    return _Convert(Utf8ToSjisConverter(), utf8, bad, _Utf8Sequence);
}
