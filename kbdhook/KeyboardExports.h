// The keyboard hook library's exports, for the keyboard application that loads it, and the notification
// it posts to that application's window.
#pragma once
#include <windows.h>

// Posted to the window whose handle is at offset 0 of the named block: wParam a code, lParam a value.
constexpr UINT vorrinNotifyMessage = WM_USER + 1000;   // 2024

constexpr WPARAM notifyScanCode = 1;     // lParam: scan code of a special key
constexpr WPARAM notifyVirtualKey = 2;   // lParam: virtual-key code (182 for the Windows-key-and-E macro)
constexpr WPARAM notifyFunctionKey = 4;  // lParam: 1 or 2
constexpr WPARAM notifyMacro = 5;        // lParam: 5 to 9 for Ctrl+Alt D, E, P, O, C; 10 Windows key, Up, Enter

constexpr char vorrinBlockName[] = "QTZ_VORRIN_1";
constexpr DWORD vorrinBlockSize = 108;

extern "C" {
void WINAPI InstallHook(BOOL install);
LRESULT CALLBACK KeyboardProc(int code, WPARAM virtualKey, LPARAM flags);
LRESULT CALLBACK KeyboardProcLow(int code, WPARAM message, LPARAM record);
void* __cdecl GetMapFilePointer(void);
}
