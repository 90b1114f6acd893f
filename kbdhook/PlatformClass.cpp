#include "PlatformClass.h"

namespace {

BOOL QueryVersion(OSVERSIONINFOA* info)
{
    // The extended record first; systems that predate it only know the short one.
    OSVERSIONINFOEXA extended = {};
    extended.dwOSVersionInfoSize = sizeof(extended);
    if (GetVersionExA((OSVERSIONINFOA*)&extended)) {
        CopyMemory(info, &extended, sizeof(*info));
        return TRUE;
    }
    ZeroMemory(info, sizeof(*info));
    info->dwOSVersionInfoSize = sizeof(*info);
    return GetVersionExA(info);
}

}  // namespace

DWORD ComputePlatformClass()
{
    OSVERSIONINFOA info;
    if (!QueryVersion(&info))
        return PlatformOther;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && info.dwMajorVersion == 4) {
        switch (info.dwMinorVersion) {
        case 0: return Platform95;
        case 10: return Platform98;
        case 90: return PlatformMe;
        default: return PlatformOther;
        }
    }
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (info.dwMajorVersion <= 4)
            return PlatformNT4;
        if (info.dwMajorVersion == 5 && info.dwMinorVersion == 0)
            return Platform2000;
        if (info.dwMajorVersion == 5 && info.dwMinorVersion == 1)
            return PlatformXP;
    }
    return PlatformOther;
}
