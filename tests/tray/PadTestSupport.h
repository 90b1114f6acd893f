// Helpers of the navigation pad's tests: the shared items, screen pixels and a recorder of injected input
// that waits for the expected foreground window before it records.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "HelperThread.h"
#include "MessagePump.h"

DWORD ReadRoundMap();
void WritePosition(LONG x, LONG y);
void WriteOwner(DWORD owner);

// A top-level window of one solid colour that records the keys it receives.
struct KeyMessage {
    UINT message;
    WPARAM key;
    bool operator==(const KeyMessage& o) const { return message == o.message && key == o.key; }
};
HWND CreateTargetWindow(int x, int y, int width, int height, COLORREF colour);
std::vector<KeyMessage>& TargetKeys();

// Brings a window of this thread to the front and waits (bounded) until it is there.
bool BringToFront(HWND window);

// Low-level keyboard and mouse hooks on a thread of their own. Each injected key is held until the
// expected window is in front (at most a second), then recorded with the foreground window of that moment.
struct InputEvent {
    DWORD code;     // virtual key, or the mouse message for middle-button events
    DWORD scan;
    bool up;
    HWND foreground;
    POINT point;    // mouse events only
};
class InputRecorder {
public:
    explicit InputRecorder(HWND expected);
    bool Started() const { return started; }
    std::vector<InputEvent> Events();

private:
    struct Hooks {
        HANDLE ready = CreateEvent(nullptr, TRUE, FALSE, nullptr);
        DWORD threadId = 0;
        bool installed = false;
        ~Hooks() { CloseHandle(ready); }
    };
    static DWORD Run(Hooks& hooks);
    static void Quit(Hooks& hooks);
    HelperThread<Hooks> thread;
    bool started;
};

std::string DescribeKeys(const std::vector<InputEvent>& events);

// Copies a part of the screen into a 32-bit top-down buffer (0x00RRGGBB per pixel) and, when path is
// given, saves it as a BMP file.
std::vector<DWORD> CaptureScreen(int x, int y, int width, int height, const char* path);
// The pixels of a bitmap resource, the same way.
std::vector<DWORD> BitmapPixels(UINT id, int* width, int* height);
