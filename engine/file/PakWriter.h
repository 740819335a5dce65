#pragma once
// Builds ".pak" archives (docs/pak-format.md): entries from memory or from the files
// of a folder, compressed with zlib at level 9 (kept stored when that is not
// smaller), and the single-file form.
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

class CPakWriter {
public:
    CPakWriter() = default;

    // Adds an entry; the name is a relative path with '\' (or '/') between folders.
    // False with a log line for an empty or over-long name or a name already added
    // (compared as the reader compares them).
    bool AddEntry(const std::string& name, const std::vector<uint8_t>& bytes, bool compress = true);
    // Adds a file of the disk under the given entry name.
    bool AddFile(const std::string& name, const std::string& nativePath, bool compress = true);
    // Adds every file below a native folder, named by its path relative to the folder
    // (with '\'), in sorted order; `prefix` (may be empty) goes in front of each name.
    bool AddFolder(const std::string& nativeFolder, const std::string& prefix = "", bool compress = true);

    size_t GetEntryCount() const { return m_Entries.size(); }
    void Clear() {
        m_Entries.clear();
        m_Keys.clear();
    }

    // The whole archive.
    bool Build(std::vector<uint8_t>* out) const;
    // Writes the archive to a native path (atomically: temporary file and rename).
    bool Save(const std::string& nativePath) const;

    // The single-file form holding `bytes` under `name`.
    static bool BuildSingle(const std::string& name, const std::vector<uint8_t>& bytes, std::vector<uint8_t>* out,
                            bool compress = true);

private:
    struct SEntry {
        std::string name;
        std::string key;
        uint8_t method = 0;
        uint32_t size = 0;
        uint32_t crc = 0;
        std::vector<uint8_t> stored;
    };
    static bool _Encode(const std::vector<uint8_t>& bytes, bool compress, uint8_t* method,
                        std::vector<uint8_t>* stored);

    std::vector<SEntry> m_Entries;
    std::unordered_set<std::string> m_Keys;
};
