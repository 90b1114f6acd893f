// The horizontal repeat. State common to all processes lives in the shared words; the timer is per process.
#include "hook/ScrollRepeat.h"
#include "hook/HookShared.h"
#include "hook/ScrollTarget.h"

UINT_PTR scrollTimer = 0;
DWORD scrollTimerThread = 0;

namespace {

const UINT repeatPeriod = 50;

// One WM_HSCROLL line step to wherever the window tree of this moment says it belongs.
void ScrollRepeatTick()
{
    HWND target = HandleFromWord<HWND>(hookShared.scrollTarget);
    HWND parent = HandleFromWord<HWND>(hookShared.scrollTargetParent);
    // The window under the cursor at the press may have gone since: nothing to scroll then.
    if (target == nullptr || !IsWindow(target))
        return;

    SearchScrollBars(target, parent);

    WPARAM direction;
    switch (hookShared.scrollButton) {
    case 1: direction = SB_LINELEFT; break;
    case 2: direction = SB_LINERIGHT; break;
    default: return;
    }

    if (hookShared.horzBar1 != 0) {
        HWND destination = hookShared.searchedParent == 1 ? parent : target;
        HWND bar = HandleFromWord<HWND>(hookShared.horzBar1);
        PostMessageA(destination, WM_HSCROLL, direction, reinterpret_cast<LPARAM>(bar));
    } else if (GetWindowLongA(target, GWL_STYLE) & WS_HSCROLL) {
        PostMessageA(target, WM_HSCROLL, direction, 0);
    }

    if (IsBrowserWindow(target))
        PostMessageA(target, WM_HSCROLL, direction, 0);
}

// A thread can kill only its own thread timers; a timer of another thread is no longer current once
// forgotten and ends itself at its next tick.
void ForgetTimer()
{
    if (scrollTimer != 0 && scrollTimerThread == GetCurrentThreadId())
        KillTimer(nullptr, scrollTimer);
    scrollTimer = 0;
    scrollTimerThread = 0;
}

void CALLBACK RepeatTimerProc(HWND, UINT, UINT_PTR timer, DWORD)
{
    const BOOL current = timer == scrollTimer && scrollTimerThread == GetCurrentThreadId();
    // A release seen in another process, or a press or release on another thread of this one, ends or
    // replaces the repeat without being able to kill this timer: the timer ends itself here instead of
    // firing for ever (or beside the new one). Thread timer identifiers are only unique per thread.
    if (hookShared.scrollActive == 0 || !current) {
        KillTimer(nullptr, timer);
        if (current) {
            scrollTimer = 0;
            scrollTimerThread = 0;
        }
        return;
    }
    ScrollRepeatTick();
}

// The timer calls into this library: when the library leaves a process (the hook removed while a button
// is held) a running timer would call into unmapped code, so it goes with the library. Only a timer of
// the unloading thread can be killed here.
struct RepeatTimerGuard {
    ~RepeatTimerGuard() { ForgetTimer(); }
} g_repeatTimerGuard;

}

void StartScrollRepeat(int button, POINT point)
{
    // A second press while a repeat runs replaces it: the earlier timer must not be orphaned.
    ForgetTimer();
    HWND target = WindowFromPoint(point);
    hookShared.scrollTarget = WordFromHandle(target);
    hookShared.scrollTargetParent = WordFromHandle(target ? GetParent(target) : nullptr);
    hookShared.scrollActive = 1;
    hookShared.scrollButton = static_cast<DWORD>(button);
    scrollTimerThread = GetCurrentThreadId();
    scrollTimer = SetTimer(nullptr, 0, repeatPeriod, RepeatTimerProc);
    if (scrollTimer == 0)
        scrollTimerThread = 0;
}

void StopScrollRepeat()
{
    ForgetTimer();
    hookShared.scrollActive = 0;
    hookShared.scrollButton = 0;
    hookShared.scrollTarget = 0;
}
