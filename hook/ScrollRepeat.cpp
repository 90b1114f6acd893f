// The horizontal repeat. State common to all processes lives in the shared words; the timers are per
// process.
//
// A repeat timer calls into this library from whatever thread set it, and only that thread can kill it.
// So that the library cannot leave a process under a timer of another thread (the hook owner unloads it
// while a button is held), the process holds one pin on the library (a reference of its own) whenever a
// repeat timer exists. The first press takes the pin and starts the one thread that gives it back; later
// presses and every release only set and kill timers. The pin goes back once no timer is left, every
// thread that set one in the pin's life has been seen outside this library's code (FreeLibrary must never
// return into code it may have unmapped), and either the hook was stopped or no press came for a while:
// so the library can still leave a process, and a press costs a library load only after such a pause.
#include "hook/ScrollRepeat.h"
#include "hook/HookShared.h"
#include "hook/HookLibrary.h"
#include "hook/ScrollTarget.h"
#include "framework/CriticalSection.h"
#include "framework/SingleLock.h"

namespace {

constexpr UINT repeatPeriod = 50;
// WM_MOUSEHWHEEL, which the 4.0 headers do not name.
constexpr UINT mouseHorizontalWheel = 0x020E;
// How long a pin outlives the last repeat when the hook runs on: presses in a row share one pin. It goes
// between one and two of these after the last press.
constexpr DWORD pinIdlePeriod = 2000;
// How long one attempt to see a thread outside this library waits before the releaser looks again.
constexpr UINT proofPatience = 500;

// This process's repeat timer, or 0, and the thread it belongs to (the only one that can kill it).
UINT_PTR g_scrollTimer = 0;
DWORD g_scrollTimerThread = 0;

// The repeat timers of this process that are not killed yet. A timer that is no longer the current one
// ends itself at its next tick.
struct RepeatTimer {
    DWORD thread;
    UINT_PTR id;
};
constexpr int maxRepeatTimers = 32;
RepeatTimer g_repeatTimers[maxRepeatTimers];
int g_liveTimers = 0;

// A thread that set a repeat timer in the pin's life, and a handle of it that tells when it has ended
// (and keeps its identifier from being given to another thread meanwhile).
struct PinnedThread {
    DWORD id;
    HANDLE handle;
};
constexpr int maxPinnedThreads = 32;

// The process's reference on this library while repeat timers may run.
struct LibraryPin {
    HMODULE module;          // null while no pin is held
    HANDLE wake;             // makes the releaser look again before its time
    DWORD presses;           // presses in the pin's life: a change restarts the releaser's count
    bool stopRequested;      // the hook was stopped here: the pin goes as soon as it can
    int threadCount;
    PinnedThread threads[maxPinnedThreads];
};
LibraryPin g_pin;

// Threads of one process run the hook procedures, the timers and the releaser side by side.
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

BOOL CALLBACK TakeFirstWindow(HWND window, LPARAM found)
{
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

bool PressedSince(DWORD presses)
{
    CSingleLock lock(&g_timerGuard, TRUE);
    return g_pin.presses != presses;
}

// True once the thread is outside this library's code: it has handled a message sent to one of its
// windows (neither a timer procedure nor a hook procedure of this library waits for messages) or it has
// ended. False when a press came meanwhile: the releaser then starts over. A thread that never gets there
// keeps the pin for ever: a library left loaded is harmless, one unmapped is not.
bool LeftTheLibrary(const PinnedThread& thread, DWORD presses)
{
    for (;;) {
        if (WaitForSingleObject(thread.handle, 0) == WAIT_OBJECT_0)
            return true;
        HWND window = nullptr;
        EnumThreadWindows(thread.id, TakeFirstWindow, reinterpret_cast<LPARAM>(&window));
        DWORD_PTR answer;
        if (window) {
            if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, proofPatience, &answer))
                return true;
        } else if (WaitForSingleObject(thread.handle, proofPatience) == WAIT_OBJECT_0) {
            return true;
        }
        if (PressedSince(presses))
            return false;
    }
}

