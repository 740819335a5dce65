#pragma once
// Threads of the engine.  Every thread is a CThread started through Start(), which
// registers it in CThreadList; the main thread waits on that list before it ends.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/base/CriticalSection.h"
#include "engine/base/Event.h"

class CThread {
public:
    enum EPriority { PRIORITY_LOWEST = -2, PRIORITY_BELOW_NORMAL = -1, PRIORITY_NORMAL = 0,
                     PRIORITY_ABOVE_NORMAL = 1, PRIORITY_HIGHEST = 2, PRIORITY_TIME_CRITICAL = 15 };

    CThread();
    // A derived class must stop and join its thread in its own destructor (Stop());
    // here the thread is joined as a last resort.
    virtual ~CThread();
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    // Starts the thread; `suspended` makes it wait before ThreadProc until Resume().
    bool Start(bool suspended = false);
    // Waits for the end of ThreadProc: true when it ended within `timeoutMs`.
    bool Wait(uint32_t timeoutMs = CEvent::kInfinite);
    // Asks the thread to stop and joins it.
    void Stop();

    // A POSIX thread cannot be frozen from outside: Suspend() is a request that the
    // thread honours at its next CheckSuspend() (and before ThreadProc when started
    // suspended).  The count nests as on Windows.
    int Suspend();
    int Resume();
    int GetSuspendCount() const;

    // Recorded and reported; the host scheduler keeps its own priorities.
    void SetPriority(int priority) { m_Priority.store(priority); }
    int GetPriority() const { return m_Priority.load(); }

    void RequestStop();
    bool IsStopRequested() const { return m_StopRequested.load(); }
    bool IsRunning() const { return m_Running.load(); }
    std::thread::id GetId() const { return m_Id.load(); }

protected:
    virtual uint32_t ThreadProc() = 0;
    // Called by ThreadProc at points where a requested suspension may take effect.
    void CheckSuspend();
    // Sleeps up to `ms`, returning early (true) when a stop was requested.
    bool SleepOrStop(uint32_t ms);

private:
    void _Run();

    std::thread m_Thread;
    // Joining is one caller's act; several threads may wait for the same thread.
    std::mutex m_JoinMutex;
    // Written by the starter and by the thread itself, read from anywhere.
    std::atomic<std::thread::id> m_Id{};
    std::atomic<bool> m_StopRequested{false};
    std::atomic<bool> m_Running{false};
    CEvent m_Finished{true, false};
    mutable std::mutex m_SuspendMutex;
    std::condition_variable m_SuspendCond;
    int m_SuspendCount = 0;
    std::atomic<int> m_Priority{PRIORITY_NORMAL};
    uint32_t m_ExitCode = 0;
};

// Every started CThread, so that the main thread can wait for all of them.
class CThreadList {
public:
    static CThreadList& Get();
    void Add(CThread* thread);
    void Remove(CThread* thread);
    size_t GetCount() const;
    // Waits until the list is empty, at most `timeoutMs`; true when it emptied.
    bool WaitAll(uint32_t timeoutMs = CEvent::kInfinite);

private:
    mutable CCriticalSection m_Lock;
    std::vector<CThread*> m_Threads;
    std::condition_variable_any m_Cond;
};
