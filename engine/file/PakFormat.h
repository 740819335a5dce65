#pragma once
// The byte layout of ".pak" archives (see docs/pak-format.md) and the little-endian
// helpers shared by their reader and writer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace pak {

inline constexpr char kArchiveMagic[] = "PIRUPACK4A";
inline constexpr char kSingleMagic[] = "PIRUPACK4S";
inline constexpr size_t kMagicSize = 10;
inline constexpr uint16_t kFormatVersion = 1;

// Archive header: magic, version, entry count, index offset, index size, index CRC,
// archive size, flags, header CRC.
inline constexpr size_t kArchiveHeaderSize = 48;
// Index record without its name: name length, method, reserved, offset, stored size,
// original size, CRC.
inline constexpr size_t kIndexRecordSize = 24;
// Single-file header: magic, version, method, reserved, name length, stored size,
// original size, CRC, header CRC; the name follows it.
inline constexpr size_t kSingleHeaderSize = 32;

inline constexpr size_t kMaxNameLength = 1024;
// No entry inflates beyond this (the largest movie or sound stays far below).
inline constexpr uint32_t kMaxEntrySize = 0x40000000u;

enum EMethod : uint8_t { METHOD_STORED = 0, METHOD_ZLIB = 1 };

// deflate cannot shrink data by more than about 1032:1; a stated size beyond that is
// a damaged header, refused before any allocation.
inline bool IsPlausibleSize(uint8_t method, uint32_t stored, uint32_t original) {
    if (original > kMaxEntrySize) return false;
    if (method == METHOD_STORED) return stored == original;
    if (method == METHOD_ZLIB) return stored >= 8 && uint64_t{original} <= uint64_t{stored} * 1032u;
    return false;
}

uint32_t Crc32(const void* data, size_t size, uint32_t crc = 0);

// Inflates a zlib stream that must give exactly `original` bytes.
bool Inflate(const uint8_t* src, size_t srcSize, uint32_t original, std::vector<uint8_t>* out);

// Extracts stored or zlib data into out, checking the CRC-32 of the stored bytes
// first, then the size.  False on any mismatch
// (the reason in *why when given).
bool Decode(uint8_t method, const uint8_t* src, size_t srcSize, uint32_t original, uint32_t crc,
            std::vector<uint8_t>* out, const char** why = nullptr);

inline uint16_t GetU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t GetU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
inline uint64_t GetU64(const uint8_t* p) {
    return static_cast<uint64_t>(GetU32(p)) | (static_cast<uint64_t>(GetU32(p + 4)) << 32);
}
inline void SetU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void SetU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void SetU64(uint8_t* p, uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void PutU16(std::vector<uint8_t>* out, uint16_t v) {
    size_t at = out->size();
    out->resize(at + 2);
    SetU16(out->data() + at, v);
}
inline void PutU32(std::vector<uint8_t>* out, uint32_t v) {
    size_t at = out->size();
    out->resize(at + 4);
    SetU32(out->data() + at, v);
}
inline void PutU64(std::vector<uint8_t>* out, uint64_t v) {
    size_t at = out->size();
    out->resize(at + 8);
    SetU64(out->data() + at, v);
}

// An entry name as stored: '/' as '\\', runs of '\\' as one, no leading or trailing
// '\\'; letters keep their case.
std::string NormalizeName(const std::string& name);
// The key an entry name is looked up by: '/' as '\', runs of '\' as one, no leading
// or trailing '\', ASCII letters lower-cased, double-byte characters untouched.
std::string MakeEntryKey(const std::string& name);

}  // namespace pak
