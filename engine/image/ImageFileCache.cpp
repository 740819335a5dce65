#include "engine/image/ImageFileCache.h"

#include "engine/base/Log.h"
#include "engine/base/Singleton.h"
#include "engine/base/StringUtil.h"

CImageFileCacheControl& CImageFileCacheControl::GetInstance() { return CLazySingleton<CImageFileCacheControl>::Get(); }

std::string CImageFileCacheControl::MakeKey(const std::string& path) {
    return NormalizePath(PathToBackslash(StrCaseConvert(path)));
}

const CImageFile* CImageFileCacheControl::Acquire(const std::string& path) {
    const std::string key = MakeKey(path);
    {
        CCriticalLock lock(m_Lock);
        auto it = m_Entries.find(key);
        if (it != m_Entries.end()) {
            ++it->second.refs;
            return it->second.image.get();
        }
    }
    // Decoded outside the lock so that other threads are not held up meanwhile.
    auto image = std::make_unique<CImageFile>();
    if (!image->Open(path)) {
        return nullptr;
    }
    CCriticalLock lock(m_Lock);
    SEntry& entry = m_Entries[key];
    if (!entry.image) {
        // Another thread may have decoded the same file meanwhile: its copy wins.
        entry.image = std::move(image);
    }
    ++entry.refs;
    return entry.image.get();
}

bool CImageFileCacheControl::Release(const std::string& path) {
    const std::string key = MakeKey(path);
    std::unique_ptr<CImageFile> freed;
    {
        CCriticalLock lock(m_Lock);
        auto it = m_Entries.find(key);
        if (it == m_Entries.end()) {
            DebugPrintf("CImageFileCacheControl::Release() キャッシュにない画像です[%s]", path.c_str());
            return false;
        }
        if (--it->second.refs <= 0) {
            freed = std::move(it->second.image);
            m_Entries.erase(it);
        }
    }
    return true;
}

int CImageFileCacheControl::GetRefCount(const std::string& path) const {
    CCriticalLock lock(m_Lock);
    auto it = m_Entries.find(MakeKey(path));
    return it == m_Entries.end() ? 0 : it->second.refs;
}

size_t CImageFileCacheControl::GetCount() const {
    CCriticalLock lock(m_Lock);
    return m_Entries.size();
}

void CImageFileCacheControl::Clear() {
    std::unordered_map<std::string, SEntry> old;
    {
        CCriticalLock lock(m_Lock);
        old.swap(m_Entries);
    }
}
