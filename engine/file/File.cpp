#include "engine/file/File.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <new>
#include <set>

#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "engine/file/PakCache.h"

namespace fs = std::filesystem;

std::vector<std::string> SplitGamePath(const std::string& path) {
    std::vector<std::string> parts;
    std::string cur;
    auto flush = [&]() {
        if (!cur.empty() && cur != ".") parts.push_back(cur);
        cur.clear();
    };
    for (size_t i = 0; i < path.size(); ++i) {
        char c = path[i];
        if (IsSjisLeadByte(c) && i + 1 < path.size()) {
            cur += c;
            cur += path[++i];
            continue;
        }
        if (c == '\\' || c == '/') {
            flush();
            continue;
        }
        cur += c;
    }
    flush();
    return parts;
}

std::string ResolveDiskPath(const std::string& gamePath) {
    std::string native = ToNativePath(gamePath);
    std::error_code ec;
    if (fs::exists(native, ec)) {
        return native;
    }
    // Walk the components, matching each case-insensitively.
    bool absolute = !gamePath.empty() && gamePath[0] == '/';
    fs::path cur = absolute ? fs::path("/") : fs::path(GetGameFolder());
    for (const std::string& part : SplitGamePath(gamePath)) {
        fs::path exact = cur / part;
        if (fs::exists(exact, ec)) {
            cur = exact;
            continue;
        }
        std::string want = StrCaseConvert(part);
        bool found = false;
        for (fs::directory_iterator it(cur, ec), end; !ec && it != end; it.increment(ec)) {
            if (StrCaseConvert(it->path().filename().string()) == want) {
                cur = it->path();
                found = true;
                break;
            }
        }
        if (!found) {
            return std::string();
        }
    }
    return cur.string();
}

std::string ResolveDiskPathForWrite(const std::string& gamePath) {
    std::string existing = ResolveDiskPath(gamePath);
    if (!existing.empty()) return existing;
    std::vector<std::string> parts = SplitGamePath(gamePath);
    if (parts.empty()) return ToNativePath(gamePath);
    bool absolute = !gamePath.empty() && gamePath[0] == '/';
    std::string parent;
    if (parts.size() == 1) {
        parent = absolute ? "/" : GetGameFolder();
    } else {
        std::string parentGame = absolute ? "/" : "";
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            if (i) parentGame += '\\';
            parentGame += parts[i];
        }
        parent = ResolveDiskPath(parentGame);
        if (parent.empty()) return ToNativePath(gamePath);
    }
    if (parent.back() != '/') parent += '/';
    return parent + parts.back();
}

// ---------------------------------------------------------------------------
// CDiskFile

CDiskFile::~CDiskFile() { Close(); }

bool CDiskFile::Create(const std::string& path, int /*mode*/) {
    Close();
    std::string native = ResolveDiskPathForWrite(path);
    m_File = std::fopen(native.c_str(), "wb");
    return m_File != nullptr;
}

bool CDiskFile::Open(const std::string& path) {
    Close();
    std::string native = ResolveDiskPath(path);
    if (native.empty()) {
        return false;
    }
    std::error_code ec;
    if (fs::is_directory(native, ec)) {
        return false;
    }
    m_File = std::fopen(native.c_str(), "rb");
    return m_File != nullptr;
}

void CDiskFile::Close() {
    if (m_File) {
        std::fclose(m_File);
        m_File = nullptr;
    }
}

size_t CDiskFile::Read(void* buffer, size_t size, size_t count) {
    if (!m_File || size == 0) return 0;
    return std::fread(buffer, size, count, m_File);
}

size_t CDiskFile::Write(const void* buffer, size_t size, size_t count) {
    if (!m_File || size == 0) return 0;
    return std::fwrite(buffer, size, count, m_File);
}

int64_t CDiskFile::GetSize() const {
    if (!m_File) return 0;
    long pos = std::ftell(m_File);
    std::fseek(m_File, 0, SEEK_END);
    long size = std::ftell(m_File);
    std::fseek(m_File, pos, SEEK_SET);
    return size < 0 ? 0 : size;
}

bool CDiskFile::Seek(int64_t offset, int origin) {
    if (!m_File) return false;
    int whence = origin == SEEK_FROM_CURRENT ? SEEK_CUR : origin == SEEK_FROM_END ? SEEK_END : SEEK_SET;
    return std::fseek(m_File, static_cast<long>(offset), whence) == 0;
}

int64_t CDiskFile::Tell() const { return m_File ? std::ftell(m_File) : 0; }

// ---------------------------------------------------------------------------
// CFile

namespace {

// The archive and the entry a game path names, when its top folder has an archive
// that holds it (as "rest" or as "top\rest").
const SPakEntry* FindInArchive(const std::string& path, std::shared_ptr<const CPakArchive>* archive) {
    if (path.empty() || path[0] == '/') return nullptr;
    std::vector<std::string> parts = SplitGamePath(path);
    if (parts.size() < 2) return nullptr;
    *archive = CPakCache::GetInstance().FindArchive(parts[0]);
    if (!*archive) return nullptr;
    std::string rest;
    for (size_t i = 1; i < parts.size(); ++i) {
        if (i > 1) rest += '\\';
        rest += parts[i];
    }
    const SPakEntry* e = (*archive)->Find(rest);
    if (!e) e = (*archive)->Find(parts[0] + '\\' + rest);
    return e;
}

}  // namespace

