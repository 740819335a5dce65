#pragma once
// A named block of memory shared between processes (POSIX shared memory), standing
// for a named file mapping.
#include <cstddef>
#include <cstdint>
#include <string>

class CSharedMemory {
public:
    CSharedMemory() = default;
    ~CSharedMemory();
    CSharedMemory(const CSharedMemory&) = delete;
    CSharedMemory& operator=(const CSharedMemory&) = delete;

    // Creates the block (zero-filled) or opens it when it exists; `size` bytes.
    bool Create(const std::string& name, size_t size);
    // Opens an existing block; false when there is none or it is smaller than `size`.
    bool Open(const std::string& name, size_t size);
    void Close();
    // Removes the name (the memory lives on while mapped).
    static bool Unlink(const std::string& name);

    bool IsOpen() const { return m_Data != nullptr; }
    uint8_t* GetData() { return m_Data; }
    const uint8_t* GetData() const { return m_Data; }
    size_t GetSize() const { return m_Size; }

    // The system's name for a block name ("/" + the name, slashes replaced).
    static std::string SystemName(const std::string& name);

private:
    bool _Map(int fd, size_t size);

    uint8_t* m_Data = nullptr;
    size_t m_Size = 0;
};
