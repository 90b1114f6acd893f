// Helpers of the navigation pad's tests: the shared items, the pad opened through the frame's launcher,
// screen pixels and a recorder of injected input that waits for the expected foreground window before it
// records.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "tests/support/HelperThread.h"
#include "tests/support/MessageLog.h"
#include "tests/support/MessagePump.h"

class CMainFrame;

// Opens the shared block for the pad (once for the program).
void EnsureBlock();
DWORD ReadRoundMap();
void WritePosition(LONG x, LONG y);
void WriteOwner(DWORD owner);

// A top-level window of one solid colour that records what it receives into g_messageLog and keeps keys
// from starting a menu.
HWND CreateTargetWindow(int x, int y, int width, int height, COLORREF colour);
// The key messages a target window has received since the log was cleared.
size_t KeysSeen(HWND target);

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

// The pixels of a bitmap resource, 32-bit top-down (0x00RRGGBB per pixel).
std::vector<DWORD> BitmapPixels(UINT id, int* width, int* height);

// A point well inside segment i of the pad (the middle of its icon), or the centre for i == 8.
POINT SegmentPoint(int i);
// The open pad's window, or null.
HWND PadWindow();
// The pad windows of this process.
int CountPadWindows();

// A frame without a window (its timers go to the target window) and a magenta target window behind the pad.
class PadTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Ends the pad through the frame and deletes the frame.
    void DeleteFrame();
    // Opens (or moves) the pad at x, y and waits until it is up: shown, buttons in place.
    HWND Open(LONG x, LONG y);
    bool WaitClosed(HWND pad);

    HWND target = nullptr;
    CMainFrame* frame = nullptr;
};
