// The navigation pad's commands type into the window that was in front when the pad opened: the
// foreground goes back to it first, then the key events (or a middle click) are synthesised in order.
#pragma once
#include <windows.h>

// GetForegroundWindow, SetForegroundWindow, SetFocus, when window still exists; nothing otherwise.
void GiveForegroundBack(HWND window);

// modifier down (scan 0), letter down, letter up, modifier up; the scan field carries the key's code.
void SendChord(BYTE modifier, BYTE letter);
// letter down, letter up, scan = the letter's code, no modifier held.
void SendTap(BYTE letter);
// Presses the keys in order, then releases them in reverse order, all with scan 0.
void SendKeySequence(const BYTE* keys, int count);
// Middle button down and up where the cursor is (relative 100, 100 without a move flag does not move it).
void SendMiddleClick();
