#include "tests/support/MessagePump.h"
#include "tests/support/LaneFactor.h"

namespace {

// Takes the next message of the queue, timers left there when they are held back.
bool TakeMessage(MSG* message, bool holdTimers)
{
    if (!holdTimers)
        return PeekMessageA(message, nullptr, 0, 0, PM_REMOVE);
    return PeekMessageA(message, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
           PeekMessageA(message, nullptr, WM_TIMER + 1, ~0u, PM_REMOVE);
}

// Handles what is in the queue now.
void PumpQueued(int* threadTimers, bool holdTimers = false)
{
    MSG message;
    while (TakeMessage(&message, holdTimers)) {
        if (threadTimers && message.message == WM_TIMER && message.hwnd == nullptr)
            ++*threadTimers;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Handles this thread's messages until none has arrived for the quiet gap or the time is up.
void DrainFor(DWORD quietMs, DWORD maxMs, bool holdTimers)
{
    quietMs *= LaneFactor();
    maxMs *= LaneFactor();
    const DWORD wake = holdTimers ? QS_ALLINPUT & ~QS_TIMER : QS_ALLINPUT;
    const DWORD start = GetTickCount();
    for (;;) {
        PumpQueued(nullptr, holdTimers);
        if (GetTickCount() - start >= maxMs)
            return;
        if (MsgWaitForMultipleObjectsEx(0, nullptr, quietMs, wake, MWMO_INPUTAVAILABLE) == WAIT_TIMEOUT) {
            PumpQueued(nullptr, holdTimers);
            return;
        }
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
    DrainFor(quietMs, maxMs, false);
}

void DrainHoldingTimers(DWORD quietMs, DWORD maxMs)
{
    DrainFor(quietMs, maxMs, true);
}
