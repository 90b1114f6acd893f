#include "WindowsKeyMacro.h"
#include "DataSeg.h"
#include "KeySynth.h"
#include "NamedBlock.h"
#include "Vorrin.h"

namespace {

const BYTE ScanWindows = 0x5B;
const BYTE ScanE = 0x12;
const BYTE ScanUp = 0x48;
const BYTE ScanEnter = 0x1C;
const UINT WinKeyDelayMs = 50;
const UINT SequenceExpiryMs = 2000;
const LPARAM MacroWindowsE = 182;
const LPARAM MacroWindowsUpEnter = 10;

// The timers this process set, with their thread. Their procedures are in this library, so they must not
// outlive it in this process; the shared words alone cannot tell which process a timer lives in.
struct OwnTimer {
    UINT_PTR id;
    DWORD thread;
};
OwnTimer g_ownWinKeyTimer = {0, 0};
OwnTimer g_ownSequenceTimer = {0, 0};

void SetOwnTimer(DWORD* word, OwnTimer* own, UINT elapse, TIMERPROC procedure)
{
    const UINT_PTR id = SetTimer(NULL, 0, elapse, procedure);
    *word = (DWORD)id;
    if (id) {
        own->id = id;
        own->thread = GetCurrentThreadId();
    }
}

void ForgetOwnTimer(OwnTimer* own, UINT_PTR id)
{
    if (own->id == id && own->thread == GetCurrentThreadId())
        own->id = 0;
}

// Timers are thread timers of whichever thread ran the hook; from another thread this does nothing.
void KillTimerWord(DWORD* timer, OwnTimer* own)
{
    if (*timer) {
        KillTimer(NULL, *timer);
        ForgetOwnTimer(own, *timer);
        *timer = 0;
    }
}

// The Windows key was held without another key: deliver it late. Fires once: a timer that another
// thread could not kill must not keep pressing the Windows key.
VOID CALLBACK WinKeyDelay(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    ForgetOwnTimer(&g_ownWinKeyTimer, timer);
    if ((DWORD)timer != g_dataSeg.winKeyTimer || !g_dataSeg.winKeyDown)
        return;
    g_dataSeg.winKeyTimer = 0;
    SynthesiseKey(VK_SHIFT, TRUE);
    SynthesiseKey(VK_LWIN, FALSE);
    // The late key may never come back through a hook (focus moved to a window without it): the macro
    // is over now, not when it returns.
    g_dataSeg.winKeyDown = 0;
}

// The quick tap was not completed in time.
VOID CALLBACK SequenceExpiry(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    ForgetOwnTimer(&g_ownSequenceTimer, timer);
    if ((DWORD)timer != g_dataSeg.sequenceTimer)
        return;
    g_dataSeg.sequenceTimer = 0;
    if (!g_dataSeg.winSequence)
        return;
    g_dataSeg.winSequence = 0;
    SynthesiseKey(VK_SHIFT, TRUE);
}

// After a quick Windows-key tap: Up, then Enter completes the macro; any other first key replays the tap.
BOOL HandleSequenceKey(UINT virtualKey, BYTE scanCode, BOOL keyUp)
{
    if (virtualKey == VK_SHIFT)
        return TRUE;
    if (g_dataSeg.winSequenceFresh) {
        if (virtualKey == VK_UP && scanCode == ScanUp && !keyUp) {
            g_dataSeg.winSequenceFresh = 0;
            return TRUE;
        }
        g_dataSeg.winSequence = 0;
        KillTimerWord(&g_dataSeg.sequenceTimer, &g_ownSequenceTimer);
        SynthesiseKey(VK_SHIFT, TRUE);
        SynthesiseTap(VK_LWIN);
        SynthesiseKey((BYTE)virtualKey, keyUp);
        return TRUE;
    }
    if (virtualKey == VK_RETURN && scanCode == ScanEnter && keyUp) {
        g_dataSeg.winSequence = 0;
        SynthesiseKey(VK_SHIFT, TRUE);
        if (g_dataSeg.sequenceTimer) {
            KillTimerWord(&g_dataSeg.sequenceTimer, &g_ownSequenceTimer);
            Notify(NotifyMacro, MacroWindowsUpEnter);
        }
    }
    return TRUE;
}

// The first key after the Windows key went down.
BOOL HandleKeyAfterWindowsKey(UINT virtualKey, BYTE scanCode, BOOL keyUp)
{
    g_dataSeg.winKeyDown = 0;
    KillTimerWord(&g_dataSeg.winKeyTimer, &g_ownWinKeyTimer);
    if (scanCode == ScanE) {
        SynthesiseKey('E', TRUE);
        SynthesiseKey(VK_SHIFT, TRUE);
        SynthesiseKey(VK_LWIN, TRUE);
        Notify(NotifyVirtualKey, MacroWindowsE);
        return TRUE;
    }
    if (scanCode == ScanWindows && keyUp) {
        g_dataSeg.winSequence = 1;
        g_dataSeg.winSequenceFresh = 1;
        SetOwnTimer(&g_dataSeg.sequenceTimer, &g_ownSequenceTimer, SequenceExpiryMs, SequenceExpiry);
        if (!g_dataSeg.sequenceTimer) {
            // Without its expiry the sequence could hold Shift for ever.
            g_dataSeg.winSequence = 0;
            g_dataSeg.winSequenceFresh = 0;
            SynthesiseKey(VK_SHIFT, TRUE);
        }
        return TRUE;
    }
    // Any other key ends the macro. Shift was released already before our own late Windows key, and a
    // repeated Windows-key press holds it again at once.
    BOOL lateWindowsKey = virtualKey == VK_LWIN && scanCode == 0;
    BOOL windowsKeyAgain = virtualKey == VK_LWIN && scanCode == ScanWindows && !keyUp;
    if (!lateWindowsKey && !windowsKeyAgain)
        SynthesiseKey(VK_SHIFT, TRUE);
    return FALSE;
}

}  // namespace

