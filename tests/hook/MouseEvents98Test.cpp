// The mouse hook library in its per-process mode. These cases run only in the helper copy of the test
// program that Wine reports as Windows 98 (started by PerProcessMode.Win98HelperPasses): there StartHook
// installs the per-process hook, whose procedure runs on this thread as its messages are retrieved.
#include <gtest/gtest.h>
#include <windows.h>
#include <random>
#include <string>
#include <vector>
#include "HeldInput.h"
#include "HookTestSupport.h"
#include "LaneFactor.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"

namespace {

bool IsWindows98()
{
    DWORD version = GetVersion();
    return LOBYTE(LOWORD(version)) == 4 && HIBYTE(LOWORD(version)) == 10;
}

// Whether the message has reached the window since the log was cleared.
bool Seen(HWND window, UINT message)
{
    return CountOf(g_messageLog.Sequence({window}), message) != 0;
}

class Win98 : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        loaded = hoppet.Load();
        RegisterRecorderClasses();
        block = OpenMouseStateBlock();
    }
    static void TearDownTestSuite()
    {
        delete block;
        block = nullptr;
    }

    void SetUp() override
    {
        if (!IsWindows98())
            GTEST_SKIP() << "runs in the Windows 98 helper only";
        ReleaseHeldInput();
        ASSERT_TRUE(loaded) << "hoppet.dll or one of its exports is missing";
        ASSERT_TRUE(block && block->IsReady());
        ASSERT_TRUE(settings.Ready());
        ASSERT_TRUE(settings.WriteFile(0, 0));
        ASSERT_EQ(1, hoppet.StartHook(nullptr));
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &savedLines, 0);
        g_messageLog.Clear();
    }

    void TearDown() override
    {
        if (!IsWindows98())
            return;
        SetRoundMap(nullptr);
        // The per-process hook reports its own removal.
        EXPECT_EQ(1, hoppet.StopHook());
        SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, savedLines, nullptr, 0);
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

    static void SetRoundMap(HWND pad)
    {
        DWORD word = HandleToUlong(pad);
        if (block)
            block->WriteItem(itemRoundMap, &word, sizeof(word));
    }

    // A middle-button press carrying a button code, held for a while, the log cleared once the pointer is
    // there; returns when what followed the release has arrived.
    void HoldCode(HWND window, ULONG_PTR code, POINT at, DWORD held)
    {
        EXPECT_TRUE(MoveCursor(at));
        Drain();
        g_messageLog.Clear();
        SendMouse(MOUSEEVENTF_MIDDLEDOWN, 0, code);
        Pump(held);
        SendMouse(MOUSEEVENTF_MIDDLEUP, 0, code);
        EXPECT_TRUE(PumpUntil([=] { return Seen(window, WM_MBUTTONUP); }, 3000));
        Drain();
    }

    LRESULT CallHook(UINT message, POINT at, ULONG_PTR extra = 0, int code = HC_ACTION)
    {
        MOUSEHOOKSTRUCT record = {};
        record.pt = at;
        record.hwnd = WindowFromPoint(at);
        record.wHitTestCode = HTCLIENT;
        record.dwExtraInfo = extra;
        return hoppet.MouseHookProc(code, message, reinterpret_cast<LPARAM>(&record));
    }

    static Hoppet hoppet;
    static bool loaded;
    static CSharedMemory* block;
    SettingsFolder settings;
    std::vector<HWND> windows;
    UINT savedLines = 3;
};

Hoppet Win98::hoppet;
bool Win98::loaded;
CSharedMemory* Win98::block;

TEST_F(Win98, ButtonCodesScrollHorizontally)
{
    HWND plain = Keep(MakeRecorder("FerrowinRecorder", WS_HSCROLL, 100, 100, 300, 200, nullptr));
    HoldCode(plain, 2, POINT{250, 180}, 300);
    // The repeat went on up to the release, no faster than its timer, and ended with it.
    ExpectSequence({plain}, Held({Scrolls(SB_LINERIGHT)}, Button(WM_MBUTTONUP)));
    size_t steps = CountOf(g_messageLog.Sequence({plain}), WM_HSCROLL);
    EXPECT_GE(steps, 2u);
    EXPECT_LE(steps, 9u);
    DestroyWindow(plain);

    HWND withBars = Keep(MakeRecorder("FerrowinRecorder", 0, 100, 100, 300, 200, nullptr));
    HWND hidden = MakeScrollBar(withBars, false, false, 0, 150, 280, 20);
    HWND horizontal = MakeScrollBar(withBars, false, true, 0, 180, 280, 20);
    HWND vertical = MakeScrollBar(withBars, true, true, 280, 0, 20, 180);
    ASSERT_TRUE(hidden && horizontal && vertical);
    HoldCode(withBars, 1, POINT{200, 180}, 200);
    ExpectSequence({withBars}, Held({Scrolls(SB_LINELEFT, horizontal)}, Button(WM_MBUTTONUP)));
}

