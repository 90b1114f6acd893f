#include "kbdhook/KeyboardPlatform.h"

KeyboardPlatform KeyboardPlatformOf(const WindowsVersion& version)
{
    if (version.family9x && version.major == 4) {
        switch (version.minor) {
        case 0: return platform95;
        case 10: return platform98;
        case 90: return platformMe;
        default: return platformOther;
        }
    }
    if (!version.family9x) {
        if (version.major <= 4)
            return platformNT4;
        if (version.major == 5 && version.minor == 0)
            return platform2000;
        if (version.major == 5 && version.minor == 1)
            return platformXP;
    }
    return platformOther;
}

KeyboardPlatform CurrentKeyboardPlatform()
{
    WindowsVersion version;
    if (!QueryWindowsVersion(&version))
        return platformOther;
    return KeyboardPlatformOf(version);
}
