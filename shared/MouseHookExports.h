// The mouse hook library's exports that the tray application binds at run time: the file, the export
// names and their function types. The library defines its exports against these types.
#pragma once
#include <windows.h>

constexpr char mouseHookLibraryName[] = "hoppet.dll";
constexpr char startHookExportName[] = "StartHook";
constexpr char stopHookExportName[] = "StopHook";

// Installs the system-wide mouse hook fitting this Windows version; always 1.
typedef int (*StartHookFunction)(HWND ownerWindow);
// Removes the hook; the result of removing the per-process hook, 0 when there was none.
typedef int (*StopHookFunction)();