namespace {

// A scroll-right press handled by the hook procedure on a thread of its own, which then keeps pumping and
// counts its thread timers: before the main thread's press, and after it.
struct OtherThreadPress {
    HOOKPROC procedure;
    POINT at;
    HANDLE pressed = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE secondPress = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    int timersBefore = 0;
    int timersAfter = 0;

    ~OtherThreadPress()
    {
        CloseHandle(pressed);
        CloseHandle(secondPress);
    }

    static DWORD WINAPI Run(void* parameter)
    {
        OtherThreadPress* self = static_cast<OtherThreadPress*>(parameter);
        MOUSEHOOKSTRUCT record = {};
        record.pt = self->at;
        record.hwnd = WindowFromPoint(self->at);
        record.wHitTestCode = HTCLIENT;
        record.dwExtraInfo = 2;
        self->procedure(HC_ACTION, WM_MBUTTONDOWN, reinterpret_cast<LPARAM>(&record));
        SetEvent(self->pressed);
        PumpUntil([self] { return WaitForSingleObject(self->secondPress, 0) == WAIT_OBJECT_0; }, 3000);
        // Only now count: what fires from here on is this thread's timer outliving the other press.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Pump(400, &self->timersAfter);
        return 0;
    }
};

}  // namespace

TEST_F(Win98, PressOnAnotherThreadEndsTheEarlierThreadsRepeat)
{
    HWND target = Keep(MakeRecorder("FerrowinRecorder", WS_HSCROLL, 100, 100, 300, 200, nullptr));
    POINT at = {250, 180};
    OtherThreadPress other;
    other.procedure = hoppet.MouseHookProc;
    other.at = at;
    HANDLE thread = CreateThread(nullptr, 0, OtherThreadPress::Run, &other, 0, nullptr);
    ASSERT_TRUE(thread);
    ASSERT_TRUE(PumpUntil([&] { return WaitForSingleObject(other.pressed, 0) == WAIT_OBJECT_0; }, 3000));
    ASSERT_TRUE(PumpUntil([&] { return CountOf(g_messageLog.Sequence({target}), WM_HSCROLL) >= 2; }, 1000))
        << "the repeat of the first press did not run";

    // The second press, on this thread, replaces the repeat: one timer ticks from now on, not two.
    EXPECT_EQ(1, CallHook(WM_MBUTTONDOWN, at, 2));
    SetEvent(other.secondPress);
    int timers = 0;
    Pump(400, &timers);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 3000));
    CloseHandle(thread);
    EXPECT_LE(other.timersAfter, 1) << "the first press's timer kept running beside the second one";
    EXPECT_GE(timers, 2) << "the second press's repeat did not run";

    CallHook(WM_MBUTTONUP, at);
    timers = 0;
    Pump(120, &timers);
    EXPECT_EQ(0, timers);
}

TEST_F(Win98, SettingsFileDecides)
{
    HWND target = Keep(MakeRecorder("FerrowinRecorder", WS_HSCROLL, 100, 100, 300, 200, nullptr));
    POINT at = {250, 180};
    const std::vector<ExpectedMessage> passedOn = Held({Button(WM_MBUTTONDOWN)}, Button(WM_MBUTTONUP));
    ASSERT_TRUE(settings.WriteFile(1, 0));
    HoldCode(target, 1, at, 150);
    ExpectSequence({target}, passedOn);

    settings.RemoveFile();
    HoldCode(target, 1, at, 150);
    ExpectSequence({target}, Held({}, Button(WM_MBUTTONUP)));

    // The middle button itself and unknown codes are ordinary presses.
    const ULONG_PTR ordinary[] = {4, 0, 3, 0x10000};
    for (ULONG_PTR code : ordinary) {
        HoldCode(target, code, at, 50);
        ExpectSequence({target}, passedOn);
    }
}

