// The two hook procedures. On i686 their parameter types give the exported names
// ?MouseHookProc@@YGJHIJ@Z (C++ name, stdcall) and _LowLevelMousePProc@12 (C name, stdcall).
#pragma once
#include <windows.h>

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);
extern "C" LRESULT CALLBACK LowLevelMousePProc(int code, WPARAM wParam, LPARAM lParam);
