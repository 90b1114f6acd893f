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

// Timers are thread timers of whichever thread ran the hook; from another thread this does nothing.
void KillTimerWord(DWORD* timer)
{
    if (*timer) {
        KillTimer(NULL, *timer);
        *timer = 0;
    }
}

// The Windows key was held without another key: deliver it late. Fires once: a timer that another
// thread could not kill must not keep pressing the Windows key.
VOID CALLBACK WinKeyDelay(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    if ((DWORD)timer != g_dataSeg.winKeyTimer || !g_dataSeg.winKeyDown)
        return;
    g_dataSeg.winKeyTimer = 0;
    SynthesiseKey(VK_SHIFT, TRUE);
    SynthesiseKey(VK_LWIN, FALSE);
}

// The quick tap was not completed in time.
VOID CALLBACK SequenceExpiry(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
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
        KillTimerWord(&g_dataSeg.sequenceTimer);
        SynthesiseKey(VK_SHIFT, TRUE);
        SynthesiseTap(VK_LWIN);
        SynthesiseKey((BYTE)virtualKey, keyUp);
        return TRUE;
    }
    if (virtualKey == VK_RETURN && scanCode == ScanEnter && keyUp) {
        g_dataSeg.winSequence = 0;
        SynthesiseKey(VK_SHIFT, TRUE);
        if (g_dataSeg.sequenceTimer) {
            KillTimerWord(&g_dataSeg.sequenceTimer);
            Notify(NotifyMacro, MacroWindowsUpEnter);
        }
    }
    return TRUE;
}

// The first key after the Windows key went down.
BOOL HandleKeyAfterWindowsKey(UINT virtualKey, BYTE scanCode, BOOL keyUp)
{
    g_dataSeg.winKeyDown = 0;
    KillTimerWord(&g_dataSeg.winKeyTimer);
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
        g_dataSeg.sequenceTimer = (DWORD)SetTimer(NULL, 0, SequenceExpiryMs, SequenceExpiry);
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

BOOL HandleWindowsKeyMacro(UINT virtualKey, BYTE scanCode, BOOL keyUp)
{
    if (g_dataSeg.winSequence)
        return HandleSequenceKey(virtualKey, scanCode, keyUp);
    KillTimerWord(&g_dataSeg.sequenceTimer);
    if (g_dataSeg.winKeyDown) {
        if (virtualKey == VK_SHIFT)
            return TRUE;
        if (HandleKeyAfterWindowsKey(virtualKey, scanCode, keyUp))
            return TRUE;
    }
    if (virtualKey == VK_LWIN && scanCode == ScanWindows && !keyUp) {
        g_dataSeg.winKeyDown = 1;
        SynthesiseKey(VK_SHIFT, FALSE);
        g_dataSeg.winKeyTimer = (DWORD)SetTimer(NULL, 0, WinKeyDelayMs, WinKeyDelay);
        return TRUE;
    }
    return FALSE;
}

void AbandonWindowsKeyMacro()
{
    BOOL shiftHeld = g_dataSeg.winKeyDown || g_dataSeg.winSequence;
    g_dataSeg.winKeyDown = 0;
    g_dataSeg.winSequence = 0;
    g_dataSeg.winSequenceFresh = 0;
    KillTimerWord(&g_dataSeg.winKeyTimer);
    KillTimerWord(&g_dataSeg.sequenceTimer);
    if (shiftHeld)
        SynthesiseKey(VK_SHIFT, TRUE);
}
