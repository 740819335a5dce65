#pragma once
// The reader of ".pak" archives of named entries ("PIRUPACK4A", docs/pak-format.md).
// Opening reads and checks the header and the whole index; an entry's bytes are read
// and checked (size, CRC-32) only when it is extracted.  An archive object is not
// changed after it has been opened, so several threads may extract from it at once.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct SPakEntry {
    std::string name;  // as stored, backslash-separated
    std::string key;   // the lookup key (pak::MakeEntryKey)
    uint64_t offset = 0;
    uint32_t storedSize = 0;
    uint32_t size = 0;
    uint32_t crc = 0;
    uint8_t method = 0;
};

class CPakArchive {
public:
    CPakArchive() = default;
    CPakArchive(const CPakArchive&) = delete;
    CPakArchive& operator=(const CPakArchive&) = delete;

    // False with a log line when the file is missing, foreign or damaged.
    bool OpenFile(const std::string& nativePath);
    // The same checks over a whole archive held in memory.
    bool OpenMemory(std::vector<uint8_t> bytes, const std::string& label = "<memory>");
    void Close();
    bool IsOpen() const { return m_Open; }

    // The entry whose key equals the key of `name` (case-insensitive for ASCII
    // letters, either separator); null when there is none.  The first of entries
    // with the same key wins.
    const SPakEntry* Find(const std::string& name) const;
    // The entry's original bytes; false with a log line when its stored bytes cannot
    // be read or do not give back its size and CRC-32.
    bool Extract(const SPakEntry& entry, std::vector<uint8_t>* out) const;
    bool Extract(const std::string& name, std::vector<uint8_t>* out) const;

    const std::vector<SPakEntry>& GetEntries() const { return m_Entries; }
    const std::string& GetPath() const { return m_Path; }

private:
    // Checks the header (and the archive size against `fileSize`); gives the index's
    // place.
    bool _CheckHeader(const uint8_t* header, uint64_t fileSize, uint64_t* indexOffset, uint32_t* indexSize,
                      uint32_t* count, uint32_t* indexCrc);
    bool _ParseIndex(const uint8_t* index, uint32_t indexSize, uint32_t count, uint32_t indexCrc,
                     uint64_t dataEnd);
    bool _ReadStored(const SPakEntry& entry, std::vector<uint8_t>* out) const;

    std::string m_Path;
    bool m_Open = false;
    bool m_FromMemory = false;
    std::vector<uint8_t> m_Memory;
    uint64_t m_Size = 0;
    std::vector<SPakEntry> m_Entries;
    std::unordered_map<std::string, size_t> m_Lookup;
};
