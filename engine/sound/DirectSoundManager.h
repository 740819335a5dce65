#pragma once
// The registry of the DirectSound objects, one per window: refuses a second object
// for one window and reports the objects still alive when it is destroyed at exit.
#include <cstddef>
#include <utility>
#include <vector>

#include "engine/base/CriticalSection.h"

class CDirectSound;

class CDirectSoundManager {
public:
    CDirectSoundManager();
    ~CDirectSoundManager();
    static CDirectSoundManager& Get();

    bool Register(const void* window, CDirectSound* sound);
    void Unregister(CDirectSound* sound);
    CDirectSound* Find(const void* window) const;
    bool Contains(const CDirectSound* sound) const;
    CDirectSound* GetFirst() const;
    size_t GetCount() const;
    // Logs one line for each object still registered (done at destruction); the count.
    size_t ReportAlive() const;

private:
    mutable CCriticalSection m_Lock;
    std::vector<std::pair<const void*, CDirectSound*>> m_Objects;
};