BOOL HandleWindowsKeyMacro(UINT virtualKey, BYTE scanCode, BOOL keyUp, BOOL repeat)
{
    if (g_dataSeg.winSequence)
        return HandleSequenceKey(virtualKey, scanCode, keyUp);
    KillTimerWord(&g_dataSeg.sequenceTimer, &g_ownSequenceTimer);
    const BOOL windowsKeyPress = virtualKey == VK_LWIN && scanCode == ScanWindows && !keyUp;
    if (g_dataSeg.winKeyDown) {
        // The held Windows key repeats: still the same press, whose late delivery the timer decides.
        if (virtualKey == VK_SHIFT || (windowsKeyPress && repeat))
            return TRUE;
        if (HandleKeyAfterWindowsKey(virtualKey, scanCode, keyUp))
            return TRUE;
    }
    // A repeat comes after the press was delivered: it is the held Windows key, not a new macro.
    if (windowsKeyPress && !repeat) {
        g_dataSeg.winKeyDown = 1;
        SynthesiseKey(VK_SHIFT, FALSE);
        SetOwnTimer(&g_dataSeg.winKeyTimer, &g_ownWinKeyTimer, WinKeyDelayMs, WinKeyDelay);
        if (g_dataSeg.winKeyTimer)
            return TRUE;
        // Nothing would ever deliver the press: it passes now, without the Shift.
        g_dataSeg.winKeyDown = 0;
        SynthesiseKey(VK_SHIFT, TRUE);
    }
    return FALSE;
}

void AbandonWindowsKeyMacro()
{
    BOOL shiftHeld = g_dataSeg.winKeyDown || g_dataSeg.winSequence;
    g_dataSeg.winKeyDown = 0;
    g_dataSeg.winSequence = 0;
    g_dataSeg.winSequenceFresh = 0;
    KillTimerWord(&g_dataSeg.winKeyTimer, &g_ownWinKeyTimer);
    KillTimerWord(&g_dataSeg.sequenceTimer, &g_ownSequenceTimer);
    if (shiftHeld)
        SynthesiseKey(VK_SHIFT, TRUE);
}

void KillOwnTimers()
{
    // A timer of this process that the shared words still name is the macro in progress: it cannot end
    // here any more, so it ends now and lets Shift go.
    const BOOL macroHere = (g_ownWinKeyTimer.id && (DWORD)g_ownWinKeyTimer.id == g_dataSeg.winKeyTimer) ||
                           (g_ownSequenceTimer.id && (DWORD)g_ownSequenceTimer.id == g_dataSeg.sequenceTimer);
    OwnTimer* const timers[] = {&g_ownWinKeyTimer, &g_ownSequenceTimer};
    for (OwnTimer* own : timers) {
        if (own->id && own->thread == GetCurrentThreadId()) {
            KillTimer(NULL, own->id);
            own->id = 0;
        }
    }
    if (macroHere)
        AbandonWindowsKeyMacro();
}
