// The tray application's view of the Windows version: whether the start-up worker leaves the process
// token alone.
#pragma once
#include <windows.h>

// Set by ClassifyPlatform: the system has no process tokens to adjust (the 9x family).
extern BOOL skipPrivilege;

// The rule for one GetVersion result (low byte major, next byte minor, high bit set on the 9x family).
BOOL SkipsPrivilege(DWORD version);

void ClassifyPlatform();
