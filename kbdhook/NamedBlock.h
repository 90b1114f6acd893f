// This process's view of the named block "QTZ_VORRIN_1", through which the keyboard application tells
// the library which window receives the notifications.
#pragma once
#include <windows.h>

BOOL OpenNamedBlock();
void CloseNamedBlock();

// The window at offset 0 of the block; null disables the library.
HWND NotificationWindow();
void Notify(WPARAM code, LPARAM value);
