// Installing and removing both keyboard hooks for all threads.
#include "DataSeg.h"
#include "HookInstance.h"
#include "KeySynth.h"
#include "PlatformClass.h"
#include "Vorrin.h"
#include "WindowsKeyMacro.h"

namespace {

void InstallHooks()
{
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

}  // namespace

extern "C" void WINAPI InstallHook(BOOL install)
{
    if (install) {
        InstallHooks();
        return;
    }
    RemoveHook(&g_dataSeg.keyboardHook);
    RemoveHook(&g_dataSeg.lowLevelKeyboardHook);
    AbandonWindowsKeyMacro();
}