TEST_F(Win98, ScrollCodesTurnTheWheelWithThirtyLines)
{
    HWND target = Keep(MakeRecorder("FerrowinRecorder", 0, 100, 100, 300, 200, nullptr));
    SetForegroundWindow(target);
    SetFocus(target);
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0));
    const struct { ULONG_PTR code; short delta; } cases[] = {{8, WHEEL_DELTA}, {16, -WHEEL_DELTA}};
    for (const auto& c : cases) {
        HoldCode(target, c.code, POINT{250, 180}, 50);
        ExpectedMessage wheel = {WM_MOUSEWHEEL, posted | wparam, MAKEWPARAM(0, c.delta), 0, 0xFFFF0000};
        ExpectSequence({target}, Held({wheel}, Button(WM_MBUTTONUP)));
        UINT lines = 0;
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        EXPECT_EQ(30u, lines);
        SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
    }
}

TEST_F(Win98, OutsidePressClosesThePad)
{
    HWND background = Keep(MakeRecorder("FerrowinRecorder", 0, 300, 200, 400, 400, nullptr));
    HWND pad = Keep(MakeRecorder("FerrowinRecorder", 0, 400, 300, 100, 100, nullptr));
    SetRoundMap(pad);

    // The system's point-in-rectangle rule: left and top edges inside, right and bottom edges outside.
    const struct { UINT message; POINT at; bool closes; } cases[] = {
        {WM_LBUTTONDOWN, {400, 300}, false},   {WM_LBUTTONDOWN, {499, 399}, false},
        {WM_LBUTTONDOWN, {500, 350}, true},    {WM_LBUTTONDOWN, {450, 400}, true},
        {WM_LBUTTONDOWN, {399, 350}, true},    {WM_NCLBUTTONDOWN, {450, 299}, true},
        {WM_RBUTTONDOWN, {450, 350}, false},   {WM_RBUTTONDOWN, {650, 550}, true},
        {WM_NCRBUTTONDOWN, {10, 10}, true},    {WM_LBUTTONUP, {650, 550}, false},
        {WM_MBUTTONDOWN, {650, 550}, false},   {WM_RBUTTONDBLCLK, {650, 550}, false},
    };
    for (const auto& c : cases) {
        SetFocus(background);
        Drain();
        g_messageLog.Clear();
        // The press itself always goes on (no further hook: CallNextHookEx gives 0).
        EXPECT_EQ(0, CallHook(c.message, c.at, 4));
        Drain();
        std::vector<ExpectedMessage> expected = Pointer();
        if (c.closes)
            expected.push_back(Posted(g_closeQuimbel, 4, 0));
        ExpectSequence({pad}, expected);
        EXPECT_EQ(c.closes ? nullptr : background, GetFocus()) << "at " << c.at.x << "," << c.at.y;
    }

    // No pad, or a pad whose window has gone: nothing is posted.
    HWND gone = MakeRecorder("FerrowinRecorder", 0, 400, 300, 100, 100, nullptr);
    DestroyWindow(gone);
    Drain();
    g_messageLog.Clear();
    SetRoundMap(nullptr);
    CallHook(WM_LBUTTONDOWN, POINT{650, 550});
    SetRoundMap(gone);
    CallHook(WM_LBUTTONDOWN, POINT{650, 550});
    Drain();
    ExpectSequence({pad, gone}, Pointer());

    // A real press beside the pad, then one on it.
    SetRoundMap(pad);
    ASSERT_TRUE(MoveCursor(POINT{350, 250}));
    Drain();
    g_messageLog.Clear();
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([=] { return Seen(background, WM_LBUTTONUP); }, 3000));
    Drain();
    ExpectSequence({pad}, Rows({Pointer(), {Posted(g_closeQuimbel, 4, 0)}}));
    ASSERT_TRUE(MoveCursor(POINT{450, 350}));
    Drain();
    g_messageLog.Clear();
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    // The background, in front by now, takes the press: the pad is not closed for a press inside it.
    EXPECT_TRUE(PumpUntil([=] { return Seen(background, WM_LBUTTONUP) || Seen(pad, WM_LBUTTONUP); }, 3000));
    Drain();
    ExpectSequence({pad, background}, Held({Button(WM_LBUTTONDOWN)}, Button(WM_LBUTTONUP)));
}

