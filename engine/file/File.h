#pragma once
// The one file interface.  Paths are the game's backslash paths relative to the game
// folder ("bg\\a.bmp"); CFile finds them in the ".pak" archive of their top folder
// first, then in the folder, matching names case-insensitively (ASCII letters only).
// Only the top folder has an archive: "scr\\a\\b.txt" is the entry "a\\b.txt" (or
// "scr\\a\\b.txt") of scr.pak; files directly in the game folder, absolute paths and
// top folders without an archive come from the disk alone.
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IFileObject {
public:
    enum { SEEK_FROM_BEGIN = 0, SEEK_FROM_CURRENT = 1, SEEK_FROM_END = 2 };

    virtual ~IFileObject() = default;
    // Creates or truncates a file for writing (mode 1).
    virtual bool Create(const std::string& path, int mode = 1) = 0;
    // Opens a file for reading.
    virtual bool Open(const std::string& path) = 0;
    virtual void Close() = 0;
    // Reads up to `count` elements of `size` bytes; returns the number of whole
    // elements read.
    virtual size_t Read(void* buffer, size_t size, size_t count = 1) = 0;
    // Writes `count` elements of `size` bytes; returns the number written.
    virtual size_t Write(const void* buffer, size_t size, size_t count = 1) = 0;
    virtual int64_t GetSize() const = 0;
    virtual bool Seek(int64_t offset, int origin = SEEK_FROM_BEGIN) = 0;
    virtual int64_t Tell() const = 0;
    virtual void Rewind() { Seek(0, SEEK_FROM_BEGIN); }
    virtual bool IsOpen() const = 0;
};

// A plain file of the game folder (or an absolute native path).
class CDiskFile : public IFileObject {
public:
    CDiskFile() = default;
    ~CDiskFile() override;
    CDiskFile(const CDiskFile&) = delete;
    CDiskFile& operator=(const CDiskFile&) = delete;

    bool Create(const std::string& path, int mode = 1) override;
    bool Open(const std::string& path) override;
    void Close() override;
    size_t Read(void* buffer, size_t size, size_t count = 1) override;
    size_t Write(const void* buffer, size_t size, size_t count = 1) override;
    int64_t GetSize() const override;
    bool Seek(int64_t offset, int origin = SEEK_FROM_BEGIN) override;
    int64_t Tell() const override;
    bool IsOpen() const override { return m_File != nullptr; }

private:
    std::FILE* m_File = nullptr;
};

// A read-only file over bytes held in memory: an archive entry CFile has extracted,
// an inflated single-file ".pak", or bytes a decoder is handed directly.
class CMemoryFileObject : public IFileObject {
public:
    CMemoryFileObject() = default;
    CMemoryFileObject(const uint8_t* data, size_t size) : m_Data(data, data + size), m_Open(true) {}
    explicit CMemoryFileObject(std::vector<uint8_t> data) : m_Data(std::move(data)), m_Open(true) {}

    // Read-only: Create and Write fail.
    bool Create(const std::string& path, int mode = 1) override;
    // Reads the whole file through CFile.
    bool Open(const std::string& path) override;
    // Frees the bytes.
    void Close() override;
    size_t Read(void* buffer, size_t size, size_t count = 1) override;
    size_t Write(const void* buffer, size_t size, size_t count = 1) override;
    int64_t GetSize() const override { return static_cast<int64_t>(m_Data.size()); }
    bool Seek(int64_t offset, int origin = SEEK_FROM_BEGIN) override;
    int64_t Tell() const override { return m_Pos; }
    bool IsOpen() const override { return m_Open; }

    // Opens over `data`, read from its start.
    void Assign(std::vector<uint8_t> data);
    // Hands the bytes over and closes.
    std::vector<uint8_t> Release();
    const std::vector<uint8_t>& GetData() const { return m_Data; }

private:
    std::vector<uint8_t> m_Data;
    int64_t m_Pos = 0;
    bool m_Open = false;
};

// A plain file or an entry of a ".pak" archive (read whole into memory on open).
class CFile : public IFileObject {
public:
    CFile() = default;
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Logs "error：ファイルの作成に失敗しました。<path> [CFile::Create()]" on failure.
    bool Create(const std::string& path, int mode = 1) override;
    // Archive first, then folder; false when found nowhere, with the log line
    // "CFile::Open() ファイルが見つかりません[path]".
    bool Open(const std::string& path) override;
    void Close() override;
    size_t Read(void* buffer, size_t size, size_t count = 1) override;
    size_t Write(const void* buffer, size_t size, size_t count = 1) override;
    int64_t GetSize() const override;
    bool Seek(int64_t offset, int origin = SEEK_FROM_BEGIN) override;
    int64_t Tell() const override;
    bool IsOpen() const override;

    // Reads a whole file found as Open finds it; false (out emptied) when it cannot.
    static bool ReadAll(const std::string& path, std::vector<uint8_t>* out);
    // The same; a file found nowhere is not logged when `logMissing` is false (for
    // callers to whom a missing file is an ordinary case).  Damage is still logged.
    static bool ReadAll(const std::string& path, std::vector<uint8_t>* out, bool logMissing);
    // True when Open would find the file (an archive entry or a plain file); logs
    // nothing.
    static bool Exists(const std::string& path);
    // True when the file was found in an archive (and is read from memory).
    bool IsFromArchive() const { return m_InMemory; }

private:
    bool _Open(const std::string& path, bool logMissing);

    CDiskFile m_Disk;
    CMemoryFileObject m_Memory;
    bool m_InMemory = false;
};

// Resolves a game path against the folders case-insensitively: the native path of an
// existing file (or folder), else an empty string.
std::string ResolveDiskPath(const std::string& gamePath);
// The native path to write a game path to: the existing file when there is one in any
// letter case, else the name inside its folder as the folder is spelt on the disk
// (the name as given when the folder does not exist yet).
std::string ResolveDiskPathForWrite(const std::string& gamePath);
// A game path's components, split at backslashes that are characters of their own
// (and at slashes); empty components and "." are dropped.
std::vector<std::string> SplitGamePath(const std::string& path);

// The log line of a data file the game needs but cannot read (a table, the probe of an
// archive): "<caller> ファイルを読み込めません[<path>]", written the first time each path
// is reported in the run, so that a table read again (by each stage, at each opening of
// a window) is reported once.
void ReportUnreadableFile(const char* caller, const std::string& path);
