// The mouse hook library end to end in low-level mode: the hook installed through StartHook on this
// thread, real extended-button input from X (xdotool) and from SendInput, real windows as targets, and
// the button-settings file in a scratch folder named by the registry. The per-process mode runs in a
// copy of this program that Wine reports as Windows 98 (MouseEvents98Test.cpp).
#include <gtest/gtest.h>
#include <windows.h>
#include <random>
#include <stdio.h>
#include <string>
#include <vector>
#include "ChildProcess.h"
#include "HeldInput.h"
#include "HookTestSupport.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"

namespace {

// What the test's own low-level hooks saw, called before the library's (installed after it).
struct InputSeen {
    UINT message;
    DWORD data;     // mouse data, or for keys: virtual key << 16 | scan code
    double time;
};
std::vector<InputSeen> g_mouseInput;
std::vector<InputSeen> g_keyInput;
HHOOK g_testMouseHook;
HHOOK g_testKeyHook;

LRESULT CALLBACK TestMouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const MSLLHOOKSTRUCT* record = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (wParam != WM_MOUSEMOVE)
            g_mouseInput.push_back({static_cast<UINT>(wParam), record->mouseData, Now()});
    }
    return CallNextHookEx(g_testMouseHook, code, wParam, lParam);
}

LRESULT CALLBACK TestKeyHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT* record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        g_keyInput.push_back({static_cast<UINT>(wParam), record->vkCode << 16 | record->scanCode, Now()});
    }
    return CallNextHookEx(g_testKeyHook, code, wParam, lParam);
}

// When the test's hook saw the given button message last; 0 when not at all.
double LastInput(UINT message)
{
    for (auto it = g_mouseInput.rbegin(); it != g_mouseInput.rend(); ++it)
        if (it->message == message)
            return it->time;
    return 0;
}

// When the test's hook saw the given button message at or after an index of g_mouseInput; 0 if not.
double InputSince(size_t index, UINT message)
{
    for (size_t i = index; i < g_mouseInput.size(); ++i)
        if (g_mouseInput[i].message == message)
            return g_mouseInput[i].time;
    return 0;
}

// The repeat went on while the button was held, and no faster than its timer allows: a step at the press
// and one each 50 ms up to the release. (Its rhythm and how soon it ends are figures of bench_hook.)
void ExpectRepeat(HWND receiver, DWORD held)
{
    size_t steps = CountOf(g_messageLog.Sequence({receiver}), WM_HSCROLL);
    EXPECT_GE(steps, 2u) << "the repeat did not go on";
    EXPECT_LE(steps, held / 50 + 3) << "faster than the repeat's timer";
}

class LowLevelMode : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        loaded = hoppet.Load();
        RegisterRecorderClasses();
    }

    void SetUp() override
    {
        ReleaseHeldInput();
        ASSERT_TRUE(loaded) << "hoppet.dll or one of its exports is missing";
        ASSERT_TRUE(settings.Ready());
        ASSERT_TRUE(settings.WriteFile(0, 0));
        ASSERT_EQ(1, hoppet.StartHook(nullptr));
        g_testMouseHook = SetWindowsHookExA(WH_MOUSE_LL, TestMouseHook, GetModuleHandleA(nullptr), 0);
        g_testKeyHook = SetWindowsHookExA(WH_KEYBOARD_LL, TestKeyHook, GetModuleHandleA(nullptr), 0);
        ASSERT_TRUE(g_testMouseHook && g_testKeyHook);
        g_messageLog.Clear();
        g_mouseInput.clear();
        g_keyInput.clear();
    }

    void TearDown() override
    {
        UnhookWindowsHookEx(g_testMouseHook);
        UnhookWindowsHookEx(g_testKeyHook);
        // With only the low-level hook installed there is no per-process hook to report on.
        EXPECT_EQ(0, hoppet.StopHook());
        for (HWND window : windows)
            DestroyWindow(window);
        windows.clear();
        Pump(20);
    }

    HWND Keep(HWND window)
    {
        EXPECT_NE(nullptr, window);
        windows.push_back(window);
        return window;
    }

    // Holds an extended button over a screen point with real X input, the log cleared once the pointer is
    // there.
    void HoldWithX(int xButton, POINT at)
    {
        EXPECT_TRUE(MoveCursor(at));
        Drain();
        g_messageLog.Clear();
        char command[160];
        snprintf(command, sizeof(command), "/usr/bin/xdotool mousemove %ld %ld mousedown %d sleep 0.3 mouseup %d",
                 at.x, at.y, xButton, xButton);
        size_t before = g_mouseInput.size();
        EXPECT_TRUE(RunHostCommand(command)) << "xdotool could not be started";
        bool released = PumpUntil([before] { return InputSince(before, WM_XBUTTONUP) != 0; }, 8000);
        EXPECT_TRUE(released) << "the X button's release never arrived";
        Drain();
    }

    // The same with SendInput; xButton is XBUTTON1 or XBUTTON2.
    void HoldWithSendInput(WORD xButton, POINT at, DWORD held)
    {
        EXPECT_TRUE(MoveCursor(at));
        Drain();
        g_messageLog.Clear();
        size_t before = g_mouseInput.size();
        SendMouse(MOUSEEVENTF_XDOWN, xButton);
        Pump(held);
        SendMouse(MOUSEEVENTF_XUP, xButton);
        EXPECT_TRUE(PumpUntil([before] { return InputSince(before, WM_XBUTTONUP) != 0; }, 3000));
        Drain();
    }

    static Hoppet hoppet;
    static bool loaded;
    SettingsFolder settings;
    std::vector<HWND> windows;
};

