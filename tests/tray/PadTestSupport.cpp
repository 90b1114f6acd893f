#include "tests/tray/PadTestSupport.h"
#include <math.h>
#include <stdio.h>
#include <string.h>
#include "shared/MouseProtocol.h"
#include "tests/support/PixelRegion.h"
#include "shared/SharedMemory.h"
#include "tests/support/HeldInput.h"
#include "tray/MainFrame.h"
#include "tray/PadLauncher.h"
#include "tray/RoundMapDlg.h"
#include "tray/TrayGlobals.h"
#include "tray/resource.h"

void EnsureBlock()
{
    if (!g_sharedState)
        g_sharedState = OpenMouseStateBlock();
    ASSERT_TRUE(g_sharedState && g_sharedState->IsReady());
}

DWORD ReadRoundMap()
{
    DWORD value = 0xFFFFFFFF, length = sizeof value;
    if (!g_sharedState || !g_sharedState->ReadItem(itemRoundMap, &value, &length))
        return 0xFFFFFFFF;
    return value;
}

void WritePosition(LONG x, LONG y)
{
    LONG point[2] = {x, y};
    g_sharedState->WriteItem(itemMousePosition, point, sizeof point);
}

void WriteOwner(DWORD owner)
{
    g_sharedState->WriteItem(itemMouseOwner, &owner, sizeof owner);
}

size_t KeysSeen(HWND target)
{
    std::vector<LoggedMessage> seen = g_messageLog.Sequence({target});
    return CountOf(seen, WM_KEYDOWN) + CountOf(seen, WM_KEYUP) + CountOf(seen, WM_SYSKEYDOWN) +
           CountOf(seen, WM_SYSKEYUP);
}

static LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_messageLog.Record(window, message, wParam, lParam);
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        return 0;
    case WM_SYSCHAR:
    case WM_CHAR:
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU)
            return 0;
        break;
    case WM_ERASEBKGND: {
        RECT rect;
        GetClientRect(window, &rect);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtr(window, GWLP_USERDATA)));
        FillRect(reinterpret_cast<HDC>(wParam), &rect, brush);
        DeleteObject(brush);
        return 1;
    }
    }
    return DefaultRecorded(window, message, wParam, lParam);
}

HWND CreateTargetWindow(int x, int y, int width, int height, COLORREF colour)
{
    static ATOM atom = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = TargetProc;
        windowClass.hInstance = GetModuleHandle(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = "PadTestTarget";
        return RegisterClassA(&windowClass);
    }();
    if (!atom || !MessageLog::WatchQueue())
        return nullptr;
    HWND window = CreateWindowExA(0, "PadTestTarget", "pad test target", WS_POPUP, x, y, width, height, nullptr,
                                  nullptr, GetModuleHandle(nullptr), nullptr);
    if (window) {
        SetWindowLongPtr(window, GWLP_USERDATA, colour);
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return window;
}

bool BringToFront(HWND window)
{
    SetForegroundWindow(window);
    SetFocus(window);
    return PumpUntil([window] { return GetForegroundWindow() == window; }, 2000);
}

// The recorder's state, used by the hook procedures on the recorder's thread.
static CRITICAL_SECTION recorderLock;
static std::vector<InputEvent> recorded;
static HWND recorderExpected;

static HWND WaitForExpectedForeground()
{
    for (int i = 0; i < 200 && GetForegroundWindow() != recorderExpected; i++)
        Sleep(5);
    return GetForegroundWindow();
}

static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && (key->flags & LLKHF_INJECTED)) {
        HWND foreground = WaitForExpectedForeground();
        EnterCriticalSection(&recorderLock);
        recorded.push_back({key->vkCode, key->scanCode, (key->flags & LLKHF_UP) != 0, foreground, {0, 0}});
        LeaveCriticalSection(&recorderLock);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    const MSLLHOOKSTRUCT* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && (wParam == WM_MBUTTONDOWN || wParam == WM_MBUTTONUP)) {
        EnterCriticalSection(&recorderLock);
        recorded.push_back({static_cast<DWORD>(wParam), 0, wParam == WM_MBUTTONUP, GetForegroundWindow(), mouse->pt});
        LeaveCriticalSection(&recorderLock);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

InputRecorder::InputRecorder(HWND expected) : thread(Run, Quit), started(false)
{
    static BOOL initialised = [] { InitializeCriticalSection(&recorderLock); return TRUE; }();
    (void)initialised;
    recorded.clear();
    recorderExpected = expected;
    started = thread.Started() && WaitForSingleObject(thread.data->ready, 5000) == WAIT_OBJECT_0 &&
              thread.data->installed;
}

DWORD InputRecorder::Run(Hooks& hooks)
{
    HHOOK keyboard = SetWindowsHookEx(WH_KEYBOARD_LL, KeyboardProc, GetModuleHandle(nullptr), 0);
    HHOOK mouse = SetWindowsHookEx(WH_MOUSE_LL, MouseProc, GetModuleHandle(nullptr), 0);
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);
    hooks.threadId = GetCurrentThreadId();
    hooks.installed = keyboard && mouse;
    SetEvent(hooks.ready);
    while (GetMessage(&msg, nullptr, 0, 0) > 0)
        DispatchMessage(&msg);
    if (keyboard)
        UnhookWindowsHookEx(keyboard);
    if (mouse)
        UnhookWindowsHookEx(mouse);
    return 0;
}

