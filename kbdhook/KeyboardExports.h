// The keyboard hook library's exports, for the keyboard application that loads it, and the notification
// it posts to that application's window.
#pragma once
#include <windows.h>

// Posted to the window whose handle is at offset 0 of the named block: wParam a code, lParam a value.
const UINT WM_VORRIN_NOTIFY = WM_USER + 1000;   // 2024

const WPARAM NotifyScanCode = 1;     // lParam: scan code of a special key
const WPARAM NotifyVirtualKey = 2;   // lParam: virtual-key code (182 for the Windows-key-and-E macro)
const WPARAM NotifyFunctionKey = 4;  // lParam: 1 or 2
const WPARAM NotifyMacro = 5;        // lParam: 5 to 9 for Ctrl+Alt D, E, P, O, C; 10 Windows key, Up, Enter

const char VORRIN_BLOCK_NAME[] = "QTZ_VORRIN_1";
const DWORD VORRIN_BLOCK_SIZE = 108;

extern "C" {
void WINAPI InstallHook(BOOL install);
LRESULT CALLBACK KeyboardProc(int code, WPARAM virtualKey, LPARAM flags);
LRESULT CALLBACK KeyboardProcLow(int code, WPARAM message, LPARAM record);
void* __cdecl GetMapFilePointer(void);
}
