// Which Windows the library runs on, as the small number kept in DataSeg.platformClass.
#pragma once
#include <windows.h>

enum PlatformClass : DWORD {
    PlatformOther = 0,
    Platform95 = 1,     // 9x family 4.0
    Platform98 = 2,     // 9x family 4.10
    PlatformNT4 = 3,    // NT family up to major version 4
    Platform2000 = 4,   // NT 5.0
    PlatformMe = 5,     // 9x family 4.90
    PlatformXP = 6,     // NT 5.1
};

DWORD ComputePlatformClass();
