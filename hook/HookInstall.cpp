// Installing and removing the system-wide mouse hook.
#include "hook/HookExports.h"
#include "hook/HookLibrary.h"
#include "hook/HookProcs.h"
#include "hook/HookShared.h"
#include "hook/ScrollRepeat.h"

extern "C" int StartHook(HWND ownerWindow)
{
    if (hookShared.lowLevelHook || hookShared.mouseHook)
        return 1;
    hookShared.ownerWindow = WordFromHandle(ownerWindow);
    hookShared.lowLevelMode = 0;
    // A failed installation leaves the handle 0, so a later call tries again.
    if (HookPlatform() == platformOlderFamily) {
        if (!hookShared.mouseHook)
            hookShared.mouseHook =
                WordFromHandle(SetWindowsHookExA(WH_MOUSE, MouseHookProc, hookShared.hookInstance, 0));
    } else {
        hookShared.lowLevelMode = 1;
        if (!hookShared.lowLevelHook)
            hookShared.lowLevelHook =
                WordFromHandle(SetWindowsHookExA(WH_MOUSE_LL, LowLevelMousePProc, hookShared.hookInstance, 0));
    }
    return 1;
}

extern "C" int StopHook()
{
    int result = 0;
    if (hookShared.lowLevelHook) {
        UnhookWindowsHookEx(HandleFromWord<HHOOK>(hookShared.lowLevelHook));
        hookShared.lowLevelHook = 0;
    }
    if (hookShared.mouseHook) {
        result = UnhookWindowsHookEx(HandleFromWord<HHOOK>(hookShared.mouseHook));
        hookShared.mouseHook = 0;
    }
    hookShared.instanceRecorded = 0;
    hookShared.ownerWindow = 0;
    // No hook will see the release of a button held now: the repeat ends here, and with it every repeat
    // timer that keeps the library in a process.
    StopScrollRepeat();
    return result;
}
