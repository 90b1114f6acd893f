#include "shared/WindowsVersion.h"

WindowsVersion WindowsVersionFromPacked(DWORD packed)
{
    WindowsVersion version;
    version.major = LOBYTE(LOWORD(packed));
    version.minor = HIBYTE(LOWORD(packed));
    version.family9x = (packed & 0x80000000u) != 0;
    return version;
}

WindowsVersion CurrentWindowsVersion()
{
    return WindowsVersionFromPacked(GetVersion());
}

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
