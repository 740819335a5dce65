#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "engine/base/CriticalSection.h"
#include "engine/base/Event.h"
#include "engine/base/Log.h"
#include "engine/base/Singleton.h"
#include "engine/base/SystemInfo.h"
#include "engine/base/Thread.h"

namespace {
class CCountingThread : public CThread {
public:
    std::atomic<int> loops{0};
    CEvent started{true, false};
    ~CCountingThread() override { Stop(); }

protected:
    uint32_t ThreadProc() override {
        started.Set();
        while (!IsStopRequested()) {
            CheckSuspend();
            ++loops;
            SleepOrStop(1);
        }
        return 7;
    }
};

class COneShotThread : public CThread {
public:
    CEvent go{true, false};
    ~COneShotThread() override { Stop(); }

protected:
    uint32_t ThreadProc() override {
        go.Wait();
        return 0;
    }
};
}  // namespace

TEST(CriticalSection, ReentrantWithEnterCount) {
    CCriticalSection cs;
    cs.Enter();
    cs.Enter();
    EXPECT_EQ(cs.GetEnterCount(), 2);
    EXPECT_TRUE(cs.IsOwnedByCurrentThread());
    cs.Leave();
    cs.Leave();
    EXPECT_EQ(cs.GetEnterCount(), 0);
}

TEST(CriticalSection, LeavingUnheldSectionIsReported) {
    CLogCapture log;
    CCriticalSection cs;
    cs.Leave();
    EXPECT_TRUE(log.Contains("CCriticalSection::Leave()"));
    EXPECT_EQ(cs.GetEnterCount(), 0);
}

TEST(CriticalSection, ScopedLockLeavesOnce) {
    CCriticalSection cs;
    {
        CCriticalLock lock(cs);
        EXPECT_EQ(cs.GetEnterCount(), 1);
        lock.Unlock();
        EXPECT_EQ(cs.GetEnterCount(), 0);
    }
    EXPECT_EQ(cs.GetEnterCount(), 0);
    EXPECT_EQ(&GetStaticInitLock(), &GetStartupLock());
}

TEST(Singleton, BuiltOnceAcrossThreads) {
    struct CThing {
        int id = 0;
        CThing() {
            static std::atomic<int> built{0};
            id = ++built;
        }
    };
    std::atomic<CThing*> seen[4] = {};
    std::vector<std::thread> ts;
    for (int i = 0; i < 4; ++i) {
        ts.emplace_back([&, i] { seen[i] = &CLazySingleton<CThing>::Get(); });
    }
    for (auto& t : ts) t.join();
    for (int i = 1; i < 4; ++i) EXPECT_EQ(seen[i].load(), seen[0].load());
    EXPECT_EQ(seen[0].load()->id, 1);
}

TEST(Event, ManualAndAutoReset) {
    CEvent manual(true, false);
    EXPECT_FALSE(manual.Wait(0));
    manual.Set();
    EXPECT_TRUE(manual.Wait(0));
    EXPECT_TRUE(manual.Wait(0));
    manual.Reset();
    EXPECT_FALSE(manual.IsSet());
    CEvent autoEv(false, true);
    EXPECT_TRUE(autoEv.Wait(0));
    EXPECT_FALSE(autoEv.Wait(0));
}

TEST(Thread, StartStopAndThreadList) {
    size_t before = CThreadList::Get().GetCount();
    {
        CCountingThread t;
        ASSERT_TRUE(t.Start());
        ASSERT_TRUE(t.started.Wait(5000));
        EXPECT_TRUE(t.IsRunning());
        EXPECT_EQ(CThreadList::Get().GetCount(), before + 1);
        t.Stop();
        EXPECT_FALSE(t.IsRunning());
    }
    EXPECT_TRUE(CThreadList::Get().WaitAll(5000));
    EXPECT_EQ(CThreadList::Get().GetCount(), before);
}

