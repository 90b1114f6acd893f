#include "tray/PrivilegeRule.h"

BOOL SkipsPrivilege(const WindowsVersion& version)
{
    if (version.major < 5 && (version.minor == 1 || version.minor == 10 || version.minor == 90))
        return TRUE;
    // Windows 95 (4.0 with the 9x bit) has no tokens either; OpenProcessToken fails there, and the
    // property program would never be started.
    return version.family9x;
}