// The thread's queue exists once it is ready; a thread not ready by then is left to end with the process.
void InputRecorder::Quit(Hooks& hooks)
{
    if (WaitForSingleObject(hooks.ready, 5000) == WAIT_OBJECT_0)
        PostThreadMessage(hooks.threadId, WM_QUIT, 0, 0);
}

std::vector<InputEvent> InputRecorder::Events()
{
    EnterCriticalSection(&recorderLock);
    std::vector<InputEvent> copy = recorded;
    LeaveCriticalSection(&recorderLock);
    return copy;
}

std::string DescribeKeys(const std::vector<InputEvent>& events)
{
    std::string text;
    char line[128];
    for (const InputEvent& e : events) {
        snprintf(line, sizeof line, "  code 0x%02lx scan 0x%02lx %s foreground %p at %ld,%ld\n", e.code, e.scan,
                 e.up ? "up  " : "down", static_cast<void*>(e.foreground), e.point.x, e.point.y);
        text += line;
    }
    return text;
}

std::vector<DWORD> BitmapPixels(UINT id, int* width, int* height)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImage(GetModuleHandle(nullptr), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info = {};
    if (!bitmap || !GetObject(bitmap, sizeof info, &info)) {
        *width = *height = 0;
        return {};
    }
    *width = info.bmWidth;
    *height = info.bmHeight;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::vector<DWORD> pixels = ReadPixels(dc, 0, 0, info.bmWidth, info.bmHeight);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return pixels;
}

POINT SegmentPoint(int i)
{
    if (i == 8)
        return POINT{82, 82};
    double angle = (-112.5 + 45.0 * i) * 3.14159265358979 / 180.0;
    return POINT{static_cast<LONG>(82.5 + 40.0 * cos(angle)), static_cast<LONG>(82.5 + 40.0 * sin(angle))};
}

HWND PadWindow()
{
    return g_padDialog ? g_padDialog->hwnd : nullptr;
}

int CountPadWindows()
{
    struct Counter {
        static BOOL CALLBACK Visit(HWND window, LPARAM count)
        {
            char name[32];
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && GetClassName(window, name, sizeof name) &&
                strcmp(name, "#32770") == 0 && GetDlgItem(window, IDC_CENTRE))
                ++*reinterpret_cast<int*>(count);
            return TRUE;
        }
    };
    int count = 0;
    EnumWindows(Counter::Visit, reinterpret_cast<LPARAM>(&count));
    return count;
}

void PadTest::SetUp()
{
    ReleaseHeldInput();
    EnsureBlock();
    WriteOwner(0);
    SetCursorPos(1, 1);
    target = CreateTargetWindow(250, 150, 500, 400, RGB(255, 0, 255));
    ASSERT_TRUE(target);
    frame = new CMainFrame;
    // The launcher's watchdog timer goes to the target window (the frame has no window here).
    frame->hwnd = target;
    g_messageLog.Clear();
}

void PadTest::TearDown()
{
    DeleteFrame();
    DestroyWindow(target);
    Pump(20);
}

void PadTest::DeleteFrame()
{
    if (!frame)
        return;
    frame->PadLauncher().Release();
    frame->hwnd = nullptr;
    delete frame;
    frame = nullptr;
}

HWND PadTest::Open(LONG x, LONG y)
{
    WritePosition(x, y);
    frame->PadLauncher().OpenOrMove();
    bool up = PumpUntil([] {
        HWND pad = PadWindow();
        return pad && IsWindowVisible(pad) && ReadRoundMap() == HandleToUlong(pad);
    }, 3000);
    EXPECT_TRUE(up) << "the pad did not open";
    Pump(50);
    return up ? PadWindow() : nullptr;
}

bool PadTest::WaitClosed(HWND pad)
{
    return PumpUntil([pad] { return g_padDialog == nullptr && !IsWindow(pad); }, 3000);
}
