#pragma once
// A read-only file object over bytes in memory: decoders read sounds through the
// one file interface, and the fuzz targets and tests hand them bytes this way.
#include <cstdint>
#include <vector>

#include "engine/file/File.h"

class CMemoryFileObject : public IFileObject {
public:
    CMemoryFileObject() = default;
    CMemoryFileObject(const uint8_t* data, size_t size) : m_Data(data, data + size), m_Open(true) {}
    explicit CMemoryFileObject(std::vector<uint8_t> data) : m_Data(std::move(data)), m_Open(true) {}

    bool Create(const std::string& path, int mode = 1) override;
    // Reads the whole file through CFile.
    bool Open(const std::string& path) override;
    void Close() override;
    size_t Read(void* buffer, size_t size, size_t count = 1) override;
    size_t Write(const void* buffer, size_t size, size_t count = 1) override;
    int64_t GetSize() const override { return static_cast<int64_t>(m_Data.size()); }
    bool Seek(int64_t offset, int origin = SEEK_FROM_BEGIN) override;
    int64_t Tell() const override { return m_Pos; }
    bool IsOpen() const override { return m_Open; }

private:
    std::vector<uint8_t> m_Data;
    int64_t m_Pos = 0;
    bool m_Open = false;
};