Hoppet LowLevelMode::hoppet;
bool LowLevelMode::loaded;

TEST_F(LowLevelMode, SideButtonFromXScrollsAWindowWithItsOwnScrollBar)
{
    HWND target = Keep(MakeRecorder("FerrowinRecorder", WS_HSCROLL, 100, 100, 300, 200, nullptr));
    HoldWithX(9, POINT{250, 180});
    ExpectSequence({target}, Held({Scrolls(SB_LINERIGHT)}, Button(WM_XBUTTONUP, XBUTTON2)));
    ExpectRepeat(target, 300);
}

TEST_F(LowLevelMode, BrowserDocumentWindowFromX)
{
    HWND frame = Keep(MakeRecorder("FerrowinRecorder", 0, 100, 100, 300, 200, nullptr));
    HWND document = MakeRecorder("Internet Explorer_Server", 0, 0, 0, 300, 200, frame);
    HoldWithX(8, POINT{250, 180});
    ExpectSequence({frame, document}, Held({To(document, Scrolls(SB_LINELEFT))}, To(document, Button(WM_XBUTTONUP, XBUTTON1))));
    ExpectRepeat(document, 300);
}

TEST_F(LowLevelMode, VisibleHorizontalScrollBarChildIsNamed)
{
    HWND target = Keep(MakeRecorder("FerrowinRecorder", 0, 100, 100, 300, 200, nullptr));
    // The hidden bar comes first in the window tree, so it would be found first if it were taken.
    HWND hidden = MakeScrollBar(target, false, false, 0, 150, 280, 20);
    HWND horizontal = MakeScrollBar(target, false, true, 0, 180, 280, 20);
    HWND vertical = MakeScrollBar(target, true, true, 280, 0, 20, 180);
    ASSERT_TRUE(hidden && horizontal && vertical);
    HoldWithSendInput(XBUTTON1, POINT{200, 180}, 300);
    ExpectSequence({target}, Held({Scrolls(SB_LINELEFT, horizontal)}, Button(WM_XBUTTONUP, XBUTTON1)));
    ExpectRepeat(target, 300);
}

TEST_F(LowLevelMode, ParentsScrollBarWhenTheTargetHasOnlyAVerticalOne)
{
    HWND parent = Keep(MakeRecorder("FerrowinRecorder", 0, 100, 100, 400, 300, nullptr));
    HWND parentBar = MakeScrollBar(parent, false, true, 0, 280, 400, 20);
    HWND target = MakeRecorder("FerrowinRecorder", 0, 10, 10, 200, 200, parent);
    HWND targetBar = MakeScrollBar(target, true, true, 180, 0, 20, 200);
    ASSERT_TRUE(parentBar && target && targetBar);
    HoldWithSendInput(XBUTTON2, POINT{160, 160}, 300);
    ExpectSequence({parent, target},
                   Held({To(parent, Scrolls(SB_LINERIGHT, parentBar))}, To(target, Button(WM_XBUTTONUP, XBUTTON2))));
    ExpectRepeat(parent, 300);
}

