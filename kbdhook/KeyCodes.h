// The multimedia keyboard's keys that report virtual-key code 255, told apart by scan code, and the mouse
// input some of them stand for.
#pragma once
#include <windows.h>

const UINT VK_SPECIAL = 0xFF;
const BYTE ScanFunction1 = 0x40;   // notification (4, 1)
const BYTE ScanFunction2 = 0x41;   // notification (4, 2)
const BYTE ScanWheel = 0x0B;       // a wheel notch up on press, down on release
const BYTE ScanMiddle = 0x16;      // the middle mouse button

const int WheelNotch = 120;

inline void SynthesiseWheel(int delta, ULONG_PTR extraInfo)
{
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, (DWORD)delta, extraInfo);
}
