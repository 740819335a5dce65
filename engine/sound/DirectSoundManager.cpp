#include "engine/sound/DirectSoundManager.h"

#include <algorithm>

#include "engine/base/Log.h"
#include "engine/base/Singleton.h"

CDirectSoundManager::CDirectSoundManager() {
    // The log must outlive this singleton, which reports at exit: make sure its state
    // is built first (statics die in the reverse order of their construction).
    RemoveLogListener(nullptr);
}

CDirectSoundManager::~CDirectSoundManager() { ReportAlive(); }

size_t CDirectSoundManager::ReportAlive() const {
    CCriticalLock lock(m_Lock);
    for (auto& o : m_Objects) {
        DebugPrintf("CDirectSoundManager::~CDirectSoundManager() 解放されていないDirectSoundがあります[window:%p]",
                    o.first);
    }
    return m_Objects.size();
}

CDirectSoundManager& CDirectSoundManager::Get() { return CLazySingleton<CDirectSoundManager>::Get(); }

bool CDirectSoundManager::Register(const void* window, CDirectSound* sound) {
    CCriticalLock lock(m_Lock);
    for (auto& o : m_Objects) {
        if (o.first == window) {
            DebugPrintf("CDirectSoundManager::Register() このウィンドウのDirectSoundは既にあります[window:%p]", window);
            return false;
        }
    }
    m_Objects.emplace_back(window, sound);
    return true;
}

void CDirectSoundManager::Unregister(CDirectSound* sound) {
    CCriticalLock lock(m_Lock);
    m_Objects.erase(std::remove_if(m_Objects.begin(), m_Objects.end(),
                                   [sound](const auto& o) { return o.second == sound; }),
                    m_Objects.end());
}

CDirectSound* CDirectSoundManager::Find(const void* window) const {
    CCriticalLock lock(m_Lock);
    for (auto& o : m_Objects) {
        if (o.first == window) return o.second;
    }
    return nullptr;
}

bool CDirectSoundManager::Contains(const CDirectSound* sound) const {
    CCriticalLock lock(m_Lock);
    for (auto& o : m_Objects) {
        if (o.second == sound) return true;
    }
    return false;
}

CDirectSound* CDirectSoundManager::GetFirst() const {
    CCriticalLock lock(m_Lock);
    return m_Objects.empty() ? nullptr : m_Objects.front().second;
}

size_t CDirectSoundManager::GetCount() const {
    CCriticalLock lock(m_Lock);
    return m_Objects.size();
}
