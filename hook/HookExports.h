// The exported entry points of hoppet.dll that the tray application looks up by name; their names and
// types are the contract in shared/MouseHookExports.h.
#pragma once
#include "shared/MouseHookExports.h"
#include <windows.h>

extern "C" int StartHook(HWND ownerWindow);
extern "C" int StopHook();
