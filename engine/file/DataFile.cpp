#include "engine/file/DataFile.h"

#include <zlib.h>

#include <cstring>
#include <limits>
#include <new>

#include "engine/base/Log.h"
#include "engine/file/File.h"
#include "engine/file/PakFormat.h"

namespace {
constexpr char kMagic[] = "NIWADATA";
constexpr size_t kMagicSize = 8;
}  // namespace

void CDataFile::BeginStore() {
    m_Buffer.clear();
    m_Pos = 0;
    m_Mode = MODE_STORE;
    m_Failed = false;
    m_Refused = false;
}

void CDataFile::BeginLoad() {
    m_Pos = 0;
    m_Mode = MODE_LOAD;
    m_Failed = false;
    m_Refused = false;
}

void CDataFile::Refuse() {
    if (m_Mode != MODE_LOAD) return;
    m_Failed = true;
    m_Refused = true;
}

void CDataFile::SetBuffer(std::vector<uint8_t> buffer) {
    m_Buffer = std::move(buffer);
    m_Pos = 0;
    m_Failed = false;
}

void CDataFile::_Append(const void* data, size_t size) {
    if (size == 0) return;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    m_Buffer.insert(m_Buffer.end(), p, p + size);
}

bool CDataFile::_Take(void* out, size_t size) {
    if (m_Failed || size > m_Buffer.size() - m_Pos) {
        m_Failed = true;
        if (size) std::memset(out, 0, size);
        return false;
    }
    if (size) std::memcpy(out, m_Buffer.data() + m_Pos, size);
    m_Pos += size;
    return true;
}

void CDataFile::PutU8(uint8_t v) { _Append(&v, 1); }

void CDataFile::PutU16(uint16_t v) {
    uint8_t b[2];
    pak::SetU16(b, v);
    _Append(b, 2);
}

void CDataFile::PutU32(uint32_t v) {
    uint8_t b[4];
    pak::SetU32(b, v);
    _Append(b, 4);
}

void CDataFile::PutU64(uint64_t v) {
    uint8_t b[8];
    pak::SetU64(b, v);
    _Append(b, 8);
}

void CDataFile::PutFloat(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    PutU32(bits);
}

void CDataFile::PutDouble(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    PutU64(bits);
}

void CDataFile::PutBytes(const void* data, size_t size) { _Append(data, size); }

void CDataFile::PutString(const std::string& s) {
    PutU32(static_cast<uint32_t>(s.size()));
    _Append(s.data(), s.size());
}

bool CDataFile::GetU8(uint8_t* v) { return _Take(v, 1); }

bool CDataFile::GetU16(uint16_t* v) {
    uint8_t b[2];
    bool ok = _Take(b, 2);
    *v = pak::GetU16(b);
    return ok;
}

bool CDataFile::GetU32(uint32_t* v) {
    uint8_t b[4];
    bool ok = _Take(b, 4);
    *v = pak::GetU32(b);
    return ok;
}

bool CDataFile::GetU64(uint64_t* v) {
    uint8_t b[8];
    bool ok = _Take(b, 8);
    *v = pak::GetU64(b);
    return ok;
}

bool CDataFile::GetI8(int8_t* v) {
    uint8_t u;
    bool ok = GetU8(&u);
    *v = static_cast<int8_t>(u);
    return ok;
}

bool CDataFile::GetI16(int16_t* v) {
    uint16_t u;
    bool ok = GetU16(&u);
    *v = static_cast<int16_t>(u);
    return ok;
}

bool CDataFile::GetI32(int32_t* v) {
    uint32_t u;
    bool ok = GetU32(&u);
    *v = static_cast<int32_t>(u);
    return ok;
}

bool CDataFile::GetI64(int64_t* v) {
    uint64_t u;
    bool ok = GetU64(&u);
    *v = static_cast<int64_t>(u);
    return ok;
}

bool CDataFile::GetFloat(float* v) {
    uint32_t bits;
    bool ok = GetU32(&bits);
    std::memcpy(v, &bits, 4);
    return ok;
}

bool CDataFile::GetDouble(double* v) {
    uint64_t bits;
    bool ok = GetU64(&bits);
    std::memcpy(v, &bits, 8);
    return ok;
}

bool CDataFile::GetBytes(void* data, size_t size) { return _Take(data, size); }

bool CDataFile::GetString(std::string* s) {
    s->clear();
    uint32_t len = 0;
    if (!GetU32(&len)) return false;
    if (len > GetRemaining()) {
        m_Failed = true;
        return false;
    }
    s->assign(reinterpret_cast<const char*>(m_Buffer.data() + m_Pos), len);
    m_Pos += len;
    return true;
}

