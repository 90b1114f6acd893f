// The multimedia keyboard's keys that report virtual-key code 255, told apart by scan code, and the mouse
// input some of them stand for.
#pragma once
#include <windows.h>

constexpr UINT specialKey = 0xFF;
constexpr BYTE scanFunction1 = 0x40;   // notification (4, 1)
constexpr BYTE scanFunction2 = 0x41;   // notification (4, 2)
constexpr BYTE scanWheel = 0x0B;       // a wheel notch up on press, down on release
constexpr BYTE scanMiddle = 0x16;      // the middle mouse button

constexpr int wheelNotch = 120;

inline void SynthesiseWheel(int delta, ULONG_PTR extraInfo)
{
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(delta), extraInfo);
}
