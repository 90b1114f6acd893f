// CPaintDC: BeginPaint for the lifetime of the object, EndPaint at its end (WM_PAINT handlers).
#pragma once
#include <windows.h>

class CPaintDC {
public:
    explicit CPaintDC(HWND window) : window(window), dc(BeginPaint(window, &paint)) {}
    ~CPaintDC() { EndPaint(window, &paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    operator HDC() const { return dc; }

    HWND window;
    PAINTSTRUCT paint;
    HDC dc;   // null when BeginPaint failed
};
