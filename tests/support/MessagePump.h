// Bounded message pumping for tests: this thread's messages are handled while a test waits, never a
// blind sleep, and every wait ends at its time-out.
#pragma once
#include <windows.h>
#include "Stopwatch.h"

// Handles this thread's messages for the given time (at least one pass when 0). Counts thread timers seen
// firing (WM_TIMER without a window) into *threadTimers when given.
void Pump(DWORD milliseconds, int* threadTimers = nullptr);

// Handles this thread's messages until none has arrived for quietMs, or for maxMs in all: what is still on
// its way arrives before a comparison. Both times stretch by the lane's time factor.
void Drain(DWORD quietMs = 100, DWORD maxMs = 2000);
// The same with this thread's timers held back: no WM_TIMER is taken meanwhile, so a step that must be
// handled before a timer of this thread is due does not depend on how fast the machine is.
void DrainHoldingTimers(DWORD quietMs = 100, DWORD maxMs = 2000);

// Pumps until the predicate holds or the time-out passes; false on time-out. The predicate is checked
// about every millisecond, so that the benchmarks can time with it.
template <class Predicate> bool PumpUntil(Predicate predicate, DWORD timeout)
{
    double end = Now() + timeout;
    while (!predicate()) {
        if (Now() > end)
            return false;
        Pump(1);
    }
    return true;
}
