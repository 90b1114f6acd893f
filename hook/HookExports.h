// The exported entry points of hoppet.dll that the tray application looks up by name.
#pragma once
#include <windows.h>

// Installs the system-wide mouse hook fitting this Windows version; always 1.
extern "C" int StartHook(HWND ownerWindow);
// Removes the hook; the result of removing the per-process hook, 0 when there was none.
extern "C" int StopHook();

typedef int (*StartHookFunction)(HWND ownerWindow);
typedef int (*StopHookFunction)();