// A top-level target has no parent to search: scroll bars that are top-level windows of their own (of
// this or any other program) are not the target's, and nothing goes to "no window". (Windows enumerates
// the top-level windows for "no parent"; Wine 8 refuses it, so here this guards the top-level case itself.)
TEST_F(LowLevelMode, TopLevelTargetIgnoresTopLevelScrollBars)
{
    HWND stray = Keep(CreateWindowExA(0, "ScrollBar", "", WS_POPUP | WS_VISIBLE | SBS_HORZ, 600, 600, 200, 20,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    HWND target = Keep(MakeRecorder("FerrowinRecorder", WS_HSCROLL, 100, 100, 300, 200, nullptr));
    ASSERT_TRUE(stray && target);
    HoldWithSendInput(XBUTTON2, POINT{250, 180}, 300);
    ExpectSequence({target}, Held({Scrolls(SB_LINERIGHT)}, Button(WM_XBUTTONUP, XBUTTON2)));
    ExpectRepeat(target, 300);
}

TEST_F(LowLevelMode, SettingsFileDecidesEveryPress)
{
    HWND target = Keep(MakeRecorder("FerrowinRecorder", WS_HSCROLL, 100, 100, 300, 200, nullptr));
    POINT at = {250, 180};
    const std::vector<ExpectedMessage> passedOn = Held({Button(WM_XBUTTONDOWN, XBUTTON2)}, Button(WM_XBUTTONUP, XBUTTON2));
    const std::vector<ExpectedMessage> swallowed = Held({}, Button(WM_XBUTTONUP, XBUTTON2));
    const std::vector<ExpectedMessage> scrolled = Held({Scrolls(SB_LINERIGHT)}, Button(WM_XBUTTONUP, XBUTTON2));

    ASSERT_TRUE(settings.WriteFile(0, 1));
    HoldWithSendInput(XBUTTON2, at, 150);
    ExpectSequence({target}, passedOn);

    // Read again at every press: the changed byte counts at once.
    ASSERT_TRUE(settings.SetByte(1132, 0));
    HoldWithSendInput(XBUTTON2, at, 150);
    ExpectSequence({target}, scrolled);

    settings.RemoveFile();
    HoldWithSendInput(XBUTTON2, at, 150);
    ExpectSequence({target}, swallowed);

    // Too short to hold the second button's byte: passed on; the first button's byte is still there.
    ASSERT_TRUE(settings.WriteFile(0, 0, 1130));
    HoldWithSendInput(XBUTTON2, at, 150);
    ExpectSequence({target}, passedOn);
    HoldWithSendInput(XBUTTON1, at, 150);
    ExpectSequence({target}, Held({Scrolls(SB_LINELEFT)}, Button(WM_XBUTTONUP, XBUTTON1)));

    // A folder ending in a backslash gives a doubled backslash, which the file system takes.
    ASSERT_TRUE(settings.WriteFile(0, 0));
    ASSERT_TRUE(settings.PointRegistry(true));
    HoldWithSendInput(XBUTTON2, at, 150);
    ExpectSequence({target}, scrolled);
}

// Steps of one kind that reached a window since the log was cleared.
size_t StepsSeen(HWND window, WPARAM code)
{
    size_t steps = 0;
    for (const LoggedMessage& seen : g_messageLog.Sequence({window}))
        steps += seen.message == WM_HSCROLL && seen.wParam == code;
    return steps;
}

TEST_F(LowLevelMode, SecondPressReplacesTheRunningRepeat)
{
    HWND target = Keep(MakeRecorder("FerrowinRecorder", WS_HSCROLL, 100, 100, 300, 200, nullptr));
    ASSERT_TRUE(MoveCursor(POINT{250, 180}));
    Drain();
    g_messageLog.Clear();
    SendMouse(MOUSEEVENTF_XDOWN, XBUTTON2);
    ASSERT_TRUE(PumpUntil([target] { return StepsSeen(target, SB_LINERIGHT) >= 2; }, 3000));
    SendMouse(MOUSEEVENTF_XDOWN, XBUTTON1);
    Pump(300);
    SendMouse(MOUSEEVENTF_XUP, XBUTTON1);
    ASSERT_TRUE(PumpUntil([] { return LastInput(WM_XBUTTONUP) != 0; }, 3000));
    int timers = 0;
    Pump(300, &timers);
    EXPECT_EQ(0, timers) << "a repeat timer was left running after the release";
    // One timer at a time: no right step once the left ones have begun, and the left ones no faster than
    // one timer gives.
    ExpectSequence({target}, Held(Rows({{Scrolls(SB_LINERIGHT)}, Pointer(), {Scrolls(SB_LINELEFT)}}),
                                  Button(WM_XBUTTONUP, XBUTTON1)));
    EXPECT_GE(StepsSeen(target, SB_LINELEFT), 2u) << "the second press's repeat did not go on";
    EXPECT_LE(StepsSeen(target, SB_LINELEFT), 300u / 50 + 3) << "two timers at once";
    SendMouse(MOUSEEVENTF_XUP, XBUTTON2);
    Drain();
}

TEST_F(LowLevelMode, TargetClosedWhileTheButtonIsHeld)
{
    HWND parent = Keep(MakeRecorder("FerrowinRecorder", 0, 100, 100, 400, 300, nullptr));
    HWND parentBar = MakeScrollBar(parent, false, true, 0, 280, 400, 20);
    HWND target = MakeRecorder("FerrowinRecorder", 0, 10, 10, 200, 200, parent);
    ASSERT_TRUE(parentBar && target);
    ASSERT_TRUE(MoveCursor(POINT{160, 160}));
    Drain();
    g_messageLog.Clear();
    SendMouse(MOUSEEVENTF_XDOWN, XBUTTON2);
    ASSERT_TRUE(PumpUntil([parent] { return StepsSeen(parent, SB_LINERIGHT) >= 2; }, 3000));
    DestroyWindow(target);
    Pump(300);
    SendMouse(MOUSEEVENTF_XUP, XBUTTON2);
    ASSERT_TRUE(PumpUntil([] { return LastInput(WM_XBUTTONUP) != 0; }, 3000));
    Drain();
    // No step on behalf of a window that no longer exists: none after its destruction.
    const std::vector<ExpectedMessage> closed = {
        To(parent, {WM_PARENTNOTIFY, sent | wparam | lparam, WM_DESTROY, reinterpret_cast<LPARAM>(target)}),
        To(target, {WM_SHOWWINDOW, sent | wparam | optional, FALSE}),
        To(target, {WM_WINDOWPOSCHANGING, sent | optional}),
        To(parent, {WM_ERASEBKGND, sent | optional}),
        To(target, {WM_WINDOWPOSCHANGED, sent | optional}),
        To(target, {WM_DESTROY, sent}),
        To(target, {WM_NCDESTROY, sent}),
        To(parent, {WM_PAINT, posted | optional}),
    };
    ExpectSequence({parent, target}, Held(Rows({{To(parent, Scrolls(SB_LINERIGHT, parentBar))}, closed}),
                                          To(parent, Button(WM_XBUTTONUP, XBUTTON2))));
}

TEST_F(LowLevelMode, ScrollCodesBecomePageKeys)
{
    HWND target = Keep(MakeRecorder("FerrowinRecorder", 0, 100, 100, 300, 200, nullptr));
    ASSERT_TRUE(MoveCursor(POINT{250, 180}));
    Drain();
    const struct { ULONG_PTR code; std::vector<UINT> keys; bool passed; } cases[] = {
        {8, {WM_KEYDOWN, 0x21, WM_KEYUP, 0x21}, false},
        {16, {WM_KEYDOWN, 0x22, WM_KEYUP, 0x22}, false},
        {4, {}, true},
        {1, {}, true},   // in this mode the side buttons come as extended buttons, not as codes
    };
    for (const auto& c : cases) {
        g_messageLog.Clear();
        g_keyInput.clear();
        size_t before = g_mouseInput.size();
        SendMouse(MOUSEEVENTF_MIDDLEDOWN, 0, c.code);
        SendMouse(MOUSEEVENTF_MIDDLEUP, 0, c.code);
        EXPECT_TRUE(PumpUntil([before] { return g_mouseInput.size() >= before + 2; }, 3000));
        Drain();
        std::vector<std::string> expectedKeys, seenKeys;
        std::vector<ExpectedMessage> during;
        for (size_t i = 0; i + 1 < c.keys.size(); i += 2) {
            expectedKeys.push_back(MessageText(c.keys[i], c.keys[i + 1], c.keys[i + 1]));
            during.push_back({c.keys[i], posted | wparam, c.keys[i + 1]});
        }
        for (const InputSeen& key : g_keyInput)
            seenKeys.push_back(MessageText(key.message, key.data >> 16, key.data & 0xFFFF));
        EXPECT_TRUE(SameRows(expectedKeys, seenKeys)) << "code " << c.code;
        if (c.passed)
            during.push_back(Button(WM_MBUTTONDOWN));
        ExpectSequence({target}, Held(during, Button(WM_MBUTTONUP)));
    }
}

TEST_F(LowLevelMode, NoPadTestOnLeftPresses)
{
    HWND background = Keep(MakeRecorder("FerrowinRecorder", 0, 100, 100, 400, 300, nullptr));
    HWND pad = Keep(MakeRecorder("FerrowinRecorder", 0, 300, 200, 100, 100, nullptr));
    CSharedMemory* block = OpenMouseStateBlock();
    ASSERT_NE(nullptr, block);
    DWORD padWord = HandleToUlong(pad);
    ASSERT_TRUE(block->WriteItem(itemRoundMap, &padWord, sizeof(padWord)));
    ASSERT_TRUE(MoveCursor(POINT{150, 150}));
    Drain();
    g_messageLog.Clear();
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Drain();
    padWord = 0;
    block->WriteItem(itemRoundMap, &padWord, sizeof(padWord));
    delete block;
    ExpectSequence({background, pad}, Held({To(background, Button(WM_LBUTTONDOWN))}, To(background, Button(WM_LBUTTONUP))));
}

// Every message number with random records, straight into the procedure: no crash, and after the
// matching release no timer is left and nothing more is posted.
TEST_F(LowLevelMode, DirectCallsWithEveryMessage)
{
    UnhookWindowsHookEx(g_testKeyHook);   // the paging codes type keys; nobody needs to see them here
    g_testKeyHook = nullptr;
    HWND target = Keep(MakeRecorder("FerrowinRecorder", WS_HSCROLL, 100, 100, 300, 200, nullptr));
    std::mt19937 random(12345);
    const ULONG_PTR codes[] = {0, 1, 2, 4, 8, 16};
    for (int round = 0; round < 3; ++round) {
        const int hookCodes[] = {HC_ACTION, -1, -5, HC_ACTION};
        for (int hookCode : hookCodes) {
            for (UINT message = 0; message <= 0x3FF; ++message) {
                MSLLHOOKSTRUCT record;
                record.pt.x = 100 + static_cast<LONG>(random() % 300);
                record.pt.y = 100 + static_cast<LONG>(random() % 200);
                DWORD which = random() % 5;
                record.mouseData = (which < 4 ? which : random()) << 16 | (random() & 0xFFFF);
                record.flags = random();
                record.time = random();
                DWORD pick = random() % 7;
                record.dwExtraInfo = pick < 6 ? codes[pick] : (static_cast<ULONG_PTR>(random()) << 16) ^ random();
                hoppet.LowLevelMousePProc(hookCode, message, reinterpret_cast<LPARAM>(&record));
            }
        }
        Pump(120);
        MSLLHOOKSTRUCT release = {};
        release.mouseData = XBUTTON1 << 16;
        size_t released = g_messageLog.Size();
        hoppet.LowLevelMousePProc(HC_ACTION, WM_XBUTTONUP, reinterpret_cast<LPARAM>(&release));
        int timers = 0;
        Pump(200, &timers);
        EXPECT_EQ(0, timers) << "round " << round;
        EXPECT_TRUE(SameSequence(Rows({Pointer(), {HandBack()}}), g_messageLog.Sequence({target}, released)))
            << "round " << round;
        g_messageLog.Clear();
    }
}

// The per-process mode: this program copied to another name that Wine reports as Windows 98, run as a
// helper process with a test filter; its output comes back for the log.
struct HelperRun {
    bool ended = false;
    DWORD exitCode = 1;
    std::string output;
};

HelperRun RunWin98Helper(const std::string& filter)
{
    HelperRun run;
    const char helperName[] = "mouseevents_win98.exe";
    std::string helper = CopySelfAs(helperName);
    if (helper.empty())
        return run;
    SetAppDefault(helperName, nullptr, "Version", "win98");
    // This thread keeps pumping: in the per-process mode the hook may run here, on this thread.
    ChildResult child = RunChild(helper, "--gtest_filter=" + filter, 120000, true);
    run.ended = child.finished;
    run.exitCode = child.finished ? child.exitCode : 99;
    run.output = child.output;
    DeleteFileA(helper.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, (std::string("Software\\Wine\\AppDefaults\\") + helperName).c_str());

    // The helper's verdicts, so that the log shows which per-process cases ran.
    size_t at = 0;
    while ((at = run.output.find("[       OK ]", at)) != std::string::npos) {
        size_t lineEnd = run.output.find('\n', at);
        printf("  win98 helper: %s\n", run.output.substr(at, lineEnd - at).c_str());
        at = lineEnd;
    }
    return run;
}

void ExpectHelperPassed(const HelperRun& run)
{
    EXPECT_TRUE(run.ended) << "the helper did not end in time";
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("SKIPPED")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("[  PASSED  ]")) << run.output;
}

TEST(PerProcessMode, Win98HelperPasses)
{
    ExpectHelperPassed(RunWin98Helper("Win98.*"));
}

// The remote case's target tells the helper what it has seen: steps of the repeat, then the release.
WNDPROC g_recorderProc;
HANDLE g_remoteScrolled;
HANDLE g_remoteReleased;

LRESULT CALLBACK RemoteTargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallWindowProcA(g_recorderProc, window, message, wParam, lParam);
    if (message == WM_HSCROLL && CountOf(g_messageLog.Sequence({window}), WM_HSCROLL) >= 2)
        SetEvent(g_remoteScrolled);
    if (message == WM_MBUTTONUP)
        SetEvent(g_remoteReleased);
    return result;
}

