// The per-process hook running in another process: a helper copy of this program (Windows 98 to Wine)
// owns the focused window, the keys are injected here, and the notifications come back to this process.
#include "ChildProcess.h"
#include "KeyboardHarness.h"
#include "kbdhook/KeyboardPlatform.h"
#include "kbdhook/KeyboardExports.h"
#include <stdio.h>
#include <algorithm>

namespace {

const char TargetProgram[] = "kbdtarget_win98.exe";
const char ReadyEvent[] = "VorrinTestTargetReady";
const char DoneEvent[] = "VorrinTestTargetDone";

std::vector<KeyRecord> g_targetKeys;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        g_targetKeys.push_back(KeyRecord{message == WM_KEYUP || message == WM_SYSKEYUP, (UINT)wParam,
                                         (UINT)(((DWORD)lParam >> 16) & 0xFF)});
        return 0;
    case WM_SYSCHAR:
    case WM_SYSCOMMAND:
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Pumps until the event is set; false at the time-out.
bool WaitPumping(HANDLE event, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        if (MsgWaitForMultipleObjects(1, &event, FALSE, timeoutMs - elapsed, QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
        Drain(0, 50);
    }
}

// In the helper: a focused window that records its keys until the test is done, then prints them.
TEST(GlobalHookTarget, RecordKeys)
{
    if (_stricmp(OwnFileName().c_str(), TargetProgram) != 0)
        GTEST_SKIP() << "runs in the helper copy";
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "VorrinOtherTarget";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "other process", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  200, 200, 300, 200, NULL, NULL, windowClass.hInstance, NULL);
    ASSERT_NE(nullptr, window);
    SetForegroundWindow(window);
    SetFocus(window);
    Drain();
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, ReadyEvent);
    HANDLE done = OpenEventA(SYNCHRONIZE, FALSE, DoneEvent);
    ASSERT_NE(nullptr, ready);
    ASSERT_NE(nullptr, done);
    SetEvent(ready);
    ASSERT_TRUE(WaitPumping(done, 20000));
    Drain();
    for (const KeyRecord& key : g_targetKeys)
        printf("key %s %x %x\n", key.up ? "up" : "down", key.virtualKey, key.scanCode);
    fflush(stdout);
    DestroyWindow(window);
    CloseHandle(ready);
    CloseHandle(done);
}

class GlobalHook : public KeyboardHookTest {};

// The helper copy's run, on a thread of its own (a named WINAPI function: on i686 a lambda converts
// only to a cdecl pointer).
DWORD WINAPI RunTargetProgram(LPVOID arg)
{
    ChildResult* result = (ChildResult*)arg;
    *result = RunChild(ProgramFolder() + TargetProgram, "--gtest_filter=GlobalHookTarget.*", 30000);
    return 0;
}

TEST_F(GlobalHook, MacrosInAnotherProcessNotifyThisWindow)
{
    if (_stricmp(OwnFileName().c_str(), TargetProgram) == 0)
        GTEST_SKIP();
    Install(platformOther);
    HANDLE ready = CreateEventA(NULL, TRUE, FALSE, ReadyEvent);
    HANDLE done = CreateEventA(NULL, TRUE, FALSE, DoneEvent);
    ASSERT_NE(nullptr, ready);
    ASSERT_NE(nullptr, done);
    const std::string path = CopySelfAs(TargetProgram);
    ASSERT_FALSE(path.empty());
    ASSERT_TRUE(SetAppDefault(TargetProgram, NULL, "Version", "win98"));

    ChildResult child;
    HANDLE runner = CreateThread(NULL, 0, RunTargetProgram, &child, 0, NULL);
    ASSERT_NE(nullptr, runner);
    EXPECT_TRUE(WaitPumping(ready, 15000)) << "the helper did not start";
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() != window; }, 3000)) << "the helper is not in front";

    // Each edge is let through before the next, as a person types.
    // The press is through once the library's Shift is in the input queue too (it is synthesised just
    // after the flag is set): an E typed before it would overtake it.
    keybd_event(VK_LWIN, 0x5B, KEYEVENTF_EXTENDEDKEY, 0);
    EXPECT_TRUE(PumpUntil([&] {
        return dataSeg->winKeyDown == 1 && std::any_of(passed.begin(), passed.end(), [](const PassedRecord& key) {
                   return !key.up && (key.virtualKey == VK_SHIFT || key.virtualKey == VK_LSHIFT);
               });
    }, 2000));
    keybd_event('E', 0x12, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !notes.empty(); }, 2000));
    keybd_event('E', 0x12, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_LWIN, 0x5B, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0x1D, 0, 0);
    keybd_event(VK_MENU, 0x38, 0, 0);
    keybd_event('C', 0x2E, 0, 0);
    keybd_event('C', 0x2E, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_MENU, 0x38, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0x1D, KEYEVENTF_KEYUP, 0);
    EXPECT_TRUE(PumpUntil([&] { return notes.size() >= 2; }, 2000));
    SetEvent(done);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(runner, 40000));
    CloseHandle(runner);
    CloseHandle(ready);
    CloseHandle(done);
    DeleteFileA(path.c_str());

    EXPECT_EQ((std::vector<NoteRecord>{{2, 182}, {5, 9}}), notes);
    ASSERT_TRUE(child.finished) << child.output;
    std::vector<KeyRecord> targetKeys;
    for (size_t at = child.output.find("key "); at != std::string::npos; at = child.output.find("key ", at + 1)) {
        char edge[8] = "";
        unsigned vk = 0, scan = 0;
        if (sscanf(child.output.c_str() + at, "key %7s %x %x", edge, &vk, &scan) == 3)
            targetKeys.push_back(KeyRecord{edge[0] == 'u', vk, scan});
    }
    EXPECT_EQ((std::vector<KeyRecord>{Up('E', 0), Up(VK_SHIFT, 0), Up(VK_LWIN, 0), Up('E', 0x12), Up(VK_LWIN, 0x5B),
                                      Down(VK_CONTROL, 0x1D), Down(VK_MENU, 0x38), Up(VK_MENU, 0x38),
                                      Up(VK_CONTROL, 0x1D)}),
              targetKeys)
        << child.output;
}

}  // namespace
