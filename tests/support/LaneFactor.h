// The test lane's time factor: the emulated i686 lane starts processes and runs code several times more
// slowly, so waits that give something time to happen are stretched by this (FERROWIN_TIME_FACTOR in the
// environment, set by the test runner; 1 when absent).
#pragma once
#include <windows.h>

DWORD LaneFactor();
