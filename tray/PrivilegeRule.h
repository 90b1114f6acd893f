// The tray application's rule over the Windows version: whether the start-up worker leaves the process
// token alone.
#pragma once
#include <windows.h>
#include "shared/WindowsVersion.h"

// TRUE on systems that have no process tokens to adjust (the 9x family).
BOOL SkipsPrivilege(const WindowsVersion& version);
