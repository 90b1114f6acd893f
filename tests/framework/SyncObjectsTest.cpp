// The framework's semaphore, event, critical section and single lock as the shared block and the tray use
// them: bounded waits, release at the end of a scope, threads kept apart, and creation failures reported
// rather than thrown.
#include "framework/CriticalSection.h"
#include "framework/Event.h"
#include "framework/Semaphore.h"
#include "framework/SingleLock.h"
#include "tests/support/HelperThread.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <memory>

namespace {

TEST(SyncObjects, SingleLockOnASemaphore)
{
    CSemaphore semaphore(1, 1);
    ASSERT_TRUE(semaphore.IsValid());
    {
        CSingleLock first(&semaphore);
        EXPECT_FALSE(first.IsLocked());
        EXPECT_TRUE(first.Lock(0));
        EXPECT_TRUE(first.Lock(0)) << "locking a held lock again does not wait";
        CSingleLock second(&semaphore);
        DWORD start = GetTickCount();
        EXPECT_FALSE(second.Lock(200));
        EXPECT_GE(GetTickCount() - start, 150u);
        EXPECT_TRUE(second.Unlock()) << "a lock that was never acquired releases nothing";
    }
    CSingleLock third(&semaphore);
    EXPECT_TRUE(third.Lock(0)) << "the first lock released the semaphore when it ended";
    EXPECT_TRUE(third.Unlock());
    EXPECT_FALSE(semaphore.Unlock()) << "the count cannot rise above its maximum";
}

TEST(SyncObjects, NamedObjectsShareOneKernelObject)
{
    char name[64];
    sprintf(name, "ferrowin_sync_%lu", GetCurrentProcessId());
    CEvent created(FALSE, TRUE, name);
    CEvent opened(FALSE, TRUE, name);
    ASSERT_TRUE(created.IsValid() && opened.IsValid());
    EXPECT_FALSE(opened.Lock(0));
    EXPECT_TRUE(created.SetEvent());
    EXPECT_TRUE(opened.Lock(0));
    EXPECT_TRUE(opened.Lock(0)) << "manual reset: stays signalled";
    EXPECT_TRUE(created.ResetEvent());
    EXPECT_FALSE(opened.Lock(0));
}

TEST(SyncObjects, CreationFailureIsReported)
{
    char name[64];
    sprintf(name, "ferrowin_taken_%lu", GetCurrentProcessId());
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    CSemaphore semaphore(1, 1, name);
    CEvent event(FALSE, TRUE, name);
    EXPECT_FALSE(semaphore.IsValid());
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, semaphore.GetCreateError());
    EXPECT_FALSE(event.IsValid());
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, event.GetCreateError());
    EXPECT_FALSE(semaphore.Lock(0));
    EXPECT_FALSE(semaphore.Unlock());
    EXPECT_FALSE(event.SetEvent());
    CloseHandle(mutex);
}

// Two threads that take turns through CSingleLock on one critical section. Each turn writes who holds it
// at its start and at its end and gives up the processor between, so that the other thread runs while
// the lock is held and any overlap shows.
struct Contention {
    static constexpr int turns = 100;
    CCriticalSection section;
    HANDLE go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    LONG inside = 0;
    LONG overlaps = 0;
    LONG next = 0;
    int holders[2 * 2 * turns] = {};
    ~Contention() { CloseHandle(go); }
};

struct Contender {
    Contender(std::shared_ptr<Contention> shared, int who) : shared(std::move(shared)), who(who) {}
    std::shared_ptr<Contention> shared;
    int who;

    static DWORD Run(Contender& self)
    {
        Contention& c = *self.shared;
        WaitForSingleObject(c.go, 5000);
        for (int turn = 0; turn < Contention::turns; turn++) {
            CSingleLock lock(&c.section);
            lock.Lock();
            if (InterlockedIncrement(&c.inside) != 1)
                InterlockedIncrement(&c.overlaps);
            c.holders[InterlockedIncrement(&c.next) - 1] = self.who;
            Sleep(1);
            c.holders[InterlockedIncrement(&c.next) - 1] = self.who;
            InterlockedDecrement(&c.inside);
        }
        return 0;
    }
};

TEST(SyncObjects, CriticalSectionKeepsTwoThreadsApart)
{
    std::shared_ptr<Contention> contention = std::make_shared<Contention>();
    HelperThread<Contender> first(Contender::Run, nullptr, contention, 1);
    HelperThread<Contender> second(Contender::Run, nullptr, contention, 2);
    ASSERT_TRUE(first.Started() && second.Started());
    SetEvent(contention->go);
    ASSERT_TRUE(first.Join(10000) && second.Join(10000));

    EXPECT_EQ(0, contention->overlaps) << "both threads held the lock at once";
    int turns[3] = {};
    int broken = 0;
    for (int i = 0; i < 2 * 2 * Contention::turns; i += 2) {
        broken += contention->holders[i] != contention->holders[i + 1];
        turns[contention->holders[i]]++;
    }
    EXPECT_EQ(0, broken) << "a turn's start and end were not next to each other";
    EXPECT_EQ(Contention::turns, turns[1]);
    EXPECT_EQ(Contention::turns, turns[2]);
}

}  // namespace
