#include "tray/PlatformClass.h"

BOOL skipPrivilege = FALSE;

BOOL SkipsPrivilege(DWORD version)
{
    DWORD major = LOBYTE(LOWORD(version));
    DWORD minor = HIBYTE(LOWORD(version));
    if (major < 5 && (minor == 1 || minor == 10 || minor == 90))
        return TRUE;
    // Windows 95 (4.0 with the 9x bit) has no tokens either; OpenProcessToken fails there, and the
    // property program would never be started.
    return (version & 0x80000000u) != 0;
}

void ClassifyPlatform()
{
    skipPrivilege = SkipsPrivilege(GetVersion());
}
