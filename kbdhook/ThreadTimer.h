// The thread timers of the Windows-key macros. The shared section names the macro's current timer by id
// and thread: an id means something only on the thread that set it (under Wine every thread numbers its
// timers alike). Each thread also remembers the last timer of each kind it set, so that it never leaves
// one of them running behind a newer one and can kill all of them before the library leaves it.
#pragma once
#include <windows.h>

enum TimerKind { timerWinKey, timerSequence, timerKindCount };

// Process attach and detach: the per-thread records. Without them no timer is set.
void OpenThreadTimers();
void CloseThreadTimers();

// Replaces this thread's timer of that kind by a new one and names it in the shared section; 0 when no
// timer could be set.
UINT_PTR StartThreadTimer(TimerKind kind, UINT elapseMs, TIMERPROC procedure);

// The shared section names a timer of that kind (of any thread).
BOOL ThreadTimerRuns(TimerKind kind);

// Ends the shared section's timer of that kind: kills it when it is this thread's, forgets it in any case.
// A timer of another thread that is left running finds itself forgotten when it fires.
void StopThreadTimer(TimerKind kind);

// In a timer procedure: kills the timer (each fires once) and forgets it; TRUE when it was the shared
// section's current timer of that kind, which is then forgotten there as well.
BOOL EndFiredTimer(TimerKind kind, UINT_PTR timer);

// The library leaves this thread's process: kills every timer this thread set. TRUE when one of them was
// the shared section's current timer, whose macro can then no longer end through it.
BOOL KillThisThreadsTimers();