// The hook installed by another process runs in this one, on this thread, when the press reaches a window
// here: the settings are read and the repeat timer runs in this process.
TEST(PerProcessMode, HookRunsInTheProcessUnderTheCursor)
{
    ASSERT_TRUE(RegisterRecorderClasses());
    SettingsFolder settings;
    ASSERT_TRUE(settings.Ready());
    ASSERT_TRUE(settings.WriteFile(0, 0));
    HWND target = CreateWindowExA(0, "FerrowinRecorder", "ferrowin remote target", WS_POPUP | WS_VISIBLE | WS_HSCROLL,
                                  100, 100, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, target);
    std::string tag = std::to_string(GetCurrentProcessId());
    g_remoteScrolled = CreateEventA(nullptr, TRUE, FALSE, ("FerrowinRemoteScrolled" + tag).c_str());
    g_remoteReleased = CreateEventA(nullptr, TRUE, FALSE, ("FerrowinRemoteReleased" + tag).c_str());
    g_recorderProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RemoteTargetProc)));
    Drain();
    g_messageLog.Clear();
    SetEnvironmentVariableA("FERROWIN_REMOTE_TARGET", tag.c_str());
    HelperRun run = RunWin98Helper("Win98Remote.*");
    SetEnvironmentVariableA("FERROWIN_REMOTE_TARGET", nullptr);
    int timers = 0;
    Pump(200, &timers);
    ExpectHelperPassed(run);
    ExpectSequence({target}, Held({Scrolls(SB_LINERIGHT)}, Button(WM_MBUTTONUP)));
    EXPECT_EQ(0, timers) << "the repeat timer outlived the release";
    DestroyWindow(target);
    CloseHandle(g_remoteScrolled);
    CloseHandle(g_remoteReleased);
}
}

namespace {

TEST(PerProcessMode, LibraryLeavesAProcessWithARepeatRunning)
{
    SetEnvironmentVariableA("FERROWIN_UNLOAD_CASE", "1");
    HelperRun run = RunWin98Helper("Win98Unload.*");
    SetEnvironmentVariableA("FERROWIN_UNLOAD_CASE", nullptr);
    ExpectHelperPassed(run);
}

}