void CDataFile::Io(uint8_t& v) { IsStoring() ? PutU8(v) : (void)GetU8(&v); }
void CDataFile::Io(int8_t& v) { IsStoring() ? PutI8(v) : (void)GetI8(&v); }
void CDataFile::Io(uint16_t& v) { IsStoring() ? PutU16(v) : (void)GetU16(&v); }
void CDataFile::Io(int16_t& v) { IsStoring() ? PutI16(v) : (void)GetI16(&v); }
void CDataFile::Io(uint32_t& v) { IsStoring() ? PutU32(v) : (void)GetU32(&v); }
void CDataFile::Io(int32_t& v) { IsStoring() ? PutI32(v) : (void)GetI32(&v); }
void CDataFile::Io(uint64_t& v) { IsStoring() ? PutU64(v) : (void)GetU64(&v); }
void CDataFile::Io(int64_t& v) { IsStoring() ? PutI64(v) : (void)GetI64(&v); }
void CDataFile::Io(float& v) { IsStoring() ? PutFloat(v) : (void)GetFloat(&v); }
void CDataFile::Io(double& v) { IsStoring() ? PutDouble(v) : (void)GetDouble(&v); }
void CDataFile::Io(std::string& v) { IsStoring() ? PutString(v) : (void)GetString(&v); }

void CDataFile::Io(bool& v) {
    if (IsStoring()) {
        PutU8(v ? 1 : 0);
    } else {
        uint8_t b = 0;
        GetU8(&b);
        v = b != 0;
    }
}

void CDataFile::IoBytes(void* data, size_t size) {
    if (IsStoring()) {
        PutBytes(data, size);
    } else {
        GetBytes(data, size);
    }
}

bool CDataFile::SaveToMemory(std::vector<uint8_t>* out, uint32_t version) const {
    out->clear();
    if (m_Buffer.size() > kMaxRawSize) {
        DebugPrintf("CDataFile::SaveToMemory() データが大きすぎます[size:%zu]", m_Buffer.size());
        return false;
    }
    uLong rawSize = static_cast<uLong>(m_Buffer.size());
    uLongf packed = compressBound(rawSize);
    // compress2 wants a readable source even for no bytes.
    static const Bytef kEmpty = 0;
    const Bytef* src = m_Buffer.empty() ? &kEmpty : m_Buffer.data();
    try {
        out->resize(kHeaderSize + packed);
    } catch (const std::bad_alloc&) {
        DebugPrintf("CDataFile::SaveToMemory() メモリ割り当てに失敗！[size:%zu]", m_Buffer.size());
        return false;
    }
    int rc = compress2(out->data() + kHeaderSize, &packed, src, rawSize, 9);
    if (rc != Z_OK) {
        DebugPrintf("CDataFile::SaveToMemory() 圧縮に失敗[%d]", rc);
        out->clear();
        return false;
    }
    out->resize(kHeaderSize + packed);
    uint8_t* h = out->data();
    std::memcpy(h, kMagic, kMagicSize);
    pak::SetU16(h + 8, kContainerVersion);
    pak::SetU16(h + 10, static_cast<uint16_t>(kHeaderSize));
    pak::SetU32(h + 12, version);
    pak::SetU32(h + 16, static_cast<uint32_t>(rawSize));
    pak::SetU32(h + 20, static_cast<uint32_t>(packed));
    pak::SetU32(h + 24, pak::Crc32(m_Buffer.data(), m_Buffer.size()));
    pak::SetU32(h + 28, pak::Crc32(h + kHeaderSize, packed));
    pak::SetU32(h + 32, pak::Crc32(h, 32));
    return true;
}

