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

std::vector<std::string> Collapsed(HWND window, const std::vector<UINT>& messages)
{
    std::vector<std::string> result;
    for (const LoggedMessage& seen : g_messageLog.Of(window, messages)) {
        // Button messages carry key states and positions: only their kind (and which extended button) counts.
        std::string text;
        if (seen.message == WM_HSCROLL || seen.message == g_closeQuimbel)
            text = MessageText(seen.message, seen.wParam, seen.lParam);
        else if (seen.message == WM_XBUTTONDOWN || seen.message == WM_XBUTTONUP)
            text = MessageText(seen.message, HIWORD(seen.wParam), 0);
        else
            text = MessageText(seen.message, 0, 0);
        if (result.empty() || result.back() != text)
            result.push_back(text);
    }
    return result;
}

void ExpectSequence(HWND window, const std::vector<UINT>& messages, const std::vector<std::string>& expected)
{
    EXPECT_TRUE(SameRows(expected, Collapsed(window, messages)));
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
