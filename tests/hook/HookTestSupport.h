// What the mouse hook tests share: the library loaded by name, the button-settings file in a scratch
// folder named by the registry, recording windows, and what reached them as tables.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "tests/support/SettingsFolder.h"
#include "tests/support/MessageLog.h"
#include "tests/support/MessagePump.h"

typedef int (*StartHookProc)(HWND ownerWindow);
typedef int (*StopHookProc)();

// hoppet.dll as the tray application loads it: LoadLibrary by name, exports by name.
struct Hoppet {
    HMODULE module = nullptr;
    StartHookProc StartHook = nullptr;
    StopHookProc StopHook = nullptr;
    HOOKPROC MouseHookProc = nullptr;
    HOOKPROC LowLevelMousePProc = nullptr;

    bool Load();
};

extern UINT g_closeQuimbel;

// Recording windows: class "FerrowinRecorder" and the browser document class "Internet Explorer_Server".
bool RegisterRecorderClasses();
HWND MakeRecorder(const char* className, DWORD style, int x, int y, int width, int height, HWND parent);
HWND MakeScrollBar(HWND parent, bool vertical, bool visible, int x, int y, int width, int height);

// Rows of the tables: the repeat's line steps (the control's handle as lParam; null for the window's own bar)
// and the buttons that are passed on, compared by which button they are.
ExpectedMessage Scrolls(WPARAM code, HWND bar = nullptr);
ExpectedMessage Button(UINT message, WORD xButton = 0);
// The library gives its hold on a process back once every thread that ran its repeat has handled a WM_NULL
// sent to one of its windows from the library's own thread: it comes whenever that thread runs.
ExpectedMessage HandBack();
// A press and release over a window as the windows see it: the pointer, what the press gave, the release
// (and the application command the default procedure makes of an extended button's).
std::vector<ExpectedMessage> Held(std::vector<ExpectedMessage> during, ExpectedMessage release);
// The whole sequence that reached the windows since the log was cleared, compared with the table.
void ExpectSequence(std::initializer_list<HWND> windows, const std::vector<ExpectedMessage>& expected);

// Runs a program of the host system (xdotool) without waiting for it.
bool RunHostCommand(const std::string& commandLine);

void SendMouse(DWORD flags, DWORD data = 0, ULONG_PTR extra = 0);
// Puts the cursor on a screen point and waits (bounded) until it is there.
bool MoveCursor(POINT at);