TEST_F(Win98, DirectCallsWithEveryMessage)
{
    HWND target = Keep(MakeRecorder("FerrowinRecorder", WS_HSCROLL, 100, 100, 300, 200, nullptr));
    HWND pad = Keep(MakeRecorder("FerrowinRecorder", 0, 150, 150, 50, 50, nullptr));
    HWND gone = MakeRecorder("FerrowinRecorder", 0, 0, 0, 10, 10, nullptr);
    DestroyWindow(gone);
    std::mt19937 random(4242);
    const ULONG_PTR codes[] = {0, 1, 2, 4, 8, 16};
    const HWND roundMaps[] = {nullptr, pad, gone};
    for (HWND roundMap : roundMaps) {
        SetRoundMap(roundMap);
        const int hookCodes[] = {HC_ACTION, HC_NOREMOVE, -1, -7};
        for (int hookCode : hookCodes) {
            for (UINT message = 0; message <= 0x3FF; ++message) {
                MOUSEHOOKSTRUCT record;
                record.pt.x = 100 + static_cast<LONG>(random() % 300);
                record.pt.y = 100 + static_cast<LONG>(random() % 200);
                record.hwnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(random()));
                record.wHitTestCode = random();
                DWORD pick = random() % 7;
                record.dwExtraInfo = pick < 6 ? codes[pick] : (static_cast<ULONG_PTR>(random()) << 16) ^ random();
                hoppet.MouseHookProc(hookCode, message, reinterpret_cast<LPARAM>(&record));
            }
        }
        Pump(120);
        size_t released = g_messageLog.Size();
        CallHook(WM_MBUTTONUP, POINT{200, 200});
        int timers = 0;
        Pump(200, &timers);
        EXPECT_EQ(0, timers);
        EXPECT_TRUE(SameSequence(Rows({Pointer(), {HandBack()}}), g_messageLog.Sequence({target}, released)));
        g_messageLog.Clear();
    }
}

}

namespace {

// Started by PerProcessMode.HookRunsInTheProcessUnderTheCursor, which owns the target window and pumps.
TEST(Win98Remote, PressOverAnotherProcessWindow)
{
    if (!IsWindows98() || !GetEnvironmentVariableA("FERROWIN_REMOTE_TARGET", nullptr, 0))
        GTEST_SKIP() << "runs in the Windows 98 helper only, started for a target of the starting process";
    Hoppet hoppet;
    ASSERT_TRUE(hoppet.Load());
    HWND target = FindWindowA("FerrowinRecorder", "ferrowin remote target");
    ASSERT_NE(nullptr, target);
    DWORD owner = 0;
    GetWindowThreadProcessId(target, &owner);
    ASSERT_NE(GetCurrentProcessId(), owner);
    RECT area;
    ASSERT_TRUE(GetWindowRect(target, &area));
    // The target's process says when the repeat has reached it and when the release has.
    char tag[32] = "";
    GetEnvironmentVariableA("FERROWIN_REMOTE_TARGET", tag, sizeof tag);
    HANDLE scrolled = OpenEventA(SYNCHRONIZE, FALSE, (std::string("FerrowinRemoteScrolled") + tag).c_str());
    HANDLE released = OpenEventA(SYNCHRONIZE, FALSE, (std::string("FerrowinRemoteReleased") + tag).c_str());
    ASSERT_TRUE(scrolled && released);
    ASSERT_EQ(1, hoppet.StartHook(nullptr));
    ASSERT_TRUE(MoveCursor(POINT{(area.left + area.right) / 2, (area.top + area.bottom) / 2}));
    SendMouse(MOUSEEVENTF_MIDDLEDOWN, 0, 2);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(scrolled, 5000 * LaneFactor())) << "the repeat never reached the target";
    SendMouse(MOUSEEVENTF_MIDDLEUP, 0, 2);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(released, 5000 * LaneFactor())) << "the release never reached the target";
    EXPECT_EQ(1, hoppet.StopHook());
    CloseHandle(scrolled);
    CloseHandle(released);
}

}

