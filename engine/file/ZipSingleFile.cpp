#include "engine/file/ZipSingleFile.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "engine/base/Log.h"
#include "engine/file/PakFormat.h"

namespace {
std::atomic<uint32_t> g_MaxSize{pak::kMaxEntrySize};

int LogSize(uint64_t size) { return size > INT32_MAX ? INT32_MAX : static_cast<int>(size); }
}  // namespace

void CZipSingleFile::SetMaxSize(uint32_t bytes) { g_MaxSize.store(std::min(bytes, pak::kMaxEntrySize)); }

uint32_t CZipSingleFile::GetMaxSize() { return g_MaxSize.load(); }

bool CZipSingleFile::Create(const std::string& path, int /*mode*/) {
    DebugPrintf("CZipSingleFile::Create() 書き込みはできません[%s]", path.c_str());
    return false;
}

void CZipSingleFile::Close() {
    CMemoryFileObject::Close();
    m_StoredName.clear();
}

bool CZipSingleFile::Open(const std::string& path) {
    Close();
    return _Load(path, nullptr, 0);
}

bool CZipSingleFile::OpenMemory(const uint8_t* data, size_t size, const std::string& label) {
    Close();
    return _Load(label, data, size);
}

bool CZipSingleFile::_Load(const std::string& label, const uint8_t* data, size_t size) {
    if (data) return _Decode(label, data, size);
    CFile f;
    if (!f.Open(label)) {
        DebugPrintf("CZipSingleFile::_Load() ファイルを開けません[%s]", label.c_str());
        return false;
    }
    int64_t fileSize = f.GetSize();
    std::vector<uint8_t> bytes;
    try {
        if (fileSize < 0 || static_cast<uint64_t>(fileSize) > pak::kSingleHeaderSize + pak::kMaxNameLength +
                                                                 static_cast<uint64_t>(pak::kMaxEntrySize)) {
            throw std::bad_alloc();
        }
        bytes.resize(static_cast<size_t>(fileSize));
    } catch (const std::bad_alloc&) {
        DebugPrintf("CZipSingleFile::_Load() メモリ割り当てに失敗！[%s][src_size:%dbyte]", label.c_str(),
                    LogSize(static_cast<uint64_t>(fileSize)));
        return false;
    }
    if (!bytes.empty() && f.Read(bytes.data(), bytes.size(), 1) != 1) {
        DebugPrintf("CZipSingleFile::_Load() 読み込みに失敗[%s]", label.c_str());
        return false;
    }
    return _Decode(label, bytes.data(), bytes.size());
}

bool CZipSingleFile::_Decode(const std::string& label, const uint8_t* data, size_t size) {
    const char* path = label.c_str();
    if (size < pak::kSingleHeaderSize || std::memcmp(data, pak::kSingleMagic, pak::kMagicSize) != 0) {
        DebugPrintf("CZipSingleFile::_Load() 単一ファイル形式ではありません[%s]", path);
        return false;
    }
    uint16_t version = pak::GetU16(data + 10);
    uint8_t method = data[12];
    uint16_t nameLen = pak::GetU16(data + 14);
    uint32_t stored = pak::GetU32(data + 16);
    uint32_t original = pak::GetU32(data + 20);
    uint32_t crc = pak::GetU32(data + 24);
    if (nameLen > pak::kMaxNameLength || size - pak::kSingleHeaderSize < nameLen) {
        DebugPrintf("CZipSingleFile::_Load() ヘッダが壊れています[%s]", path);
        return false;
    }
    uint32_t headerCrc = pak::Crc32(data, 28);
    headerCrc = pak::Crc32(data + pak::kSingleHeaderSize, nameLen, headerCrc);
    if (headerCrc != pak::GetU32(data + 28)) {
        DebugPrintf("CZipSingleFile::_Load() ヘッダが壊れています[%s]", path);
        return false;
    }
    if (version != pak::kFormatVersion) {
        DebugPrintf("CZipSingleFile::_Load() 未対応の版です[%s][version:%u]", path, version);
        return false;
    }
    size_t dataStart = pak::kSingleHeaderSize + nameLen;
    if (size - dataStart != stored) {
        DebugPrintf("CZipSingleFile::_Load() ファイルの大きさが違います[%s][header:%u][file:%zu]", path, stored,
                    size - dataStart);
        return false;
    }
    if (!pak::IsPlausibleSize(method, stored, original)) {
        DebugPrintf("CZipSingleFile::_Load() 大きさが不正です[%s][size:%u]", path, original);
        return false;
    }
    std::vector<uint8_t> out;
    try {
        if (original > GetMaxSize()) throw std::bad_alloc();
        out.reserve(original);
    } catch (const std::bad_alloc&) {
        DebugPrintf("CZipSingleFile::_Load() メモリ割り当てに失敗！[%s][src_size:%dbyte]", path, LogSize(original));
        return false;
    }
    const char* why = "";
    if (!pak::Decode(method, data + dataStart, stored, original, crc, &out, &why)) {
        DebugPrintf("CZipSingleFile::_Load() 展開に失敗[%s][%s]", path, why);
        return false;
    }
    m_StoredName.assign(reinterpret_cast<const char*>(data + pak::kSingleHeaderSize), nameLen);
    Assign(std::move(out));
    return true;
}
