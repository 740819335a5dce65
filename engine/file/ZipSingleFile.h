#pragma once
// The reader of the single-file form of ".pak" ("PIRUPACK4S", docs/pak-format.md):
// one file stored compressed.  Opening reads it (from a folder or an archive, as
// CFile finds it), checks it and inflates it whole; reads then come from memory.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/file/File.h"

class CZipSingleFile : public CMemoryFileObject {
public:
    CZipSingleFile() = default;
    ~CZipSingleFile() override = default;
    CZipSingleFile(const CZipSingleFile&) = delete;
    CZipSingleFile& operator=(const CZipSingleFile&) = delete;

    // Read-only: Create (logged) and Write fail.
    bool Create(const std::string& path, int mode = 1) override;
    bool Open(const std::string& path) override;
    // The same from a whole file held in memory.
    bool OpenMemory(const uint8_t* data, size_t size, const std::string& label = "<memory>");
    void Close() override;

    // The file name kept in the header (may be empty).
    const std::string& GetStoredName() const { return m_StoredName; }

    // The largest size a file may inflate to; larger ones are refused before any
    // allocation, as an allocation failure.  1 GiB unless set.
    static void SetMaxSize(uint32_t bytes);
    static uint32_t GetMaxSize();

private:
    bool _Load(const std::string& label, const uint8_t* data, size_t size);
    bool _Decode(const std::string& label, const uint8_t* data, size_t size);

    std::string m_StoredName;
};
