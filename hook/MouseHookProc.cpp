// Mouse event processing: both hook procedures (pass-through until the button behaviour lands).
#include "hook/HookProcs.h"
#include "hook/HookShared.h"

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(HookFromWord(hookShared.mouseHook), code, wParam, lParam);
}

extern "C" LRESULT CALLBACK LowLevelMousePProc(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(HookFromWord(hookShared.lowLevelHook), code, wParam, lParam);
}
