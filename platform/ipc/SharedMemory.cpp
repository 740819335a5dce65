#include "platform/ipc/SharedMemory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

std::string CSharedMemory::SystemName(const std::string& name) {
    std::string n = "/";
    for (char c : name) {
        n.push_back(c == '/' ? '_' : c);
    }
    return n;
}

CSharedMemory::~CSharedMemory() { Close(); }

bool CSharedMemory::_Map(int fd, size_t size) {
    void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    if (p == MAP_FAILED) {
        return false;
    }
    m_Data = static_cast<uint8_t*>(p);
    m_Size = size;
    return true;
}

bool CSharedMemory::Create(const std::string& name, size_t size) {
    Close();
    if (size == 0) {
        return false;
    }
    int fd = shm_open(SystemName(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        close(fd);
        return false;
    }
    if (static_cast<size_t>(st.st_size) < size && ftruncate(fd, static_cast<off_t>(size)) != 0) {
        close(fd);
        return false;
    }
    return _Map(fd, size);
}

bool CSharedMemory::Open(const std::string& name, size_t size) {
    Close();
    if (size == 0) {
        return false;
    }
    int fd = shm_open(SystemName(name).c_str(), O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    // A block too small would let our writes run past its end.
    if (fstat(fd, &st) != 0 || static_cast<size_t>(st.st_size) < size) {
        close(fd);
        return false;
    }
    return _Map(fd, size);
}

void CSharedMemory::Close() {
    if (m_Data) {
        munmap(m_Data, m_Size);
        m_Data = nullptr;
        m_Size = 0;
    }
}

bool CSharedMemory::Unlink(const std::string& name) { return shm_unlink(SystemName(name).c_str()) == 0; }
