#include "engine/base/CriticalSection.h"

#include "engine/base/Log.h"

CCriticalSection::~CCriticalSection() {
    if (m_EnterCount.load() != 0) {
        DebugPrintf("CCriticalSection::~CCriticalSection() 解放されていないクリティカルセクション[count:%d]",
                    m_EnterCount.load());
        // A mutex must not be destroyed while held; the owner's own entries can be
        // given back.
        if (IsOwnedByCurrentThread()) {
            for (int n = m_EnterCount.exchange(0); n > 0; --n) {
                m_Mutex.unlock();
            }
            m_Owner.store(std::thread::id());
        }
    }
}

void CCriticalSection::Enter() {
    m_Mutex.lock();
    m_Owner.store(std::this_thread::get_id());
    ++m_EnterCount;
}

bool CCriticalSection::TryEnter() {
    if (!m_Mutex.try_lock()) {
        return false;
    }
    m_Owner.store(std::this_thread::get_id());
    ++m_EnterCount;
    return true;
}

void CCriticalSection::Leave() {
    if (m_EnterCount.load() <= 0 || !IsOwnedByCurrentThread()) {
        DebugPrintf("CCriticalSection::Leave() 入っていないクリティカルセクションから出ようとしました[count:%d]",
                    m_EnterCount.load());
        return;
    }
    if (--m_EnterCount == 0) {
        m_Owner.store(std::thread::id());
    }
    m_Mutex.unlock();
}

bool CCriticalSection::IsOwnedByCurrentThread() const {
    return m_Owner.load() == std::this_thread::get_id();
}

CCriticalSection& GetStaticInitLock() {
    // A function static: built on first use, by the C++ runtime's own guarded init.
    static CCriticalSection lock;
    return lock;
}
