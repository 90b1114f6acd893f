#include "tests/hook/HookTestSupport.h"
#include <gtest/gtest.h>

UINT g_closeQuimbel = 0;

bool Hoppet::Load()
{
    module = LoadLibraryA("hoppet.dll");
    if (!module)
        return false;
    StartHook = reinterpret_cast<StartHookProc>(GetProcAddress(module, "StartHook"));
    StopHook = reinterpret_cast<StopHookProc>(GetProcAddress(module, "StopHook"));
    MouseHookProc = reinterpret_cast<HOOKPROC>(GetProcAddress(module, "?MouseHookProc@@YGJHIJ@Z"));
    LowLevelMousePProc = reinterpret_cast<HOOKPROC>(GetProcAddress(module, "_LowLevelMousePProc@12"));
    return StartHook && StopHook && MouseHookProc && LowLevelMousePProc;
}

bool RegisterRecorderClasses()
{
    g_closeQuimbel = RegisterWindowMessageA("Close quimbel");
    return RegisterRecordingClass("FerrowinRecorder") && RegisterRecordingClass("Internet Explorer_Server");
}

HWND MakeRecorder(const char* className, DWORD style, int x, int y, int width, int height, HWND parent)
{
    DWORD kind = parent ? WS_CHILD : WS_POPUP;
    return CreateWindowExA(0, className, "recorder", kind | WS_VISIBLE | style, x, y, width, height, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HWND MakeScrollBar(HWND parent, bool vertical, bool visible, int x, int y, int width, int height)
{
    DWORD style = WS_CHILD | (visible ? WS_VISIBLE : 0) | (vertical ? SBS_VERT : SBS_HORZ);
    return CreateWindowExA(0, "ScrollBar", "", style, x, y, width, height, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

ExpectedMessage Scrolls(WPARAM code, HWND bar)
{
    return {WM_HSCROLL, posted | wparam | lparam | repeated, code, reinterpret_cast<LPARAM>(bar)};
}

// Button messages carry key states and positions: only their kind and which extended button count.
ExpectedMessage Button(UINT message, WORD xButton)
{
    if (message == WM_XBUTTONDOWN || message == WM_XBUTTONUP)
        return {message, posted | wparam, MAKEWPARAM(0, xButton), 0, 0xFFFF0000};
    return {message, posted};
}

ExpectedMessage HandBack()
{
    return {WM_NULL, sent | wparam | lparam | anytime};
}

std::vector<ExpectedMessage> Held(std::vector<ExpectedMessage> during, ExpectedMessage release)
{
    return Rows({Pointer(), Pointer(), during, Pointer(), {release},
                 {{WM_APPCOMMAND, sent | defwinproc | optional | repeated}}, Pointer(), {HandBack()}});
}

void ExpectSequence(std::initializer_list<HWND> windows, const std::vector<ExpectedMessage>& expected)
{
    EXPECT_TRUE(SameSequence(expected, g_messageLog.Sequence(windows)));
}

bool RunHostCommand(const std::string& commandLine)
{
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void SendMouse(DWORD flags, DWORD data, ULONG_PTR extra)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    input.mi.dwExtraInfo = extra;
    SendInput(1, &input, sizeof(input));
}

bool MoveCursor(POINT at)
{
    SetCursorPos(at.x, at.y);
    return PumpUntil([at] {
        POINT now;
        return GetCursorPos(&now) && now.x == at.x && now.y == at.y;
    }, 2000);
}
