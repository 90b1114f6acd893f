#include "KeyboardPlatform.h"

KeyboardPlatform KeyboardPlatformOf(const WindowsVersion& version)
{
    if (version.family9x && version.major == 4) {
        switch (version.minor) {
        case 0: return Platform95;
        case 10: return Platform98;
        case 90: return PlatformMe;
        default: return PlatformOther;
        }
    }
    if (!version.family9x) {
        if (version.major <= 4)
            return PlatformNT4;
        if (version.major == 5 && version.minor == 0)
            return Platform2000;
        if (version.major == 5 && version.minor == 1)
            return PlatformXP;
    }
    return PlatformOther;
}

KeyboardPlatform CurrentKeyboardPlatform()
{
    WindowsVersion version;
    if (!QueryWindowsVersion(&version))
        return PlatformOther;
    return KeyboardPlatformOf(version);
}