// The pin's own thread: it holds the pin's reference, so the library stays mapped under it until it gives
// that reference back in the call that ends it.
DWORD WINAPI GiveBackPin(LPVOID wake)
{
    bool looked = false;
    DWORD pressesSeen = 0;
    for (;;) {
        WaitForSingleObject(wake, pinIdlePeriod);
        PinnedThread threads[maxPinnedThreads];
        int threadCount;
        DWORD presses;
        {
            CSingleLock lock(&g_timerGuard, TRUE);
            bool quiet = g_liveTimers == 0 && (g_pin.stopRequested || (looked && g_pin.presses == pressesSeen));
            looked = true;
            pressesSeen = g_pin.presses;
            if (!quiet)
                continue;
            presses = g_pin.presses;
            threadCount = g_pin.threadCount;
            for (int i = 0; i < threadCount; ++i)
                threads[i] = g_pin.threads[i];
        }
        // Only the releaser closes these handles, and the table only grows until it does.
        bool allOut = true;
        for (int i = 0; i < threadCount && allOut; ++i)
            allOut = LeftTheLibrary(threads[i], presses);
        if (!allOut)
            continue;
        HMODULE module;
        {
            CSingleLock lock(&g_timerGuard, TRUE);
            // Every timer is set by a press: with no press since the look above, none has been set since.
            if (g_liveTimers != 0 || g_pin.presses != presses)
                continue;
            module = g_pin.module;
            for (int i = 0; i < g_pin.threadCount; ++i)
                CloseHandle(g_pin.threads[i].handle);
            g_pin = LibraryPin();
        }
        CloseHandle(wake);
        FreeLibraryAndExitThread(module, 0);
    }
}

// The pin for a timer about to be set; false when none could be taken. Called with the lock held.
bool HoldPin()
{
    if (g_pin.module)
        return true;
    HMODULE module = TakeReference();
    if (!module)
        return false;
    HANDLE wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    DWORD id;
    HANDLE releaser = wake ? CreateThread(nullptr, 0, GiveBackPin, wake, 0, &id) : nullptr;
    if (!releaser) {
        if (wake)
            CloseHandle(wake);
        // Taken in this call, so giving it back leaves the library as loaded as it was on the way in.
        FreeLibrary(module);
        return false;
    }
    CloseHandle(releaser);
    g_pin.module = module;
    g_pin.wake = wake;
    return true;
}

// Enters this thread in the pin's table the first time it sets a timer in the pin's life; false when it
// cannot be watched. Called with the lock held.
bool WatchThisThread()
{
    DWORD thread = GetCurrentThreadId();
    for (int i = 0; i < g_pin.threadCount; ++i)
        if (g_pin.threads[i].id == thread)
            return true;
    HANDLE handle;
    if (g_pin.threadCount == maxPinnedThreads ||
        !DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &handle, SYNCHRONIZE, FALSE,
                         0))
        return false;
    g_pin.threads[g_pin.threadCount++] = PinnedThread{thread, handle};
    return true;
}

// After timers have ended: the releaser of a stopped hook's pin looks at once. Called with the lock held.
void TimersEnded(int ended)
{
    g_liveTimers -= ended;
    if (ended != 0 && g_liveTimers == 0 && g_pin.stopRequested)
        SetEvent(g_pin.wake);
}

// Kills every repeat timer of this thread and forgets the current one. Called with the lock held.
void EndTimersOfThisThread()
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
    TimersEnded(ended);
}

// One notch of the horizontal wheel for a window without horizontal scroll bars, as the system would give
// it: the cursor in screen coordinates, the keys and buttons held, right positive. Posted to the window the
// repeat started over rather than injected with SendInput (which 95 lacks): it reaches that window as the
// WM_HSCROLL steps do, whatever has the focus, and takes no detour through the low-level hooks, this
// library's own included.
void PostWheelNotch(HWND target, int button)
{
    POINT cursor;
    if (!GetCursorPos(&cursor))
        return;
    const struct { int key; WORD flag; } held[] = {
        {VK_LBUTTON, MK_LBUTTON}, {VK_RBUTTON, MK_RBUTTON}, {VK_MBUTTON, MK_MBUTTON},
        {VK_SHIFT, MK_SHIFT},     {VK_CONTROL, MK_CONTROL},
    };
    WORD keys = 0;
    for (const auto& entry : held)
        if (GetAsyncKeyState(entry.key) < 0)
            keys |= entry.flag;
    const short delta = button == 2 ? WHEEL_DELTA : -WHEEL_DELTA;
    PostMessageA(target, mouseHorizontalWheel, MAKEWPARAM(keys, delta), MAKELPARAM(cursor.x, cursor.y));
}

