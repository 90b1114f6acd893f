#include "tests/support/MessagePump.h"
#include "tests/support/LaneFactor.h"

namespace {

// Handles what is in the queue now.
void PumpQueued(int* threadTimers)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (threadTimers && message.message == WM_TIMER && message.hwnd == nullptr)
            ++*threadTimers;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

void Pump(DWORD milliseconds, int* threadTimers)
{
    double end = Now() + milliseconds;
    for (;;) {
        PumpQueued(threadTimers);
        double left = end - Now();
        if (left <= 0)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
    }
}

void Drain(DWORD quietMs, DWORD maxMs)
{
    quietMs *= LaneFactor();
    maxMs *= LaneFactor();
    const DWORD start = GetTickCount();
    for (;;) {
        PumpQueued(nullptr);
        if (GetTickCount() - start >= maxMs)
            return;
        if (MsgWaitForMultipleObjectsEx(0, nullptr, quietMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_TIMEOUT) {
            PumpQueued(nullptr);
            return;
        }
    }
}
