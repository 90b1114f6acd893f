// Which mouse hook the mouse hook library installs on a Windows version: its own rule table.
#pragma once
#include "shared/WindowsVersion.h"
#include <windows.h>

enum MousePlatform {
    platformOlderFamily,   // 4.10, 4.90, 3.51 and the like: the per-process WH_MOUSE hook
    platformLowLevel       // 4.0, 5.x and later: the low-level WH_MOUSE_LL hook
};

MousePlatform MousePlatformOf(const WindowsVersion& version);
