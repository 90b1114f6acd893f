// Reflection: what a parent is told about one of its children (colours, owner drawing) is offered first to
// the child's own object, under the message number reflectedBase + the original message, so that a control
// class answers for itself wherever it is placed.
#pragma once
#include <windows.h>

constexpr UINT reflectedBase = 0xBC00;
constexpr UINT Reflected(UINT message) { return reflectedBase + message; }

// For WM_CTLCOLOR* and WM_DRAWITEM received by a parent: sends the reflected message to the child's
// object when the child is bound to one. TRUE with *result when the child answered (a brush, or TRUE
// for a drawn item); FALSE leaves the message to the parent.
// A dialog's WM_CTLCOLORDLG names the dialog itself and stays with it.
BOOL ReflectToChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
