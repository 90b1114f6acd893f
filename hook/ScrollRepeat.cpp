// The horizontal repeat. State common to all processes lives in the shared words; the timers are per
// process.
//
// A repeat timer calls into this library from whatever thread set it, and only that thread can kill it.
// So that the library cannot leave a process under a timer of another thread (the hook owner unloads it
// while a button is held), every repeat timer holds a reference on the library from SetTimer until the
// timer is killed. That reference is given back by a thread of its own, and only once the timer's thread
// has left this library's code: FreeLibrary must never return into code it may have unmapped.
#include "hook/ScrollRepeat.h"
#include "hook/HookShared.h"
#include "hook/ScrollTarget.h"
#include "framework/CriticalSection.h"
#include "framework/SingleLock.h"

namespace {

constexpr UINT repeatPeriod = 50;

// This process's repeat timer, or 0, and the thread it belongs to (the only one that can kill it).
UINT_PTR g_scrollTimer = 0;
DWORD g_scrollTimerThread = 0;

// The repeat timers of this process that are not killed yet; each holds one reference on the library.
// A timer that is no longer the current one ends itself at its next tick.
struct RepeatTimer {
    DWORD thread;
    UINT_PTR id;
};
constexpr int maxRepeatTimers = 32;
RepeatTimer g_repeatTimers[maxRepeatTimers];

// Threads of one process run the hook procedures and timers side by side.
CCriticalSection g_timerGuard;

// This library's module, from the allocation that holds its code (GetModuleHandleEx is XP+).
HMODULE ThisModule()
{
    MEMORY_BASIC_INFORMATION region;
    if (!VirtualQuery(reinterpret_cast<LPCVOID>(&ThisModule), &region, sizeof region))
        return nullptr;
    return static_cast<HMODULE>(region.AllocationBase);
}

// One more reference on this library, or null when none could be taken.
HMODULE TakeReference()
{
    HMODULE module = ThisModule();
    char path[MAX_PATH];
    DWORD length = module ? GetModuleFileNameA(module, path, sizeof path) : 0;
    if (length == 0 || length >= sizeof path)
        return nullptr;
    HMODULE loaded = LoadLibraryA(path);
    if (loaded != module) {
        if (loaded)
            FreeLibrary(loaded);
        return nullptr;
    }
    return module;
}

struct ReleaseOrder {
    HWND window;      // a window of the thread that ended the timers, or null
    HANDLE thread;    // that thread, when it has no window
    int references;
};

// Runs on a thread of its own. The thread that ended the timers is out of this library's code once it
// has handled a message sent to one of its windows (a timer procedure of this library never waits for
// messages) or once it has ended. The references stay until then, for ever if that never happens.
DWORD WINAPI ReleaseReferences(LPVOID parameter)
{
    ReleaseOrder order = *static_cast<ReleaseOrder*>(parameter);
    HeapFree(GetProcessHeap(), 0, parameter);
    if (order.window) {
        SendMessageA(order.window, WM_NULL, 0, 0);
    } else {
        WaitForSingleObject(order.thread, INFINITE);
        CloseHandle(order.thread);
    }
    HMODULE module = ThisModule();
    for (int i = 1; i < order.references; ++i)
        FreeLibrary(module);
    FreeLibraryAndExitThread(module, 0);
    return 0;
}

BOOL CALLBACK TakeFirstWindow(HWND window, LPARAM found)
{
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Gives back the references of timers this thread has just killed, once this thread is out of here. When
// that cannot be arranged the references stay: a library left loaded is harmless, one unmapped is not.
void ReleaseLater(int references)
{
    if (references == 0)
        return;
    void* memory = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ReleaseOrder));
    ReleaseOrder* order = static_cast<ReleaseOrder*>(memory);
    if (!order)
        return;
    order->references = references;
    EnumThreadWindows(GetCurrentThreadId(), TakeFirstWindow, reinterpret_cast<LPARAM>(&order->window));
    if (!order->window &&
        !DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &order->thread, SYNCHRONIZE,
                         FALSE, 0)) {
        HeapFree(GetProcessHeap(), 0, order);
        return;
    }
    DWORD id;
    HANDLE releaser = CreateThread(nullptr, 0, ReleaseReferences, order, 0, &id);
    if (releaser) {
        CloseHandle(releaser);
        return;
    }
    if (order->thread)
        CloseHandle(order->thread);
    HeapFree(GetProcessHeap(), 0, order);
}