bool CDataFile::_Decode(const uint8_t* data, size_t size, uint32_t* version, uint32_t maxVersion,
                        const char* method, const std::string& label) {
    const char* name = label.c_str();
    if (size == 0) {
        DebugPrintf("CDataFile::%s() 空のファイルです[%s]", method, name);
        return false;
    }
    if (size < kHeaderSize || std::memcmp(data, kMagic, kMagicSize) != 0) {
        if (size >= kMagicSize && std::memcmp(data, kMagic, kMagicSize) == 0) {
            DebugPrintf("CDataFile::%s() ファイルが途切れています[%s][size:%zu]", method, name, size);
        } else {
            DebugPrintf("CDataFile::%s() データファイルではありません[%s]", method, name);
        }
        return false;
    }
    uint16_t container = pak::GetU16(data + 8);
    if (pak::GetU32(data + 32) != pak::Crc32(data, 32)) {
        DebugPrintf("CDataFile::%s() ヘッダが壊れています[%s]", method, name);
        return false;
    }
    if (container != kContainerVersion || pak::GetU16(data + 10) != kHeaderSize) {
        DebugPrintf("CDataFile::%s() 未対応の形式です[%s][version:%u]", method, name, container);
        return false;
    }
    uint32_t recordVersion = pak::GetU32(data + 12);
    uint32_t rawSize = pak::GetU32(data + 16);
    uint32_t packedSize = pak::GetU32(data + 20);
    uint32_t rawCrc = pak::GetU32(data + 24);
    uint32_t packedCrc = pak::GetU32(data + 28);
    if (size - kHeaderSize != packedSize) {
        DebugPrintf("CDataFile::%s() ファイルの大きさが違います[%s][header:%u][file:%zu]", method, name, packedSize,
                    size - kHeaderSize);
        return false;
    }
    if (pak::Crc32(data + kHeaderSize, packedSize) != packedCrc) {
        DebugPrintf("CDataFile::%s() データが壊れています[%s]", method, name);
        return false;
    }
    if (recordVersion > maxVersion) {
        DebugPrintf("CDataFile::%s() 新しい版のデータです[%s][version:%u][max:%u]", method, name, recordVersion,
                    maxVersion);
        return false;
    }
    if (rawSize > kMaxRawSize || uint64_t{rawSize} > uint64_t{packedSize} * 1032u) {
        DebugPrintf("CDataFile::%s() 大きさが不正です[%s][size:%u]", method, name, rawSize);
        return false;
    }
    std::vector<uint8_t> raw;
    try {
        if (!pak::Inflate(data + kHeaderSize, packedSize, rawSize, &raw) ||
            pak::Crc32(raw.data(), raw.size()) != rawCrc) {
            DebugPrintf("CDataFile::%s() 展開に失敗[%s]", method, name);
            return false;
        }
    } catch (const std::bad_alloc&) {
        DebugPrintf("CDataFile::%s() メモリ割り当てに失敗！[%s][size:%u]", method, name, rawSize);
        return false;
    }
    m_Buffer = std::move(raw);
    BeginLoad();
    if (version) *version = recordVersion;
    return true;
}

bool CDataFile::LoadFromMemory(const uint8_t* data, size_t size, uint32_t* version) {
    return LoadFromMemory(data, size, version, std::numeric_limits<uint32_t>::max());
}

bool CDataFile::LoadFromMemory(const uint8_t* data, size_t size, uint32_t* version, uint32_t maxVersion) {
    if (!data) size = 0;
    if (_Decode(data, size, version, maxVersion, "LoadFromMemory", "<memory>")) return true;
    // Nothing of a refused file is kept: reads fail rather than return stale values.
    m_Buffer.clear();
    BeginLoad();
    m_Failed = true;
    return false;
}

bool CDataFile::Save(const std::string& path, uint32_t version) const {
    std::vector<uint8_t> bytes;
    if (!SaveToMemory(&bytes, version)) {
        DebugPrintf("CDataFile::Save() 保存できません[%s]", path.c_str());
        return false;
    }
    if (!WriteFileAtomic(path, bytes)) {
        DebugPrintf("CDataFile::Save() 書き込みに失敗[%s]", path.c_str());
        return false;
    }
    return true;
}

bool CDataFile::Load(const std::string& path, uint32_t* version) {
    return Load(path, version, std::numeric_limits<uint32_t>::max());
}

bool CDataFile::Load(const std::string& path, uint32_t* version, uint32_t maxVersion) {
    // Save files live in the folder only: an archive must never shadow a fresh save.
    std::vector<uint8_t> bytes;
    bool read = false;
    CDiskFile f;
    if (f.Open(path)) {
        int64_t size = f.GetSize();
        if (size >= 0 && static_cast<uint64_t>(size) <= kHeaderSize + compressBound(kMaxRawSize)) {
            bytes.resize(static_cast<size_t>(size));
            read = bytes.empty() || f.Read(bytes.data(), bytes.size(), 1) == 1;
            if (!read) DebugPrintf("CDataFile::Load() 読み込みに失敗[%s]", path.c_str());
        } else {
            DebugPrintf("CDataFile::Load() 大きさが不正です[%s][size:%lld]", path.c_str(), static_cast<long long>(size));
        }
    } else if (ResolveDiskPath(path).empty()) {
        // A save not yet written (a first start): not a fault, so not for the terminal.
        DebugPrintfLogOnly("CDataFile::Load() ファイルを開けません[%s]", path.c_str());
    } else {
        DebugPrintf("CDataFile::Load() ファイルを開けません[%s]", path.c_str());
    }
    if (read && _Decode(bytes.data(), bytes.size(), version, maxVersion, "Load", path)) return true;
    m_Buffer.clear();
    BeginLoad();
    m_Failed = true;
    return false;
}
