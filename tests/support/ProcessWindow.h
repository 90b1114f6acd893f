// Finding another process's top-level window by its title, for tests that start a program.
#pragma once
#include <windows.h>

// The top-level window of that process with exactly that title, or null.
HWND TopLevelWindowOf(DWORD processId, const char* title);
