// One CSharedMemory object used by several threads of a process at once, as the tray's main and pad
// threads do: every read sees a whole value, and the cross-process lock is still free afterwards.
#include <gtest/gtest.h>
#include <windows.h>
#include <process.h>
#include <stdio.h>
#include "shared/SharedMemory.h"

namespace {

// A value large enough that zeroing and copying it take a while.
const int valueWords = 100;
struct Pair {
    LONG words[valueWords];
};

Pair Filled(LONG n)
{
    Pair pair;
    for (LONG& word : pair.words)
        word = n;
    return pair;
}

bool Whole(const Pair& pair)
{
    for (LONG word : pair.words)
        if (word != pair.words[0] || word == 0)
            return false;
    return true;
}

struct Shared {
    CSharedMemory* block;
    volatile LONG stop;
    volatile LONG torn;
    volatile LONG failed;
    LONG rounds;
};

unsigned __stdcall Writer(void* argument)
{
    Shared* shared = static_cast<Shared*>(argument);
    for (LONG n = 1; n <= shared->rounds; ++n) {
        Pair pair = Filled(n);
        if (!shared->block->WriteItem("Pair", &pair, sizeof pair))
            InterlockedIncrement(&shared->failed);
    }
    InterlockedExchange(&shared->stop, 1);
    return 0;
}

unsigned __stdcall Reader(void* argument)
{
    Shared* shared = static_cast<Shared*>(argument);
    while (!shared->stop) {
        Pair pair = Filled(-1);
        DWORD length = sizeof pair;
        if (!shared->block->ReadItem("Pair", &pair, &length))
            InterlockedIncrement(&shared->failed);
        else if (!Whole(pair))
            InterlockedIncrement(&shared->torn);   // half written, or caught between zeroing and copying
    }
    return 0;
}

TEST(SharedMemoryThreads, OneObjectSharedByThreadsSeesWholeValues)
{
    char name[64];
    snprintf(name, sizeof name, "threads_block_%lu", GetCurrentProcessId());
    CSharedMemory block(name, 512);
    ASSERT_TRUE(block.IsReady());
    ASSERT_TRUE(block.AddItem("Pair", sizeof(Pair)));
    Pair start = Filled(1);
    ASSERT_TRUE(block.WriteItem("Pair", &start, sizeof start));

    Shared shared = {&block, 0, 0, 0, 8000};
    HANDLE threads[3];
    threads[0] = (HANDLE)_beginthreadex(nullptr, 0, Writer, &shared, 0, nullptr);
    threads[1] = (HANDLE)_beginthreadex(nullptr, 0, Reader, &shared, 0, nullptr);
    threads[2] = (HANDLE)_beginthreadex(nullptr, 0, Reader, &shared, 0, nullptr);
    for (HANDLE thread : threads)
        ASSERT_TRUE(thread != nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(3, threads, TRUE, 60000));
    for (HANDLE thread : threads)
        CloseHandle(thread);

    EXPECT_EQ(0, shared.torn) << "reads that saw a value being written";
    EXPECT_EQ(0, shared.failed) << "operations that failed (a lock released by the wrong thread times out)";

    // The semaphore ends free with its count of one: another process's wait succeeds at once, and a
    // further release is refused because the count is at its maximum.
    char syncName[80];
    snprintf(syncName, sizeof syncName, "%s_Sync", name);
    HANDLE sync = OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, syncName);
    ASSERT_TRUE(sync != nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(sync, 0));
    EXPECT_FALSE(ReleaseSemaphore(sync, 1, nullptr) && ReleaseSemaphore(sync, 1, nullptr));
    CloseHandle(sync);
}

}  // namespace
