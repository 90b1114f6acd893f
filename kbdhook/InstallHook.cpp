// Installing and removing both keyboard hooks for all threads.
#include "DataSeg.h"
#include "HookInstance.h"
#include "InstallHook.h"
#include "KeySynth.h"
#include "PlatformClass.h"
#include "Vorrin.h"
#include "WindowsKeyMacro.h"

namespace {

// This process set the recorded hook handles (a later process may get the same id).
BOOL g_installedHere = FALSE;

// The system removes a process's hooks when it ends, but their handles stay in the shared words.
BOOL InstallerHasEnded()
{
    const DWORD installer = g_dataSeg.installingProcess;
    if (!installer)
        return FALSE;
    if (installer == GetCurrentProcessId())
        return !g_installedHere;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, installer);
    if (!process)
        return GetLastError() != ERROR_ACCESS_DENIED;
    const BOOL ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

void InstallHooks()
{
    if ((g_dataSeg.keyboardHook || g_dataSeg.lowLevelKeyboardHook) && InstallerHasEnded()) {
        g_dataSeg.keyboardHook = 0;
        g_dataSeg.lowLevelKeyboardHook = 0;
        g_dataSeg.installingProcess = 0;
    }
    const DWORD keyboardHookBefore = g_dataSeg.keyboardHook;
    const DWORD lowLevelHookBefore = g_dataSeg.lowLevelKeyboardHook;
    if (!g_dataSeg.keyboardHook)
        g_dataSeg.keyboardHook = WordFromHook(SetWindowsHookExA(WH_KEYBOARD, KeyboardProc, g_instance, 0));
    DWORD delay = 10;
    switch (g_dataSeg.platformClass) {
    case Platform2000:
    case PlatformXP:
        // A second low-level hook would report every special key twice and could never be removed.
        if (!g_dataSeg.lowLevelKeyboardHook)
            g_dataSeg.lowLevelKeyboardHook =
                WordFromHook(SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProcLow, g_instance, 0));
        delay = 100;
        break;
    case PlatformNT4:
        delay = 100;
        break;
    default:
        break;
    }
    if (g_dataSeg.keyboardHook != keyboardHookBefore || g_dataSeg.lowLevelKeyboardHook != lowLevelHookBefore) {
        g_dataSeg.installingProcess = GetCurrentProcessId();
        g_installedHere = TRUE;
    }
    // Two Scroll Lock taps leave its state as it was and put keyboard input through the new hooks.
    SynthesiseTap(VK_SCROLL);
    Sleep(delay);
    SynthesiseTap(VK_SCROLL);
}

void RemoveHook(DWORD* hook)
{
    if (*hook) {
        UnhookWindowsHookEx(HookFromWord(*hook));
        *hook = 0;
    }
}

void RemoveHooks()
{
    RemoveHook(&g_dataSeg.keyboardHook);
    RemoveHook(&g_dataSeg.lowLevelKeyboardHook);
    g_dataSeg.installingProcess = 0;
    g_installedHere = FALSE;
    AbandonWindowsKeyMacro();
}

}  // namespace

extern "C" void WINAPI InstallHook(BOOL install)
{
    if (install) {
        InstallHooks();
        return;
    }
    RemoveHooks();
}

void RemoveHooksOfThisProcess()
{
    if (g_installedHere && g_dataSeg.installingProcess == GetCurrentProcessId())
        RemoveHooks();
}
