#include "engine/base/Thread.h"

#include <algorithm>
#include <chrono>

#include "engine/base/Log.h"

CThread::CThread() = default;

CThread::~CThread() {
    std::lock_guard<std::mutex> join(m_JoinMutex);
    if (m_Thread.joinable()) {
        RequestStop();
        Resume();
        m_Thread.join();
    }
}

bool CThread::Start(bool suspended) {
    std::lock_guard<std::mutex> join(m_JoinMutex);
    if (m_Thread.joinable()) {
        if (m_Running.load()) {
            DebugPrintf("CThread::Start() スレッドは既に動いています");
            return false;
        }
        m_Thread.join();
    }
    m_StopRequested = false;
    m_Finished.Reset();
    {
        std::lock_guard<std::mutex> lock(m_SuspendMutex);
        m_SuspendCount = suspended ? 1 : 0;
    }
    m_Running = true;
    CThreadList::Get().Add(this);
    try {
        m_Thread = std::thread([this] { _Run(); });
    } catch (const std::system_error&) {
        m_Running = false;
        CThreadList::Get().Remove(this);
        m_Finished.Set();
        DebugPrintf("CThread::Start() スレッドの作成に失敗");
        return false;
    }
    m_Id.store(m_Thread.get_id());
    return true;
}

void CThread::_Run() {
    // The starter stores the id too, but only once the thread may already run.
    m_Id.store(std::this_thread::get_id());
    CheckSuspend();
    if (!m_StopRequested.load()) {
        m_ExitCode = ThreadProc();
    }
    m_Running = false;
    m_Finished.Set();
    CThreadList::Get().Remove(this);
}

bool CThread::Wait(uint32_t timeoutMs) {
    {
        std::lock_guard<std::mutex> join(m_JoinMutex);
        if (!m_Thread.joinable()) {
            return true;
        }
    }
    if (!m_Finished.Wait(timeoutMs)) {
        return false;
    }
    // Another waiter may have joined it meanwhile.
    std::lock_guard<std::mutex> join(m_JoinMutex);
    if (m_Thread.joinable() && m_Thread.get_id() != std::this_thread::get_id()) {
        m_Thread.join();
    }
    return true;
}

void CThread::Stop() {
    RequestStop();
    {
        std::lock_guard<std::mutex> lock(m_SuspendMutex);
        m_SuspendCount = 0;
    }
    m_SuspendCond.notify_all();
    Wait();
}

int CThread::Suspend() {
    std::lock_guard<std::mutex> lock(m_SuspendMutex);
    return m_SuspendCount++;
}

int CThread::Resume() {
    int previous;
    {
        std::lock_guard<std::mutex> lock(m_SuspendMutex);
        previous = m_SuspendCount;
        if (m_SuspendCount > 0) {
            --m_SuspendCount;
        }
    }
    m_SuspendCond.notify_all();
    return previous;
}

int CThread::GetSuspendCount() const {
    std::lock_guard<std::mutex> lock(m_SuspendMutex);
    return m_SuspendCount;
}

void CThread::RequestStop() {
    {
        // Set under the mutex that the waits' predicates read it under, so that a
        // thread between its test and its wait cannot miss the notification.
        std::lock_guard<std::mutex> lock(m_SuspendMutex);
        m_StopRequested = true;
    }
    m_SuspendCond.notify_all();
}

void CThread::CheckSuspend() {
    std::unique_lock<std::mutex> lock(m_SuspendMutex);
    m_SuspendCond.wait(lock, [this] { return m_SuspendCount == 0 || m_StopRequested.load(); });
}

bool CThread::SleepOrStop(uint32_t ms) {
    std::unique_lock<std::mutex> lock(m_SuspendMutex);
    return m_SuspendCond.wait_for(lock, std::chrono::milliseconds(ms),
                                  [this] { return m_StopRequested.load(); });
}

CThreadList& CThreadList::Get() {
    static CThreadList* list = nullptr;
    CCriticalLock lock(GetStaticInitLock());
    if (!list) {
        static CThreadList instance;
        list = &instance;
    }
    return *list;
}

void CThreadList::Add(CThread* thread) {
    CCriticalLock lock(m_Lock);
    m_Threads.push_back(thread);
}

void CThreadList::Remove(CThread* thread) {
    {
        CCriticalLock lock(m_Lock);
        m_Threads.erase(std::remove(m_Threads.begin(), m_Threads.end(), thread), m_Threads.end());
    }
    m_Cond.notify_all();
}

size_t CThreadList::GetCount() const {
    CCriticalLock lock(m_Lock);
    return m_Threads.size();
}

bool CThreadList::WaitAll(uint32_t timeoutMs) {
    std::mutex m;
    std::unique_lock<std::mutex> lock(m);
    auto empty = [this] { return GetCount() == 0; };
    if (timeoutMs == CEvent::kInfinite) {
        while (!empty()) {
            m_Cond.wait_for(lock, std::chrono::milliseconds(10));
        }
        return true;
    }
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!empty()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        m_Cond.wait_for(lock, std::chrono::milliseconds(10));
    }
    return true;
}
