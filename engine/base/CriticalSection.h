#pragma once
// A re-entrant critical section with an enter count, its scoped lock, and the
// process-wide lock under which lazily built singletons are created.
#include <atomic>
#include <mutex>
#include <thread>

class CCriticalSection {
public:
    CCriticalSection() = default;
    ~CCriticalSection();
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    void Enter();
    bool TryEnter();
    // Leaving a section the calling thread does not hold is reported, not obeyed.
    void Leave();
    // How many times the owning thread has entered (0 when free).
    int GetEnterCount() const { return m_EnterCount.load(); }
    bool IsOwnedByCurrentThread() const;

private:
    std::recursive_mutex m_Mutex;
    std::atomic<int> m_EnterCount{0};
    std::atomic<std::thread::id> m_Owner{};
};

class CCriticalLock {
public:
    explicit CCriticalLock(CCriticalSection& section) : m_Section(&section) { m_Section->Enter(); }
    ~CCriticalLock() { Unlock(); }
    CCriticalLock(const CCriticalLock&) = delete;
    CCriticalLock& operator=(const CCriticalLock&) = delete;

    // Leaves early; the destructor then leaves nothing.
    void Unlock() {
        if (m_Section) {
            m_Section->Leave();
            m_Section = nullptr;
        }
    }

private:
    CCriticalSection* m_Section;
};

// The process-wide section under which every lazily built singleton is created once.
CCriticalSection& GetStaticInitLock();
// The same section under the name the scenario side uses.
inline CCriticalSection& GetStartupLock() { return GetStaticInitLock(); }
