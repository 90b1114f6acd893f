// Which Windows the keyboard hook library runs on, as the small number kept in DataSeg.platformClass: its
// own rule table.
#pragma once
#include <windows.h>
#include "shared/WindowsVersion.h"

enum KeyboardPlatform : DWORD {
    PlatformOther = 0,
    Platform95 = 1,     // 9x family 4.0
    Platform98 = 2,     // 9x family 4.10
    PlatformNT4 = 3,    // NT family up to major version 4
    Platform2000 = 4,   // NT 5.0
    PlatformMe = 5,     // 9x family 4.90
    PlatformXP = 6,     // NT 5.1
};

KeyboardPlatform KeyboardPlatformOf(const WindowsVersion& version);

// The running system's; PlatformOther when the version query fails.
KeyboardPlatform CurrentKeyboardPlatform();
