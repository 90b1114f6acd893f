// Which mouse hook the mouse hook library installs on a Windows version: its own rule table.
#pragma once
#include "shared/WindowsVersion.h"
#include <windows.h>

enum MousePlatform {
    platformOlderFamily,   // 4.10, 4.90, 3.51 and the like: the per-process WH_MOUSE hook
    platformLowLevel       // 4.0, 5.x and later: the low-level WH_MOUSE_LL hook
};

MousePlatform MousePlatformOf(const WindowsVersion& version);

// Whether the horizontal repeat turns into horizontal wheel input for a window without horizontal scroll
// bars: NT 6.0 and later have WM_MOUSEHWHEEL, and most programs of their time draw their own bars.
bool HorizontalWheelOf(const WindowsVersion& version);
