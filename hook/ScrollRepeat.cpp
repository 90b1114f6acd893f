// The horizontal repeat. State common to all processes lives in the shared words; the timer is per process.
#include "hook/ScrollRepeat.h"
#include "hook/HookShared.h"
#include "hook/ScrollTarget.h"

UINT_PTR scrollTimer = 0;

namespace {

const UINT repeatPeriod = 50;

// One WM_HSCROLL line step to wherever the window tree of this moment says it belongs.
void ScrollRepeatTick()
{
    HWND target = WindowFromWord(hookShared.scrollTarget);
    HWND parent = WindowFromWord(hookShared.scrollTargetParent);
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
        HWND bar = WindowFromWord(hookShared.horzBar1);
        PostMessageA(destination, WM_HSCROLL, direction, reinterpret_cast<LPARAM>(bar));
    } else if (GetWindowLongA(target, GWL_STYLE) & WS_HSCROLL) {
        PostMessageA(target, WM_HSCROLL, direction, 0);
    }

    if (IsBrowserWindow(target))
        PostMessageA(target, WM_HSCROLL, direction, 0);
}

void CALLBACK RepeatTimerProc(HWND, UINT, UINT_PTR timer, DWORD)
{
    // A release seen in another process ends the repeat without being able to kill this timer; the timer
    // then ends itself here instead of firing for ever.
    if (hookShared.scrollActive == 0) {
        KillTimer(nullptr, timer);
        if (scrollTimer == timer)
            scrollTimer = 0;
        return;
    }
    ScrollRepeatTick();
}

// The timer calls into this library: when the library leaves a process (the hook removed while a button
// is held) a running timer would call into unmapped code, so it goes with the library.
struct RepeatTimerGuard {
    ~RepeatTimerGuard()
    {
        if (scrollTimer != 0)
            KillTimer(nullptr, scrollTimer);
        scrollTimer = 0;
    }
} g_repeatTimerGuard;

}

void StartScrollRepeat(int button, POINT point)
{
    // A second press while a repeat runs replaces it: the earlier timer must not be orphaned.
    if (scrollTimer != 0) {
        KillTimer(nullptr, scrollTimer);
        scrollTimer = 0;
    }
    HWND target = WindowFromPoint(point);
    hookShared.scrollTarget = WordFromWindow(target);
    hookShared.scrollTargetParent = WordFromWindow(target ? GetParent(target) : nullptr);
    hookShared.scrollActive = 1;
    hookShared.scrollButton = static_cast<DWORD>(button);
    scrollTimer = SetTimer(nullptr, 0, repeatPeriod, RepeatTimerProc);
}

void StopScrollRepeat()
{
    if (scrollTimer != 0) {
        KillTimer(nullptr, scrollTimer);
        scrollTimer = 0;
    }
    hookShared.scrollActive = 0;
    hookShared.scrollButton = 0;
    hookShared.scrollTarget = 0;
}