// One WM_HSCROLL line step to wherever the window tree of this moment says it belongs, or one wheel notch.
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

    // The browser's document window always gets a WM_HSCROLL of its own, so it never gets a wheel notch
    // as well (it would scroll twice a tick).
    const bool browser = IsBrowserWindow(target) != 0;
    if (g_hookShared.horzBar1 != 0) {
        HWND destination = g_hookShared.searchedParent == 1 ? parent : target;
        HWND bar = HandleFromWord<HWND>(g_hookShared.horzBar1);
        PostMessageA(destination, WM_HSCROLL, direction, reinterpret_cast<LPARAM>(bar));
    } else if (GetWindowLongA(target, GWL_STYLE) & WS_HSCROLL) {
        PostMessageA(target, WM_HSCROLL, direction, 0);
    } else if (HookHorizontalWheel() && !browser) {
        PostWheelNotch(target, static_cast<int>(g_hookShared.scrollButton));
    }

    if (browser)
        PostMessageA(target, WM_HSCROLL, direction, 0);
}

void CALLBACK RepeatTimerProc(HWND, UINT, UINT_PTR timer, DWORD)
{
    DWORD thread = GetCurrentThreadId();
    bool tick = false;
    {
        CSingleLock lock(&g_timerGuard, TRUE);
        const bool current = timer == g_scrollTimer && thread == g_scrollTimerThread;
        // A release seen in another process, or a press or release on another thread of this one, ends or
        // replaces the repeat without being able to kill this timer: the timer ends itself here instead
        // of firing for ever (or beside the new one). Thread timer identifiers are only unique per thread.
        if (g_hookShared.scrollActive != 0 && current) {
            tick = true;
        } else {
            KillTimer(nullptr, timer);
            int ended = 0;
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
            TimersEnded(ended);
        }
    }
    if (tick)
        ScrollRepeatTick();
}

}

void StartScrollRepeat(int button, POINT point)
{
    HWND target = WindowFromPoint(point);
    g_hookShared.scrollTarget = WordFromHandle(target);
    g_hookShared.scrollTargetParent = WordFromHandle(target ? GetParent(target) : nullptr);
    g_hookShared.scrollActive = 1;
    g_hookShared.scrollButton = static_cast<DWORD>(button);

    CSingleLock lock(&g_timerGuard, TRUE);
    // A second press while a repeat runs replaces it: the earlier timer must not be orphaned.
    EndTimersOfThisThread();
    RepeatTimer* slot = nullptr;
    for (RepeatTimer& entry : g_repeatTimers)
        if (entry.id == 0 && !slot)
            slot = &entry;
    // No timer without the pin, and none on a thread the releaser cannot watch.
    if (!slot || !HoldPin() || !WatchThisThread())
        return;
    ++g_pin.presses;
    UINT_PTR timer = SetTimer(nullptr, 0, repeatPeriod, RepeatTimerProc);
    if (!timer)
        return;
    *slot = RepeatTimer{GetCurrentThreadId(), timer};
    ++g_liveTimers;
    g_scrollTimer = timer;
    g_scrollTimerThread = GetCurrentThreadId();
}

void StopScrollRepeat()
{
    {
        CSingleLock lock(&g_timerGuard, TRUE);
        EndTimersOfThisThread();
    }
    g_hookShared.scrollActive = 0;
    g_hookShared.scrollButton = 0;
    g_hookShared.scrollTarget = 0;
}

void GiveBackPinWhenIdle()
{
    CSingleLock lock(&g_timerGuard, TRUE);
    if (!g_pin.module)
        return;
    g_pin.stopRequested = true;
    SetEvent(g_pin.wake);
}
