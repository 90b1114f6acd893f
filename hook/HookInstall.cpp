// Installing and removing the system-wide mouse hook.
#include "hook/HookExports.h"
#include "hook/HookLibrary.h"
#include "hook/HookProcs.h"
#include "hook/HookShared.h"
#include "hook/ScrollRepeat.h"

extern "C" int StartHook(HWND ownerWindow)
{
    if (g_hookShared.lowLevelHook || g_hookShared.mouseHook)
        return 1;
    g_hookShared.ownerWindow = WordFromHandle(ownerWindow);
    g_hookShared.lowLevelMode = 0;
    // A failed installation leaves the handle 0, so a later call tries again.
    if (HookPlatform() == platformOlderFamily) {
        if (!g_hookShared.mouseHook)
            g_hookShared.mouseHook =
                WordFromHandle(SetWindowsHookExA(WH_MOUSE, MouseHookProc, g_hookShared.hookInstance, 0));
    } else {
        g_hookShared.lowLevelMode = 1;
        if (!g_hookShared.lowLevelHook)
            g_hookShared.lowLevelHook =
                WordFromHandle(SetWindowsHookExA(WH_MOUSE_LL, LowLevelMousePProc, g_hookShared.hookInstance, 0));
    }
    return 1;
}

extern "C" int StopHook()
{
    int result = 0;
    if (g_hookShared.lowLevelHook) {
        UnhookWindowsHookEx(HandleFromWord<HHOOK>(g_hookShared.lowLevelHook));
        g_hookShared.lowLevelHook = 0;
    }
    if (g_hookShared.mouseHook) {
        result = UnhookWindowsHookEx(HandleFromWord<HHOOK>(g_hookShared.mouseHook));
        g_hookShared.mouseHook = 0;
    }
    g_hookShared.instanceRecorded = 0;
    g_hookShared.ownerWindow = 0;
    // No hook will see the release of a button held now: the repeat ends here, and with it every repeat
    // timer; the library's hold on this process goes with the last one.
    StopScrollRepeat();
    GiveBackPinWhenIdle();
    return result;
}