CFile::~CFile() { Close(); }

bool CFile::Create(const std::string& path, int mode) {
    Close();
    if (!m_Disk.Create(path, mode)) {
        DebugPrintf("error：ファイルの作成に失敗しました。<%s> [CFile::Create()]", path.c_str());
        return false;
    }
    return true;
}

bool CFile::Open(const std::string& path) { return _Open(path, true); }

bool CFile::_Open(const std::string& path, bool logMissing) {
    Close();
    std::shared_ptr<const CPakArchive> archive;
    if (const SPakEntry* e = FindInArchive(path, &archive)) {
        // A damaged entry is reported by the archive; the folder may still hold it.
        std::vector<uint8_t> bytes;
        if (archive->Extract(*e, &bytes)) {
            m_Memory.Assign(std::move(bytes));
            m_InMemory = true;
            return true;
        }
    }
    if (m_Disk.Open(path)) return true;
    if (logMissing) {
        DebugPrintf("CFile::Open() ファイルが見つかりません[%s]", path.c_str());
    }
    return false;
}

void CFile::Close() {
    m_Disk.Close();
    m_Memory.Close();
    m_InMemory = false;
}

size_t CFile::Read(void* buffer, size_t size, size_t count) {
    return m_InMemory ? m_Memory.Read(buffer, size, count) : m_Disk.Read(buffer, size, count);
}

size_t CFile::Write(const void* buffer, size_t size, size_t count) {
    if (m_InMemory) return 0;
    return m_Disk.Write(buffer, size, count);
}

int64_t CFile::GetSize() const {
    return m_InMemory ? m_Memory.GetSize() : m_Disk.GetSize();
}

bool CFile::Seek(int64_t offset, int origin) {
    return m_InMemory ? m_Memory.Seek(offset, origin) : m_Disk.Seek(offset, origin);
}

int64_t CFile::Tell() const { return m_InMemory ? m_Memory.Tell() : m_Disk.Tell(); }

bool CFile::IsOpen() const { return m_InMemory || m_Disk.IsOpen(); }

bool CFile::ReadAll(const std::string& path, std::vector<uint8_t>* out) { return ReadAll(path, out, true); }

bool CFile::ReadAll(const std::string& path, std::vector<uint8_t>* out, bool logMissing) {
    out->clear();
    CFile f;
    if (!f._Open(path, logMissing)) return false;
    if (f.m_InMemory) {
        *out = f.m_Memory.Release();
        return true;
    }
    int64_t size = f.GetSize();
    if (size < 0) return false;
    try {
        out->resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        DebugPrintf("CFile::ReadAll() メモリ割り当てに失敗！[%s][size:%lld]", path.c_str(),
                    static_cast<long long>(size));
        return false;
    }
    if (size > 0 && f.Read(out->data(), static_cast<size_t>(size), 1) != 1) {
        DebugPrintf("CFile::ReadAll() 読み込みに失敗[%s]", path.c_str());
        out->clear();
        return false;
    }
    return true;
}

bool CFile::Exists(const std::string& path) {
    std::shared_ptr<const CPakArchive> archive;
    if (FindInArchive(path, &archive)) return true;
    std::string native = ResolveDiskPath(path);
    std::error_code ec;
    return !native.empty() && fs::is_regular_file(native, ec);
}

bool CMemoryFileObject::Create(const std::string& /*path*/, int /*mode*/) { return false; }

bool CMemoryFileObject::Open(const std::string& path) {
    Close();
    if (!CFile::ReadAll(path, &m_Data)) return false;
    m_Open = true;
    return true;
}

void CMemoryFileObject::Close() {
    std::vector<uint8_t>().swap(m_Data);
    m_Pos = 0;
    m_Open = false;
}

void CMemoryFileObject::Assign(std::vector<uint8_t> data) {
    m_Data = std::move(data);
    m_Pos = 0;
    m_Open = true;
}

std::vector<uint8_t> CMemoryFileObject::Release() {
    std::vector<uint8_t> data = std::move(m_Data);
    Close();
    return data;
}

size_t CMemoryFileObject::Read(void* buffer, size_t size, size_t count) {
    if (!m_Open || size == 0) return 0;
    int64_t left = static_cast<int64_t>(m_Data.size()) - m_Pos;
    size_t whole = left <= 0 ? 0 : std::min<size_t>(count, static_cast<size_t>(left) / size);
    if (whole) {
        std::memcpy(buffer, m_Data.data() + m_Pos, whole * size);
        m_Pos += static_cast<int64_t>(whole * size);
    }
    return whole;
}

size_t CMemoryFileObject::Write(const void* /*buffer*/, size_t /*size*/, size_t /*count*/) { return 0; }

bool CMemoryFileObject::Seek(int64_t offset, int origin) {
    if (!m_Open) return false;
    int64_t base = origin == SEEK_FROM_CURRENT ? m_Pos : origin == SEEK_FROM_END ? GetSize() : 0;
    int64_t pos = base + offset;
    if (pos < 0 || pos > GetSize()) return false;
    m_Pos = pos;
    return true;
}

void ReportUnreadableFile(const char* caller, const std::string& path) {
    static std::mutex mutex;
    static std::set<std::string> reported;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!reported.insert(path).second) return;
    }
    DebugPrintf("%s ファイルを読み込めません[%s]", caller, path.c_str());
}
