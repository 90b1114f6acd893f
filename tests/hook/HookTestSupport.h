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

// The messages in g_messageLog for one window and a set of message numbers, with runs of equal entries
// (message, wParam, lParam) collapsed into one, as text for a table comparison.
std::vector<std::string> Collapsed(HWND window, const std::vector<UINT>& messages);
// Compares what reached a window with the expected table; a mismatch prints both.
void ExpectSequence(HWND window, const std::vector<UINT>& messages, const std::vector<std::string>& expected);

// Runs a program of the host system (xdotool) without waiting for it.
bool RunHostCommand(const std::string& commandLine);

void SendMouse(DWORD flags, DWORD data = 0, ULONG_PTR extra = 0);
