// The framework's semaphore, event and single lock as the shared block uses them: bounded waits,
// release at the end of a scope, and creation failures reported rather than thrown.
#include "framework/Event.h"
#include "framework/Semaphore.h"
#include "framework/SingleLock.h"
#include <gtest/gtest.h>
#include <stdio.h>

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

}  // namespace
