#include "engine/sound/MemoryFile.h"

#include <algorithm>
#include <cstring>

bool CMemoryFileObject::Create(const std::string& /*path*/, int /*mode*/) { return false; }

bool CMemoryFileObject::Open(const std::string& path) {
    Close();
    if (!CFile::ReadAll(path, &m_Data)) return false;
    m_Open = true;
    return true;
}

void CMemoryFileObject::Close() {
    m_Data.clear();
    m_Pos = 0;
    m_Open = false;
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
