// Cost of the shared block's item operations against the floor every operation pays: one acquire and
// release of the block's named semaphore, measured in the same run. Also the parts of WriteItem's extra
// cost (the change event) and the name conversion, to show where the time goes.
#include "Stopwatch.h"
#include "framework/Event.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include <stdio.h>
#include <string>

namespace {

const int iterations = 2000;
const int rounds = 7;

// Microseconds per call, the best round so far kept in best. The rounds of all measurements alternate,
// so drift in the machine's load reaches every figure alike.
template <class Operation>
void Measure(double& best, Operation operation)
{
    double start = NowMicroseconds();
    for (int i = 0; i < iterations; ++i)
        operation();
    double perCall = (NowMicroseconds() - start) / iterations;
    if (perCall < best)
        best = perCall;
}

}  // namespace

int main()
{
    char name[64];
    sprintf(name, "ferrowin_bench_%lu", GetCurrentProcessId());
    CSharedMemory block(name, mouseStateBlockSize, InitMouseStateBlock);
    if (!block.IsReady()) {
        printf("the block could not be opened: error %lu\n", block.GetLastError());
        return 1;
    }
    HANDLE sync = OpenSemaphoreA(SYNCHRONIZE | SEMAPHORE_MODIFY_STATE, FALSE, (std::string(name) + "_Sync").c_str());
    if (!sync) {
        printf("the block's semaphore could not be opened: error %lu\n", GetLastError());
        return 1;
    }

    bool failed = false;
    DWORD counter = 0;
    std::string eventName = std::string(itemRoundMap) + "_Event";
    double floor = 1e30, read = 1e30, write = 1e30, has = 1e30, event = 1e30, conversion = 1e30;
    for (int round = 0; round < rounds; ++round) {
        Measure(floor, [&] {
            WaitForSingleObject(sync, INFINITE);
            ReleaseSemaphore(sync, 1, nullptr);
        });
        Measure(read, [&] {
            DWORD value, length = 4;
            failed |= !block.ReadItem(itemRoundMap, &value, &length);
        });
        Measure(write, [&] {
            ++counter;
            failed |= !block.WriteItem(itemRoundMap, &counter, 4);
        });
        Measure(has, [&] { failed |= !block.HasItem(itemRoundMap); });
        Measure(event, [&] {
            CEvent change(FALSE, TRUE, eventName.c_str());
            change.SetEvent();
        });
        Measure(conversion, [&] {
            WCHAR* wide = (WCHAR*)HeapAlloc(GetProcessHeap(), 0, (sizeof itemRoundMap + 2) * sizeof(WCHAR));
            MultiByteToWideChar(CP_ACP, 0, itemRoundMap, -1, wide, sizeof itemRoundMap + 2);
            HeapFree(GetProcessHeap(), 0, wide);
        });
    }
    CloseHandle(sync);
    if (failed) {
        printf("an item operation failed: error %lu\n", block.GetLastError());
        return 1;
    }

    printf("floor: acquire + release of the block's semaphore   %8.3f us\n", floor);
    printf("ReadItem  (4 bytes)                                 %8.3f us   %5.2fx floor (goal <= 1.5x)\n", read,
           read / floor);
    printf("WriteItem (4 bytes)                                 %8.3f us   %5.2fx floor (goal <= 1.5x)\n", write,
           write / floor);
    printf("HasItem                                             %8.3f us   %5.2fx floor\n", has, has / floor);
    printf("  of which change event create + set + close        %8.3f us   %5.2fx floor\n", event, event / floor);
    printf("  of which name conversion (heap + MultiByteToWide) %8.3f us   %5.2fx floor\n", conversion,
           conversion / floor);
    return 0;
}
