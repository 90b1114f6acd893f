// What the mouse hook tests share: the library loaded by name, the button-settings file in a scratch
// folder named by the registry, windows that record what reaches them, and tables of what arrived.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "MessagePump.h"
#include "SettingsFolder.h"

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

// One message as it reached a recording window.
struct Seen {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    double time;   // milliseconds, same clock as Now()
};

extern std::vector<Seen> g_seen;
extern UINT g_closeQuimbel;

// Recording windows: class "FerrowinRecorder" and the browser document class "Internet Explorer_Server".
bool RegisterRecorderClasses();
HWND MakeRecorder(const char* className, DWORD style, int x, int y, int width, int height, HWND parent);
HWND MakeScrollBar(HWND parent, bool vertical, bool visible, int x, int y, int width, int height);

// The messages in g_seen for one window and a set of message numbers, with runs of equal entries
// (message, wParam, lParam) collapsed into one, as text for a table comparison.
std::vector<std::string> Collapsed(HWND window, const std::vector<UINT>& messages);
std::string Describe(UINT message, WPARAM wParam, LPARAM lParam);
std::vector<Seen> Only(HWND window, UINT message);
// Lines indented for a failure message.
std::string JoinLines(const std::vector<std::string>& lines);
// Compares what reached a window with the expected table; a mismatch prints both.
void ExpectSequence(HWND window, const std::vector<UINT>& messages, const std::vector<std::string>& expected);

// Runs a program of the host system (xdotool) without waiting for it.
bool RunHostCommand(const std::string& commandLine);

void SendMouse(DWORD flags, DWORD data = 0, ULONG_PTR extra = 0);
