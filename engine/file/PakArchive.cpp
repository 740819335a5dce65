#include "engine/file/PakArchive.h"

#include <cstdio>
#include <memory>
#include <new>

#include "engine/base/Log.h"
#include "engine/file/PakFormat.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool ReadAt(std::FILE* f, uint64_t offset, void* out, size_t size) {
    if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
    if (std::fseek(f, static_cast<long>(offset), SEEK_SET) != 0) return false;
    return size == 0 || std::fread(out, size, 1, f) == 1;
}

}  // namespace

void CPakArchive::Close() {
    m_Path.clear();
    m_Open = false;
    m_FromMemory = false;
    m_Memory.clear();
    m_Memory.shrink_to_fit();
    m_Size = 0;
    m_Entries.clear();
    m_Lookup.clear();
}

bool CPakArchive::OpenFile(const std::string& nativePath) {
    Close();
    m_Path = nativePath;
    FilePtr f(std::fopen(nativePath.c_str(), "rb"));
    if (!f) {
        DebugPrintf("CPakArchive::OpenFile() ファイルを開けません[%s]", nativePath.c_str());
        return false;
    }
    if (std::fseek(f.get(), 0, SEEK_END) != 0) return false;
    long end = std::ftell(f.get());
    if (end < 0) return false;
    uint64_t fileSize = static_cast<uint64_t>(end);
    uint8_t header[pak::kArchiveHeaderSize];
    if (fileSize < sizeof(header) || !ReadAt(f.get(), 0, header, sizeof(header))) {
        DebugPrintf("CPakArchive::OpenFile() ヘッダが読めません[%s][size:%llu]", nativePath.c_str(),
                    static_cast<unsigned long long>(fileSize));
        return false;
    }
    uint64_t indexOffset = 0;
    uint32_t indexSize = 0, count = 0, indexCrc = 0;
    if (!_CheckHeader(header, fileSize, &indexOffset, &indexSize, &count, &indexCrc)) return false;
    // The index size is bounded by the real file size, so this allocation is sane.
    std::vector<uint8_t> index(indexSize);
    if (!ReadAt(f.get(), indexOffset, index.data(), index.size())) {
        DebugPrintf("CPakArchive::OpenFile() 索引が読めません[%s]", nativePath.c_str());
        return false;
    }
    if (!_ParseIndex(index.data(), indexSize, count, indexCrc, indexOffset)) return false;
    m_Size = fileSize;
    m_Open = true;
    return true;
}

bool CPakArchive::OpenMemory(std::vector<uint8_t> bytes, const std::string& label) {
    Close();
    m_Path = label;
    if (bytes.size() < pak::kArchiveHeaderSize) {
        DebugPrintf("CPakArchive::OpenMemory() ヘッダが読めません[%s][size:%zu]", label.c_str(), bytes.size());
        return false;
    }
    uint64_t indexOffset = 0;
    uint32_t indexSize = 0, count = 0, indexCrc = 0;
    if (!_CheckHeader(bytes.data(), bytes.size(), &indexOffset, &indexSize, &count, &indexCrc)) return false;
    if (!_ParseIndex(bytes.data() + indexOffset, indexSize, count, indexCrc, indexOffset)) return false;
    m_Memory = std::move(bytes);
    m_FromMemory = true;
    m_Size = m_Memory.size();
    m_Open = true;
    return true;
}

bool CPakArchive::_CheckHeader(const uint8_t* h, uint64_t fileSize, uint64_t* indexOffset, uint32_t* indexSize,
                               uint32_t* count, uint32_t* indexCrc) {
    const char* path = m_Path.c_str();
    if (std::memcmp(h, pak::kArchiveMagic, pak::kMagicSize) != 0) {
        DebugPrintf("CPakArchive::_CheckHeader() アーカイブではありません[%s]", path);
        return false;
    }
    if (pak::GetU32(h + 44) != pak::Crc32(h, 44)) {
        DebugPrintf("CPakArchive::_CheckHeader() ヘッダが壊れています[%s]", path);
        return false;
    }
    uint16_t version = pak::GetU16(h + 10);
    if (version != pak::kFormatVersion) {
        DebugPrintf("CPakArchive::_CheckHeader() 未対応の版です[%s][version:%u]", path, version);
        return false;
    }
    *count = pak::GetU32(h + 12);
    *indexOffset = pak::GetU64(h + 16);
    *indexSize = pak::GetU32(h + 24);
    *indexCrc = pak::GetU32(h + 28);
    uint64_t archiveSize = pak::GetU64(h + 32);
    if (archiveSize != fileSize) {
        DebugPrintf("CPakArchive::_CheckHeader() ファイルの大きさが違います[%s][header:%llu][file:%llu]", path,
                    static_cast<unsigned long long>(archiveSize), static_cast<unsigned long long>(fileSize));
        return false;
    }
    // The index closes the archive: it starts after the header and ends at the end.
    if (*indexOffset < pak::kArchiveHeaderSize || *indexOffset > fileSize ||
        fileSize - *indexOffset != *indexSize) {
        DebugPrintf("CPakArchive::_CheckHeader() 索引の位置が不正です[%s]", path);
        return false;
    }
    if (*count > *indexSize / (pak::kIndexRecordSize + 1)) {
        DebugPrintf("CPakArchive::_CheckHeader() 項目数が不正です[%s][count:%u]", path, *count);
        return false;
    }
    return true;
}