TEST(Thread, WaitTimesOutWhileRunning) {
    COneShotThread t;
    ASSERT_TRUE(t.Start());
    EXPECT_FALSE(t.Wait(0));
    t.go.Set();
    EXPECT_TRUE(t.Wait(5000));
}

TEST(Thread, StartedSuspendedWaitsForResume) {
    CCountingThread t;
    ASSERT_TRUE(t.Start(true));
    EXPECT_EQ(t.GetSuspendCount(), 1);
    EXPECT_FALSE(t.started.Wait(20));
    EXPECT_EQ(t.Resume(), 1);
    EXPECT_TRUE(t.started.Wait(5000));
    t.SetPriority(CThread::PRIORITY_HIGHEST);
    EXPECT_EQ(t.GetPriority(), CThread::PRIORITY_HIGHEST);
}

TEST(SystemInfo, ComRequestsCountPerThread) {
    EXPECT_EQ(GetCoInitializeCount(), 0);
    EXPECT_TRUE(CoInitializeForThread());
    EXPECT_TRUE(CoInitializeForThread());
    std::thread([] { EXPECT_EQ(GetCoInitializeCount(), 0); }).join();
    CoUninitializeForThread();
    CoUninitializeForThread();
    EXPECT_EQ(GetCoInitializeCount(), 0);
    CLogCapture log;
    CoUninitializeForThread();
    EXPECT_EQ(log.Count(), 1u);
    EXPECT_TRUE(GetOSVersion());
}

namespace {
// Reads its own id first thing: the id must already be the thread's own.
class CIdThread : public CThread {
public:
    std::atomic<bool> sameId{false};
    ~CIdThread() override { Stop(); }

protected:
    uint32_t ThreadProc() override {
        sameId = GetId() == std::this_thread::get_id();
        return 0;
    }
};

class CLongSleepThread : public CThread {
public:
    CEvent sleeping{true, false};
    std::atomic<bool> woken{false};
    ~CLongSleepThread() override { Stop(); }

protected:
    uint32_t ThreadProc() override {
        sleeping.Set();
        woken = SleepOrStop(600000);
        return 0;
    }
};
}  // namespace

TEST(Thread, IdIsKnownInsideTheThreadAtOnce) {
    for (int i = 0; i < 50; ++i) {
        CIdThread t;
        ASSERT_TRUE(t.Start());
        ASSERT_TRUE(t.Wait(5000));
        EXPECT_TRUE(t.sameId.load()) << "run " << i;
        EXPECT_NE(t.GetId(), std::this_thread::get_id());
    }
}

TEST(Thread, StopRequestWakesALongSleep) {
    CLongSleepThread t;
    ASSERT_TRUE(t.Start());
    ASSERT_TRUE(t.sleeping.Wait(5000));
    t.RequestStop();  // alone, without Stop()'s own wake-up
    EXPECT_TRUE(t.Wait(5000));
    EXPECT_TRUE(t.woken.load());
}

TEST(Thread, SeveralThreadsMayWaitForOneThread) {
    for (int i = 0; i < 20; ++i) {
        COneShotThread t;
        ASSERT_TRUE(t.Start());
        std::atomic<int> done{0};
        std::vector<std::thread> waiters;
        for (int w = 0; w < 3; ++w) {
            waiters.emplace_back([&] {
                if (t.Wait(5000)) ++done;
            });
        }
        t.go.Set();
        for (auto& w : waiters) w.join();
        EXPECT_EQ(done.load(), 3);
        EXPECT_TRUE(t.Wait(0));
    }
}

TEST(CriticalSection, DestroyedWhileHeldIsReportedAndGivenBack) {
    CLogCapture log;
    {
        CCriticalSection cs;
        cs.Enter();
        cs.Enter();
    }
    EXPECT_TRUE(log.Contains("CCriticalSection::~CCriticalSection()"));
    EXPECT_TRUE(log.Contains("[count:2]"));
}
