#include "kbdhook/WindowsKeyMacro.h"
#include "kbdhook/DataSeg.h"
#include "kbdhook/KeySynth.h"
#include "kbdhook/NamedBlock.h"
#include "kbdhook/ThreadTimer.h"
#include "kbdhook/KeyboardExports.h"

namespace {

constexpr BYTE scanWindows = 0x5B;
constexpr BYTE scanE = 0x12;
constexpr BYTE scanUp = 0x48;
constexpr BYTE scanEnter = 0x1C;
constexpr UINT winKeyDelayMs = 50;
constexpr UINT sequenceExpiryMs = 2000;
constexpr LPARAM macroWindowsE = 182;
constexpr LPARAM macroWindowsUpEnter = 10;

// The Windows key was held without another key: deliver it late. Fires once: a timer that another
// thread could not kill must not keep pressing the Windows key.
VOID CALLBACK WinKeyDelay(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!EndFiredTimer(timerWinKey, timer) || !g_dataSeg.winKeyDown)
        return;
    SynthesiseKey(VK_SHIFT, TRUE);
    SynthesiseKey(VK_LWIN, FALSE);
    // The late key may never come back through a hook (focus moved to a window without it): the macro
    // is over now, not when it returns.
    g_dataSeg.winKeyDown = 0;
}

// The quick tap was not completed in time.
VOID CALLBACK SequenceExpiry(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!EndFiredTimer(timerSequence, timer) || !g_dataSeg.winSequence)
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
        if (virtualKey == VK_UP && scanCode == scanUp && !keyUp) {
            g_dataSeg.winSequenceFresh = 0;
            return TRUE;
        }
        g_dataSeg.winSequence = 0;
        StopThreadTimer(timerSequence);
        SynthesiseKey(VK_SHIFT, TRUE);
        SynthesiseTap(VK_LWIN);
        SynthesiseKey(static_cast<BYTE>(virtualKey), keyUp);
        return TRUE;
    }
    if (virtualKey == VK_RETURN && scanCode == scanEnter && keyUp) {
        g_dataSeg.winSequence = 0;
        SynthesiseKey(VK_SHIFT, TRUE);
        if (ThreadTimerRuns(timerSequence)) {
            StopThreadTimer(timerSequence);
            Notify(notifyMacro, macroWindowsUpEnter);
        }
    }
    return TRUE;
}

// The first key after the Windows key went down.
BOOL HandleKeyAfterWindowsKey(UINT virtualKey, BYTE scanCode, BOOL keyUp)
{
    g_dataSeg.winKeyDown = 0;
    StopThreadTimer(timerWinKey);
    if (scanCode == scanE) {
        SynthesiseKey('E', TRUE);
        SynthesiseKey(VK_SHIFT, TRUE);
        SynthesiseKey(VK_LWIN, TRUE);
        Notify(notifyVirtualKey, macroWindowsE);
        return TRUE;
    }
    if (scanCode == scanWindows && keyUp) {
        g_dataSeg.winSequenceFresh = 1;
        // The start time is in place before another thread can see the sequence.
        g_dataSeg.sequenceStart = GetTickCount();
        InterlockedExchange(reinterpret_cast<volatile LONG*>(&g_dataSeg.winSequence), 1);
        if (!StartThreadTimer(timerSequence, sequenceExpiryMs, SequenceExpiry)) {
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
    BOOL windowsKeyAgain = virtualKey == VK_LWIN && scanCode == scanWindows && !keyUp;
    if (!lateWindowsKey && !windowsKeyAgain)
        SynthesiseKey(VK_SHIFT, TRUE);
    return FALSE;
}

}  // namespace

BOOL HandleWindowsKeyMacro(UINT virtualKey, BYTE scanCode, BOOL keyUp, BOOL repeat)
{
    if (g_dataSeg.winSequence)
        return HandleSequenceKey(virtualKey, scanCode, keyUp);
    StopThreadTimer(timerSequence);
    const BOOL windowsKeyPress = virtualKey == VK_LWIN && scanCode == scanWindows && !keyUp;
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
        if (StartThreadTimer(timerWinKey, winKeyDelayMs, WinKeyDelay))
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
    StopThreadTimer(timerWinKey);
    StopThreadTimer(timerSequence);
    if (shiftHeld)
        SynthesiseKey(VK_SHIFT, TRUE);
}

BOOL EndOldSequence()
{
    if (GetTickCount() - g_dataSeg.sequenceStart < sequenceExpiryMs)
        return FALSE;
    g_dataSeg.winSequence = 0;
    g_dataSeg.winSequenceFresh = 0;
    StopThreadTimer(timerSequence);
    SynthesiseKey(VK_SHIFT, TRUE);
    return TRUE;
}

void KillOwnTimers()
{
    // The macro in progress named a timer of this thread: it cannot end through it any more, so it ends
    // now and lets Shift go.
    if (KillThisThreadsTimers())
        AbandonWindowsKeyMacro();
}