// Kills every repeat timer of this thread and forgets the current one; the number of references to give
// back. Called with the lock held.
int EndTimersOfThisThread()
{
    DWORD thread = GetCurrentThreadId();
    int ended = 0;
    for (RepeatTimer& timer : g_repeatTimers) {
        if (timer.id != 0 && timer.thread == thread) {
            KillTimer(nullptr, timer.id);
            timer = RepeatTimer();
            ++ended;
        }
    }
    g_scrollTimer = 0;
    g_scrollTimerThread = 0;
    return ended;
}

// One WM_HSCROLL line step to wherever the window tree of this moment says it belongs.
void ScrollRepeatTick()
{
    HWND target = HandleFromWord<HWND>(g_hookShared.scrollTarget);
    HWND parent = HandleFromWord<HWND>(g_hookShared.scrollTargetParent);
    // The window under the cursor at the press may have gone since: nothing to scroll then.
    if (target == nullptr || !IsWindow(target))
        return;

    SearchScrollBars(target, parent);

    WPARAM direction;
    switch (g_hookShared.scrollButton) {
    case 1: direction = SB_LINELEFT; break;
    case 2: direction = SB_LINERIGHT; break;
    default: return;
    }

    if (g_hookShared.horzBar1 != 0) {
        HWND destination = g_hookShared.searchedParent == 1 ? parent : target;
        HWND bar = HandleFromWord<HWND>(g_hookShared.horzBar1);
        PostMessageA(destination, WM_HSCROLL, direction, reinterpret_cast<LPARAM>(bar));
    } else if (GetWindowLongA(target, GWL_STYLE) & WS_HSCROLL) {
        PostMessageA(target, WM_HSCROLL, direction, 0);
    }

    if (IsBrowserWindow(target))
        PostMessageA(target, WM_HSCROLL, direction, 0);
}

void CALLBACK RepeatTimerProc(HWND, UINT, UINT_PTR timer, DWORD)
{
    DWORD thread = GetCurrentThreadId();
    int ended = 0;
    {
        CSingleLock lock(&g_timerGuard, TRUE);
        const bool current = timer == g_scrollTimer && thread == g_scrollTimerThread;
        // A release seen in another process, or a press or release on another thread of this one, ends or
        // replaces the repeat without being able to kill this timer: the timer ends itself here instead
        // of firing for ever (or beside the new one). Thread timer identifiers are only unique per thread.
        if (g_hookShared.scrollActive != 0 && current) {
            ended = -1;
        } else {
            KillTimer(nullptr, timer);
            for (RepeatTimer& entry : g_repeatTimers) {
                if (entry.id == timer && entry.thread == thread) {
                    entry = RepeatTimer();
                    ++ended;
                }
            }
            if (current) {
                g_scrollTimer = 0;
                g_scrollTimerThread = 0;
            }
        }
    }
    if (ended < 0)
        ScrollRepeatTick();
    else
        ReleaseLater(ended);
}

}

void StartScrollRepeat(int button, POINT point)
{
    HWND target = WindowFromPoint(point);
    g_hookShared.scrollTarget = WordFromHandle(target);
    g_hookShared.scrollTargetParent = WordFromHandle(target ? GetParent(target) : nullptr);
    g_hookShared.scrollActive = 1;
    g_hookShared.scrollButton = static_cast<DWORD>(button);

    HMODULE reference = TakeReference();
    UINT_PTR timer = reference ? SetTimer(nullptr, 0, repeatPeriod, RepeatTimerProc) : 0;
    int ended;
    {
        CSingleLock lock(&g_timerGuard, TRUE);
        // A second press while a repeat runs replaces it: the earlier timer must not be orphaned.
        ended = EndTimersOfThisThread();
        RepeatTimer* slot = nullptr;
        for (RepeatTimer& entry : g_repeatTimers)
            if (entry.id == 0 && !slot)
                slot = &entry;
        if (timer && slot) {
            *slot = RepeatTimer{GetCurrentThreadId(), timer};
            g_scrollTimer = timer;
            g_scrollTimerThread = GetCurrentThreadId();
        } else if (timer) {
            KillTimer(nullptr, timer);
            timer = 0;
        }
    }
    // Taken in this call, so giving it back leaves the library as loaded as it was on the way in.
    if (reference && !timer)
        FreeLibrary(reference);
    ReleaseLater(ended);
}

void StopScrollRepeat()
{
    int ended;
    {
        CSingleLock lock(&g_timerGuard, TRUE);
        ended = EndTimersOfThisThread();
    }
    g_hookShared.scrollActive = 0;
    g_hookShared.scrollButton = 0;
    g_hookShared.scrollTarget = 0;
    ReleaseLater(ended);
}