namespace {

// Started by PerProcessMode.LibraryLeavesAProcessWithARepeatRunning: the library is freed while its repeat
// timer runs in this process (as when the hook is removed while a side button is held).
// A repeat running on a thread of its own, which keeps pumping, while the hook owner removes the hook and
// unloads the library on another one.
struct RepeatThread {
    HOOKPROC procedure;
    HANDLE unloaded;          // set by the test once the library has left, or when it gives up waiting
    HANDLE scrolling;         // set by the thread once its repeat has posted, or when it gives up waiting
    bool scrolled = false;
    int timersAfter = -1;     // repeat timers that fired once the library had left
    bool releaseFirst = false;   // the thread releases, presses and releases again, and ends before the unload
};

DWORD WINAPI RunRepeat(LPVOID parameter)
{
    RepeatThread* run = static_cast<RepeatThread*>(parameter);
    HWND target = MakeRecorder("FerrowinRecorder", WS_HSCROLL, 100, 100, 300, 200, nullptr);
    MSLLHOOKSTRUCT record = {};
    record.pt = POINT{250, 180};
    record.mouseData = XBUTTON2 << 16;
    if (target && run->procedure(HC_ACTION, WM_XBUTTONDOWN, reinterpret_cast<LPARAM>(&record)) == 1)
        run->scrolled = PumpUntil([target] { return Seen(target, WM_HSCROLL); }, 5000);
    if (run->releaseFirst) {
        const WPARAM buttons[] = {WM_XBUTTONUP, WM_XBUTTONDOWN, WM_XBUTTONUP};
        for (WPARAM button : buttons)
            run->procedure(HC_ACTION, button, reinterpret_cast<LPARAM>(&record));
        DestroyWindow(target);
        SetEvent(run->scrolling);
        return 0;
    }
    SetEvent(run->scrolling);
    PumpUntil([run] { return WaitForSingleObject(run->unloaded, 0) == WAIT_OBJECT_0; }, 10000);
    int timers = 0;
    Pump(200, &timers);
    run->timersAfter = timers;
    DestroyWindow(target);
    return 0;
}

// The repeat's timer keeps the library in the process until the repeat has ended (a timer left behind
// would call into unmapped code); then the library leaves and nothing calls into it any more.
void UnloadWithRepeat(bool releaseFirst, bool stopHook)
{
    SettingsFolder settings;
    ASSERT_TRUE(settings.Ready());
    ASSERT_TRUE(settings.WriteFile(0, 0));
    ASSERT_TRUE(RegisterRecorderClasses());
    ASSERT_EQ(nullptr, GetModuleHandleA("hoppet.dll"));
    Hoppet hoppet;
    ASSERT_TRUE(hoppet.Load());

    // Owned by the thread if it cannot be joined in time.
    RepeatThread* run = new RepeatThread{hoppet.LowLevelMousePProc, CreateEventA(nullptr, TRUE, FALSE, nullptr),
                                         CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    run->releaseFirst = releaseFirst;
    HANDLE thread = CreateThread(nullptr, 0, RunRepeat, run, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    WaitForSingleObject(run->scrolling, 10000);
    if (stopHook)
        hoppet.StopHook();
    FreeLibrary(hoppet.module);
    // Without StopHook the library's hold goes only after a pause without presses (a few seconds).
    DWORD bound = 5000 * (stopHook ? 1 : 3) * LaneFactor();
    bool left = PumpUntil([] { return GetModuleHandleA("hoppet.dll") == nullptr; }, bound);
    SetEvent(run->unloaded);
    bool joined = WaitForSingleObject(thread, 20000) == WAIT_OBJECT_0;
    CloseHandle(thread);
    ASSERT_TRUE(joined) << "the repeat thread did not end";
    EXPECT_TRUE(run->scrolled) << "the repeat did not run";
    EXPECT_TRUE(left) << "the library did not leave once the hook was removed";
    if (!releaseFirst) {
        EXPECT_EQ(0, run->timersAfter) << "a repeat timer outlived the library";
    }
    CloseHandle(run->unloaded);
    CloseHandle(run->scrolling);
    delete run;
}

TEST(Win98Unload, RepeatOnAnotherThreadWhenTheOwnerUnloads)
{
    if (!IsWindows98() || !GetEnvironmentVariableA("FERROWIN_UNLOAD_CASE", nullptr, 0))
        GTEST_SKIP() << "runs in the Windows 98 helper only, started for the unload case";
    UnloadWithRepeat(false, true);
}

// The repeat has ended and its thread with it: the library still leaves, whether the owner stopped the
// hook or only let go of the library.
TEST(Win98Unload, RepeatEndedBeforeTheOwnerUnloads)
{
    if (!IsWindows98() || !GetEnvironmentVariableA("FERROWIN_UNLOAD_CASE", nullptr, 0))
        GTEST_SKIP() << "runs in the Windows 98 helper only, started for the unload case";
    for (bool stopHook : {true, false}) {
        SCOPED_TRACE(stopHook ? "StopHook, then FreeLibrary" : "FreeLibrary only");
        UnloadWithRepeat(true, stopHook);
    }
}

}
