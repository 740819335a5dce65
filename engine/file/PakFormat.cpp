#include "engine/file/PakFormat.h"

#include <zlib.h>

#include <limits>

#include "engine/base/StringUtil.h"

namespace pak {

uint32_t Crc32(const void* data, size_t size, uint32_t crc) {
    const Bytef* p = static_cast<const Bytef*>(data);
    uLong c = crc;
    while (size > 0) {
        uInt chunk = size > std::numeric_limits<uInt>::max() ? std::numeric_limits<uInt>::max() : static_cast<uInt>(size);
        c = crc32(c, p, chunk);
        p += chunk;
        size -= chunk;
    }
    return static_cast<uint32_t>(c);
}

bool Inflate(const uint8_t* src, size_t srcSize, uint32_t original, std::vector<uint8_t>* out) {
    out->clear();
    if (srcSize > std::numeric_limits<uLong>::max()) return false;
    out->resize(original);
    uLongf destLen = original;
    // uncompress wants a non-null destination even for an empty result.
    Bytef dummy = 0;
    Bytef* dest = original ? out->data() : &dummy;
    int rc = uncompress(dest, &destLen, src, static_cast<uLong>(srcSize));
    if (rc != Z_OK || destLen != original) {
        out->clear();
        return false;
    }
    return true;
}

bool Decode(uint8_t method, const uint8_t* src, size_t srcSize, uint32_t original, uint32_t crc,
            std::vector<uint8_t>* out, const char** why) {
    const char* dummy = nullptr;
    const char** reason = why ? why : &dummy;
    out->clear();
    // The CRC covers the stored bytes, so damage is found before zlib sees them
    // (even in bits inflate would ignore); zlib's own Adler-32 then guards inflating.
    if (Crc32(src, srcSize) != crc) {
        *reason = "crc";
        return false;
    }
    if (method == METHOD_STORED) {
        if (srcSize != original) {
            *reason = "size";
            return false;
        }
        out->assign(src, src + srcSize);
        return true;
    }
    if (method == METHOD_ZLIB) {
        if (!Inflate(src, srcSize, original, out)) {
            *reason = "inflate";
            return false;
        }
        return true;
    }
    *reason = "method";
    return false;
}

std::string NormalizeName(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    // A flag rather than a look at the last byte: a trail byte may be 0x5C too.
    bool lastWasSeparator = true;  // drops leading separators
    for (size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (IsSjisLeadByte(c) && i + 1 < name.size()) {
            out += c;
            out += name[++i];
            lastWasSeparator = false;
            continue;
        }
        if (c == '/' || c == '\\') {
            if (!lastWasSeparator) out += '\\';
            lastWasSeparator = true;
            continue;
        }
        out += c;
        lastWasSeparator = false;
    }
    if (lastWasSeparator && !out.empty()) out.pop_back();
    return out;
}

std::string MakeEntryKey(const std::string& name) { return StrCaseConvert(NormalizeName(name)); }

}  // namespace pak