bool CPakArchive::_ParseIndex(const uint8_t* index, uint32_t indexSize, uint32_t count, uint32_t indexCrc,
                              uint64_t dataEnd) {
    const char* path = m_Path.c_str();
    if (pak::Crc32(index, indexSize) != indexCrc) {
        DebugPrintf("CPakArchive::_ParseIndex() 索引が壊れています[%s]", path);
        return false;
    }
    std::vector<SPakEntry> entries;
    entries.reserve(count);
    size_t pos = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (indexSize - pos < pak::kIndexRecordSize) {
            DebugPrintf("CPakArchive::_ParseIndex() 索引が途切れています[%s][entry:%u]", path, i);
            return false;
        }
        const uint8_t* r = index + pos;
        SPakEntry e;
        uint16_t nameLen = pak::GetU16(r);
        e.method = r[2];
        e.offset = pak::GetU64(r + 4);
        e.storedSize = pak::GetU32(r + 12);
        e.size = pak::GetU32(r + 16);
        e.crc = pak::GetU32(r + 20);
        pos += pak::kIndexRecordSize;
        if (nameLen == 0 || nameLen > pak::kMaxNameLength || indexSize - pos < nameLen) {
            DebugPrintf("CPakArchive::_ParseIndex() 名前が不正です[%s][entry:%u]", path, i);
            return false;
        }
        e.name.assign(reinterpret_cast<const char*>(index + pos), nameLen);
        pos += nameLen;
        if (e.name.find('\0') != std::string::npos) {
            DebugPrintf("CPakArchive::_ParseIndex() 名前が不正です[%s][entry:%u]", path, i);
            return false;
        }
        if (e.offset < pak::kArchiveHeaderSize || e.offset > dataEnd || dataEnd - e.offset < e.storedSize) {
            DebugPrintf("CPakArchive::_ParseIndex() データがアーカイブの外です[%s][%s]", path, e.name.c_str());
            return false;
        }
        if (!pak::IsPlausibleSize(e.method, e.storedSize, e.size)) {
            DebugPrintf("CPakArchive::_ParseIndex() 大きさが不正です[%s][%s]", path, e.name.c_str());
            return false;
        }
        e.key = pak::MakeEntryKey(e.name);
        if (e.key.empty()) {
            DebugPrintf("CPakArchive::_ParseIndex() 名前が不正です[%s][entry:%u]", path, i);
            return false;
        }
        entries.push_back(std::move(e));
    }
    if (pos != indexSize) {
        DebugPrintf("CPakArchive::_ParseIndex() 索引の大きさが合いません[%s]", path);
        return false;
    }
    m_Entries = std::move(entries);
    m_Lookup.reserve(m_Entries.size());
    for (size_t i = 0; i < m_Entries.size(); ++i) {
        m_Lookup.emplace(m_Entries[i].key, i);  // keeps the first of equal keys
    }
    return true;
}

const SPakEntry* CPakArchive::Find(const std::string& name) const {
    auto it = m_Lookup.find(pak::MakeEntryKey(name));
    return it == m_Lookup.end() ? nullptr : &m_Entries[it->second];
}

bool CPakArchive::_ReadStored(const SPakEntry& e, std::vector<uint8_t>* out) const {
    if (m_FromMemory) {
        // Bounds were checked against the buffer when the index was parsed.
        out->assign(m_Memory.begin() + static_cast<ptrdiff_t>(e.offset),
                    m_Memory.begin() + static_cast<ptrdiff_t>(e.offset + e.storedSize));
        return true;
    }
    FilePtr f(std::fopen(m_Path.c_str(), "rb"));
    if (!f) {
        DebugPrintf("CPakArchive::Extract() ファイルを開けません[%s]", m_Path.c_str());
        return false;
    }
    out->resize(e.storedSize);
    if (!ReadAt(f.get(), e.offset, out->data(), out->size())) {
        DebugPrintf("CPakArchive::Extract() 読み込みに失敗[%s][%s]", m_Path.c_str(), e.name.c_str());
        out->clear();
        return false;
    }
    return true;
}

bool CPakArchive::Extract(const SPakEntry& e, std::vector<uint8_t>* out) const {
    out->clear();
    if (!m_Open) return false;
    try {
        std::vector<uint8_t> stored;
        if (!_ReadStored(e, &stored)) return false;
        const char* why = "";
        if (!pak::Decode(e.method, stored.data(), stored.size(), e.size, e.crc, out, &why)) {
            DebugPrintf("CPakArchive::Extract() 項目が壊れています[%s][%s][%s]", m_Path.c_str(), e.name.c_str(), why);
            return false;
        }
    } catch (const std::bad_alloc&) {
        out->clear();
        DebugPrintf("CPakArchive::Extract() メモリ割り当てに失敗！[%s][%s][size:%u]", m_Path.c_str(), e.name.c_str(),
                    e.size);
        return false;
    }
    return true;
}

bool CPakArchive::Extract(const std::string& name, std::vector<uint8_t>* out) const {
    const SPakEntry* e = Find(name);
    if (!e) {
        out->clear();
        return false;
    }
    return Extract(*e, out);
}
