// What the keyboard hook tests observe: a focused window's key messages and notifications, the input that
// passed every low-level keyboard hook, and the mouse input the library synthesised. Keys go in with
// keybd_event; every wait pumps messages for a bounded time.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <ostream>
#include <vector>
#include "kbdhook/DataSeg.h"
#include "tests/support/MessagePump.h"

// A key message that reached the focused window.
struct KeyRecord {
    bool up;
    UINT virtualKey;
    UINT scanCode;
    bool operator==(const KeyRecord& o) const
    {
        return up == o.up && virtualKey == o.virtualKey && scanCode == o.scanCode;
    }
};
void PrintTo(const KeyRecord& r, std::ostream* os);
inline KeyRecord Down(UINT vk, UINT scan) { return KeyRecord{false, vk, scan}; }
inline KeyRecord Up(UINT vk, UINT scan) { return KeyRecord{true, vk, scan}; }

// A notification (message 2024) posted to the window.
struct NoteRecord {
    WPARAM code;
    LPARAM value;
    bool operator==(const NoteRecord& o) const { return code == o.code && value == o.value; }
};
void PrintTo(const NoteRecord& r, std::ostream* os);

// Injected wheel and middle-button input seen by the test's own low-level mouse hook.
struct MouseRecord {
    UINT message;
    int wheelDelta;     // WM_MOUSEWHEEL only
    ULONG_PTR extraInfo;
    bool operator==(const MouseRecord& o) const
    {
        return message == o.message && wheelDelta == o.wheelDelta && extraInfo == o.extraInfo;
    }
};
void PrintTo(const MouseRecord& r, std::ostream* os);

// A key event that was passed on by the library's low-level hook (seen by a hook installed before it).
struct PassedRecord {
    bool up;
    DWORD virtualKey;
    DWORD scanCode;
    ULONG_PTR extraInfo;
    DWORD time;
    bool operator==(const PassedRecord& o) const
    {
        return up == o.up && virtualKey == o.virtualKey && scanCode == o.scanCode && extraInfo == o.extraInfo;
    }
};
void PrintTo(const PassedRecord& r, std::ostream* os);
inline PassedRecord Passed(bool up, DWORD vk, DWORD scan, ULONG_PTR extra = 0)
{
    return PassedRecord{up, vk, scan, extra, 0};
}

// The library's shared section, found through the loaded module's section table (test-only access).
DataSeg* FindDataSeg(HMODULE module);

// Lets everything still on its way arrive before a comparison (only when no timer of the library is due).
inline void Settle() { Drain(); }
// The quiet gap after a single key: short, so that a few keys stay well within the tap's two seconds.
constexpr DWORD keyStepMs = 15;

bool KeyHeld(int virtualKey);

class KeyboardHookTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Sets the platform class, installs the library's hooks and forgets the input of its Scroll Lock taps.
    void Install(DWORD platformClass);
    void ClearRecords();

    // One key edge through the system, then the queue is worked off.
    void Key(BYTE virtualKey, BYTE scanCode, bool up, bool extended = false, ULONG_PTR extraInfo = 0);
    void Tap(BYTE virtualKey, BYTE scanCode, bool extended = false, ULONG_PTR extraInfo = 0);

    void SetBlockWindow(HWND window);

    HWND window = NULL;
    DataSeg* dataSeg = NULL;
    DWORD savedPlatformClass = 0;
    HHOOK mouseObserver = NULL;
    HHOOK keyboardObserver = NULL;

public:
    std::vector<KeyRecord> keys;
    std::vector<NoteRecord> notes;
    std::vector<MouseRecord> mouse;
    std::vector<PassedRecord> passed;
};
