#include "engine/file/PakWriter.h"

#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "engine/base/Log.h"
#include "engine/file/PakFormat.h"
#include "platform/sys/FileOps.h"

namespace fs = std::filesystem;

bool CPakWriter::_Encode(const std::vector<uint8_t>& bytes, bool compress, uint8_t* method,
                         std::vector<uint8_t>* stored) {
    if (compress && !bytes.empty()) {
        uLongf bound = compressBound(static_cast<uLong>(bytes.size()));
        stored->resize(bound);
        if (compress2(stored->data(), &bound, bytes.data(), static_cast<uLong>(bytes.size()), 9) == Z_OK &&
            bound < bytes.size()) {
            stored->resize(bound);
            *method = pak::METHOD_ZLIB;
            return true;
        }
    }
    *stored = bytes;
    *method = pak::METHOD_STORED;
    return true;
}

bool CPakWriter::AddEntry(const std::string& name, const std::vector<uint8_t>& bytes, bool compress) {
    std::string key = pak::MakeEntryKey(name);
    if (key.empty() || name.size() > pak::kMaxNameLength || name.find('\0') != std::string::npos) {
        DebugPrintf("CPakWriter::AddEntry() 名前が不正です[%s]", name.c_str());
        return false;
    }
    if (bytes.size() > pak::kMaxEntrySize) {
        DebugPrintf("CPakWriter::AddEntry() 大きすぎます[%s][size:%zu]", name.c_str(), bytes.size());
        return false;
    }
    if (m_Keys.count(key)) {
        DebugPrintf("CPakWriter::AddEntry() 名前が重複しています[%s]", name.c_str());
        return false;
    }
    SEntry e;
    e.name = pak::NormalizeName(name);
    e.key = key;
    e.size = static_cast<uint32_t>(bytes.size());
    _Encode(bytes, compress, &e.method, &e.stored);
    e.crc = pak::Crc32(e.stored.data(), e.stored.size());
    m_Keys.insert(key);
    m_Entries.push_back(std::move(e));
    return true;
}

bool CPakWriter::AddFile(const std::string& name, const std::string& nativePath, bool compress) {
    std::ifstream f(nativePath, std::ios::binary);
    if (!f) {
        DebugPrintf("CPakWriter::AddFile() ファイルを開けません[%s]", nativePath.c_str());
        return false;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (f.bad()) {
        DebugPrintf("CPakWriter::AddFile() 読み込みに失敗[%s]", nativePath.c_str());
        return false;
    }
    return AddEntry(name, bytes, compress);
}

bool CPakWriter::AddFolder(const std::string& nativeFolder, const std::string& prefix, bool compress) {
    std::error_code ec;
    fs::path root(nativeFolder);
    if (!fs::is_directory(root, ec)) {
        DebugPrintf("CPakWriter::AddFolder() フォルダがありません[%s]", nativeFolder.c_str());
        return false;
    }
    std::vector<std::pair<std::string, std::string>> files;  // entry name, native path
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        std::string rel = fs::relative(it->path(), root, ec).string();
        if (ec) break;
        std::replace(rel.begin(), rel.end(), '/', '\\');
        std::string name = prefix.empty() ? rel : prefix + "\\" + rel;
        files.emplace_back(name, it->path().string());
    }
    if (ec) {
        DebugPrintf("CPakWriter::AddFolder() フォルダを読めません[%s]", nativeFolder.c_str());
        return false;
    }
    std::sort(files.begin(), files.end());
    for (const auto& [name, path] : files) {
        if (!AddFile(name, path, compress)) return false;
    }
    return true;
}

bool CPakWriter::Build(std::vector<uint8_t>* out) const {
    out->clear();
    out->resize(pak::kArchiveHeaderSize);
    std::vector<uint8_t> index;
    for (const SEntry& e : m_Entries) {
        uint64_t offset = out->size();
        out->insert(out->end(), e.stored.begin(), e.stored.end());
        pak::PutU16(&index, static_cast<uint16_t>(e.name.size()));
        index.push_back(e.method);
        index.push_back(0);
        pak::PutU64(&index, offset);
        pak::PutU32(&index, static_cast<uint32_t>(e.stored.size()));
        pak::PutU32(&index, e.size);
        pak::PutU32(&index, e.crc);
        index.insert(index.end(), e.name.begin(), e.name.end());
    }
    if (index.size() > UINT32_MAX) {
        DebugPrintf("CPakWriter::Build() 索引が大きすぎます[entries:%zu]", m_Entries.size());
        out->clear();
        return false;
    }
    uint64_t indexOffset = out->size();
    out->insert(out->end(), index.begin(), index.end());
    uint8_t* h = out->data();
    std::memcpy(h, pak::kArchiveMagic, pak::kMagicSize);
    pak::SetU16(h + 10, pak::kFormatVersion);
    pak::SetU32(h + 12, static_cast<uint32_t>(m_Entries.size()));
    pak::SetU64(h + 16, indexOffset);
    pak::SetU32(h + 24, static_cast<uint32_t>(index.size()));
    pak::SetU32(h + 28, pak::Crc32(index.data(), index.size()));
    pak::SetU64(h + 32, out->size());
    pak::SetU32(h + 40, 0);
    pak::SetU32(h + 44, pak::Crc32(h, 44));
    return true;
}

bool CPakWriter::Save(const std::string& nativePath) const {
    std::vector<uint8_t> bytes;
    if (!Build(&bytes)) return false;
    std::string temp = nativePath + ".tmp";
    if (!PlatformWriteFileSynced(temp, bytes.data(), bytes.size()) || !PlatformReplaceFile(temp, nativePath)) {
        DebugPrintf("CPakWriter::Save() 書き込みに失敗[%s][%s]", nativePath.c_str(), PlatformLastErrorText().c_str());
        PlatformRemoveFile(temp);
        return false;
    }
    return true;
}

bool CPakWriter::BuildSingle(const std::string& name, const std::vector<uint8_t>& bytes, std::vector<uint8_t>* out,
                             bool compress) {
    out->clear();
    if (name.size() > pak::kMaxNameLength || bytes.size() > pak::kMaxEntrySize) {
        DebugPrintf("CPakWriter::BuildSingle() 名前か大きさが不正です[%s][size:%zu]", name.c_str(), bytes.size());
        return false;
    }
    uint8_t method = 0;
    std::vector<uint8_t> stored;
    _Encode(bytes, compress, &method, &stored);
    out->resize(pak::kSingleHeaderSize);
    uint8_t* h = out->data();
    std::memcpy(h, pak::kSingleMagic, pak::kMagicSize);
    pak::SetU16(h + 10, pak::kFormatVersion);
    h[12] = method;
    h[13] = 0;
    pak::SetU16(h + 14, static_cast<uint16_t>(name.size()));
    pak::SetU32(h + 16, static_cast<uint32_t>(stored.size()));
    pak::SetU32(h + 20, static_cast<uint32_t>(bytes.size()));
    pak::SetU32(h + 24, pak::Crc32(stored.data(), stored.size()));
    uint32_t headerCrc = pak::Crc32(h, 28);
    headerCrc = pak::Crc32(name.data(), name.size(), headerCrc);
    pak::SetU32(h + 28, headerCrc);
    out->insert(out->end(), name.begin(), name.end());
    out->insert(out->end(), stored.begin(), stored.end());
    return true;
}
