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
WindowsVersion WindowsVersionFromPacked(DWORD packed);

// The running system, from GetVersion.
WindowsVersion CurrentWindowsVersion();

// The running system from GetVersionEx; FALSE (with the system's error as the last error) when the
// query itself fails.
BOOL QueryWindowsVersion(WindowsVersion* version);
