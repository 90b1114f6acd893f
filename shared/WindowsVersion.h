// The running Windows version as every deliverable classifies it: major and minor version and whether it
// is the 9x family. Each deliverable keeps its own rule table over this record.
#pragma once
#include <windows.h>

struct WindowsVersion {
    DWORD major;
    DWORD minor;
    BOOL family9x;   // 95, 98, Me (and Win32s): the platform bit of GetVersion
};

// From a GetVersion result: low byte major, next byte minor, high bit set on the 9x family.
inline WindowsVersion WindowsVersionFromPacked(DWORD packed)
{
    WindowsVersion version;
    version.major = LOBYTE(LOWORD(packed));
    version.minor = HIBYTE(LOWORD(packed));
    version.family9x = (packed & 0x80000000u) != 0;
    return version;
}

// The running system, from GetVersion. Inline, so that only the deliverables that ask import GetVersion.
inline WindowsVersion CurrentWindowsVersion()
{
    return WindowsVersionFromPacked(GetVersion());
}

// The running system from GetVersionEx; FALSE (with the system's error as the last error) when the
// query itself fails.
BOOL QueryWindowsVersion(WindowsVersion* version);
