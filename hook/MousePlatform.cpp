#include "hook/MousePlatform.h"

MousePlatform MousePlatformOf(const WindowsVersion& version)
{
    // Windows 95 reports 4.0 like NT 4.0 but has no low-level hooks: the 9x family tells them apart.
    if (version.family9x || (version.major < 5 && version.minor != 0 && version.minor != 1))
        return platformOlderFamily;
    return platformLowLevel;
}

bool HorizontalWheelOf(const WindowsVersion& version)
{
    return !version.family9x && version.major >= 6;
}
