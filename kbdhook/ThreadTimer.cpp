#include "kbdhook/ThreadTimer.h"
#include "kbdhook/DataSeg.h"

namespace {

struct SharedTimer {
    DWORD* id;
    DWORD* thread;
};

SharedTimer SharedWords(TimerKind kind)
{
    if (kind == timerWinKey)
        return SharedTimer{&g_dataSeg.winKeyTimer, &g_dataSeg.winKeyTimerThread};
    return SharedTimer{&g_dataSeg.sequenceTimer, &g_dataSeg.sequenceTimerThread};
}

// Thread-local slots: the id of the last timer of each kind this thread set and did not kill yet.
DWORD g_ownTimerSlots[timerKindCount] = {TLS_OUT_OF_INDEXES, TLS_OUT_OF_INDEXES};

UINT_PTR OwnTimer(TimerKind kind)
{
    if (g_ownTimerSlots[kind] == TLS_OUT_OF_INDEXES)
        return 0;
    return reinterpret_cast<UINT_PTR>(TlsGetValue(g_ownTimerSlots[kind]));
}

void SetOwnTimer(TimerKind kind, UINT_PTR timer)
{
    TlsSetValue(g_ownTimerSlots[kind], reinterpret_cast<LPVOID>(timer));
}

void KillOwnTimer(TimerKind kind)
{
    const UINT_PTR timer = OwnTimer(kind);
    if (timer) {
        KillTimer(nullptr, timer);
        SetOwnTimer(kind, 0);
    }
}

BOOL NamesOwnTimer(TimerKind kind, UINT_PTR timer)
{
    const SharedTimer words = SharedWords(kind);
    return timer && *words.id == static_cast<DWORD>(timer) && *words.thread == GetCurrentThreadId();
}

void Forget(TimerKind kind)
{
    const SharedTimer words = SharedWords(kind);
    *words.id = 0;
    *words.thread = 0;
}

}  // namespace

void OpenThreadTimers()
{
    for (DWORD& slot : g_ownTimerSlots)
        slot = TlsAlloc();
}

void CloseThreadTimers()
{
    for (DWORD& slot : g_ownTimerSlots) {
        if (slot != TLS_OUT_OF_INDEXES)
            TlsFree(slot);
        slot = TLS_OUT_OF_INDEXES;
    }
}

UINT_PTR StartThreadTimer(TimerKind kind, UINT elapseMs, TIMERPROC procedure)
{
    // A timer this thread could not remember might outlive the library.
    if (g_ownTimerSlots[kind] == TLS_OUT_OF_INDEXES)
        return 0;
    KillOwnTimer(kind);
    const UINT_PTR timer = SetTimer(nullptr, 0, elapseMs, procedure);
    SetOwnTimer(kind, timer);
    const SharedTimer words = SharedWords(kind);
    *words.thread = timer ? GetCurrentThreadId() : 0;
    *words.id = static_cast<DWORD>(timer);
    return timer;
}

BOOL ThreadTimerRuns(TimerKind kind)
{
    return *SharedWords(kind).id != 0;
}

void StopThreadTimer(TimerKind kind)
{
    if (!ThreadTimerRuns(kind))
        return;
    if (NamesOwnTimer(kind, OwnTimer(kind)))
        KillOwnTimer(kind);
    Forget(kind);
}

BOOL EndFiredTimer(TimerKind kind, UINT_PTR timer)
{
    KillTimer(nullptr, timer);
    if (OwnTimer(kind) == timer)
        SetOwnTimer(kind, 0);
    if (!NamesOwnTimer(kind, timer))
        return FALSE;
    Forget(kind);
    return TRUE;
}

BOOL KillThisThreadsTimers()
{
    BOOL current = FALSE;
    for (int kind = 0; kind < timerKindCount; ++kind) {
        const TimerKind k = static_cast<TimerKind>(kind);
        current = current || NamesOwnTimer(k, OwnTimer(k));
        KillOwnTimer(k);
    }
    return current;
}
