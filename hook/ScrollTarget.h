// Where the horizontal repeat sends its messages: the visible scroll-bar controls among the descendants
// of the window under the cursor (or of its parent), and the browser's document window.
#pragma once
#include <windows.h>

// Clears and fills the shared words searchedParent, horzBar1, vertBar1, horzBar2 and vertBar2.
void SearchScrollBars(HWND target, HWND parent);

// 1 when the window's class is exactly "Internet Explorer_Server", else 0 (also when it cannot be read).
int IsBrowserWindow(HWND window);
