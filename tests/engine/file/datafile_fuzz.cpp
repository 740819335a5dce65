// CDataFile::LoadFromMemory on arbitrary bytes, then typed reads until one fails:
// never a read outside the buffer.  When the first byte is odd the header's sizes
// and checksums are made to agree with the input first, so that inflating and the
// typed reads are reached too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/file/DataFile.h"
#include "engine/file/PakFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = (SetDebugOutputEnabled(false), true);
    (void)quiet;
    if (size == 0) return 0;
    std::vector<uint8_t> b(data + 1, data + size);
    if ((data[0] & 1) && b.size() >= CDataFile::kHeaderSize) {
        const size_t h = CDataFile::kHeaderSize;
        pak::SetU32(b.data() + 20, static_cast<uint32_t>(b.size() - h));
        pak::SetU32(b.data() + 28, pak::Crc32(b.data() + h, b.size() - h));
        pak::SetU32(b.data() + 32, pak::Crc32(b.data(), 32));
    }
    CDataFile df;
    uint32_t version = 0;
    if (!df.LoadFromMemory(b.data(), b.size(), &version)) {
        if (df.GetRemaining() != 0) std::abort();
        return 0;
    }
    // Walk the values in a pattern driven by the data itself.
    size_t steps = 0;
    while (!df.HasFailed() && steps++ < 4096) {
        uint8_t kind = 0;
        if (!df.GetU8(&kind)) break;
        switch (kind % 6) {
            case 0: { uint16_t v; df.GetU16(&v); break; }
            case 1: { uint32_t v; df.GetU32(&v); break; }
            case 2: { uint64_t v; df.GetU64(&v); break; }
            case 3: { double v; df.GetDouble(&v); break; }
            case 4: { std::string s; df.GetString(&s); break; }
            default: { uint8_t block[17]; df.GetBytes(block, sizeof(block)); break; }
        }
    }
    // What loaded saves again and loads back the same.
    std::vector<uint8_t> again;
    if (!df.SaveToMemory(&again, version)) std::abort();
    CDataFile back;
    uint32_t v2 = 0;
    if (!back.LoadFromMemory(again.data(), again.size(), &v2) || v2 != version ||
        back.GetBuffer() != df.GetBuffer()) {
        std::abort();
    }
    return 0;
}
