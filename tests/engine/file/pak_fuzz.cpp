// The archive reader and the single-file reader on arbitrary bytes: never a read
// outside a buffer, never an entry that comes back different from what its index
// states.  When the first byte is odd the input's checksums are made right first,
// so that the checks behind them (bounds, sizes, inflate) are reached too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/base/Log.h"
#include "engine/file/PakArchive.h"
#include "engine/file/PakFormat.h"
#include "engine/file/ZipSingleFile.h"

namespace {

// Makes the header, index and entry CRCs of an archive agree with its bytes, as far
// as its fields can be followed.
void RepairArchive(std::vector<uint8_t>& b) {
    if (b.size() < pak::kArchiveHeaderSize) return;
    uint64_t indexOffset = pak::GetU64(b.data() + 16);
    pak::SetU64(b.data() + 32, b.size());
    if (indexOffset < pak::kArchiveHeaderSize || indexOffset > b.size()) return;
    size_t indexSize = b.size() - indexOffset;
    pak::SetU32(b.data() + 24, static_cast<uint32_t>(indexSize));
    uint32_t count = pak::GetU32(b.data() + 12);
    size_t pos = indexOffset;
    for (uint32_t i = 0; i < count && b.size() - pos >= pak::kIndexRecordSize; ++i) {
        uint8_t* r = b.data() + pos;
        uint16_t nameLen = pak::GetU16(r);
        uint64_t offset = pak::GetU64(r + 4);
        uint32_t stored = pak::GetU32(r + 12);
        if (offset <= indexOffset && indexOffset - offset >= stored) {
            pak::SetU32(r + 20, pak::Crc32(b.data() + offset, stored));
        }
        pos += pak::kIndexRecordSize;
        if (b.size() - pos < nameLen) break;
        pos += nameLen;
    }
    pak::SetU32(b.data() + 28, pak::Crc32(b.data() + indexOffset, indexSize));
    pak::SetU32(b.data() + 44, pak::Crc32(b.data(), 44));
}

void RepairSingle(std::vector<uint8_t>& b) {
    if (b.size() < pak::kSingleHeaderSize) return;
    uint16_t nameLen = pak::GetU16(b.data() + 14);
    if (b.size() - pak::kSingleHeaderSize < nameLen) return;
    size_t start = pak::kSingleHeaderSize + nameLen;
    pak::SetU32(b.data() + 16, static_cast<uint32_t>(b.size() - start));
    pak::SetU32(b.data() + 24, pak::Crc32(b.data() + start, b.size() - start));
    uint32_t crc = pak::Crc32(b.data(), 28);
    pak::SetU32(b.data() + 28, pak::Crc32(b.data() + pak::kSingleHeaderSize, nameLen, crc));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = (SetDebugOutputEnabled(false), true);
    (void)quiet;
    if (size == 0) return 0;
    bool repair = data[0] & 1;
    std::vector<uint8_t> bytes(data + 1, data + size);
    if (repair) {
        RepairArchive(bytes);
    }
    CPakArchive archive;
    if (archive.OpenMemory(bytes)) {
        // Entries may share their data; a budget keeps one input quick.
        uint64_t budget = 16u << 20;
        for (const SPakEntry& e : archive.GetEntries()) {
            if (e.size > budget) continue;
            budget -= e.size;
            std::vector<uint8_t> out;
            if (archive.Extract(e, &out) && out.size() != e.size) std::abort();
            if (archive.Find(e.name) == nullptr) std::abort();
        }
    }
    std::vector<uint8_t> single(data + 1, data + size);
    if (repair) RepairSingle(single);
    CZipSingleFile f;
    if (f.OpenMemory(single.data(), single.size())) {
        if (static_cast<uint64_t>(f.GetSize()) != pak::GetU32(single.data() + 20)) std::abort();
    }
    return 0;
}
