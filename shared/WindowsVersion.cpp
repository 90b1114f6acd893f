#include "shared/WindowsVersion.h"

BOOL QueryWindowsVersion(WindowsVersion* version)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!version || !GetVersionExA(&info))
        return FALSE;
    version->major = info.dwMajorVersion;
    version->minor = info.dwMinorVersion;
    version->family9x = info.dwPlatformId != VER_PLATFORM_WIN32_NT;
    return TRUE;
}
