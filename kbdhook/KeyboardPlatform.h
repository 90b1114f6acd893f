// Which Windows the keyboard hook library runs on, as the small number kept in DataSeg.platformClass: its
// own rule table.
#pragma once
#include "shared/WindowsVersion.h"
#include <windows.h>

enum KeyboardPlatform : DWORD {
    platformOther = 0,
    platform95 = 1,     // 9x family 4.0
    platform98 = 2,     // 9x family 4.10
    platformNT4 = 3,    // NT family up to major version 4
    platform2000 = 4,   // NT 5.0
    platformMe = 5,     // 9x family 4.90
    platformXP = 6,     // NT 5.1
};

KeyboardPlatform KeyboardPlatformOf(const WindowsVersion& version);

// The running system's; platformOther when the version query fails.
KeyboardPlatform CurrentKeyboardPlatform();
