#include "HookTestSupport.h"
#include <gtest/gtest.h>
#include <stdio.h>

std::vector<Seen> g_seen;
UINT g_closeQuimbel = 0;

namespace {

bool IsRecorded(UINT message)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_KEYUP:
        return true;
    default:
        return message != 0 && message == g_closeQuimbel;
    }
}

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsRecorded(message))
        g_seen.push_back({window, message, wParam, lParam, Now()});
    // Extended-button messages return TRUE when handled; the rest go to the default handling.
    if (message == WM_HSCROLL || message == g_closeQuimbel)
        return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

}

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
    const char* names[] = {"FerrowinRecorder", "Internet Explorer_Server"};
    for (const char* name : names) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecorderProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = name;
        if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return false;
    }
    return true;
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

std::string Describe(UINT message, WPARAM wParam, LPARAM lParam)
{
    const char* name = nullptr;
    switch (message) {
    case WM_HSCROLL: name = "WM_HSCROLL"; break;
    case WM_XBUTTONDOWN: name = "WM_XBUTTONDOWN"; break;
    case WM_XBUTTONUP: name = "WM_XBUTTONUP"; break;
    case WM_MBUTTONDOWN: name = "WM_MBUTTONDOWN"; break;
    case WM_MBUTTONUP: name = "WM_MBUTTONUP"; break;
    case WM_LBUTTONDOWN: name = "WM_LBUTTONDOWN"; break;
    case WM_RBUTTONDOWN: name = "WM_RBUTTONDOWN"; break;
    case WM_MOUSEWHEEL: name = "WM_MOUSEWHEEL"; break;
    case WM_KEYDOWN: name = "WM_KEYDOWN"; break;
    case WM_KEYUP: name = "WM_KEYUP"; break;
    default: break;
    }
    char text[128];
    if (message == g_closeQuimbel)
        name = "Close quimbel";
    if (name)
        snprintf(text, sizeof(text), "%s(%#llx, %#llx)", name, static_cast<unsigned long long>(wParam),
                 static_cast<unsigned long long>(lParam));
    else
        snprintf(text, sizeof(text), "message %#x(%#llx, %#llx)", message, static_cast<unsigned long long>(wParam),
                 static_cast<unsigned long long>(lParam));
    return text;
}

std::vector<std::string> Collapsed(HWND window, const std::vector<UINT>& messages)
{
    std::vector<std::string> result;
    for (const Seen& seen : g_seen) {
        if (seen.window != window)
            continue;
        bool wanted = false;
        for (UINT message : messages)
            wanted = wanted || message == seen.message;
        if (!wanted)
            continue;
        // Button messages carry key states and positions: only their kind (and which extended button) counts.
        std::string text;
        if (seen.message == WM_HSCROLL || seen.message == g_closeQuimbel)
            text = Describe(seen.message, seen.wParam, seen.lParam);
        else if (seen.message == WM_XBUTTONDOWN || seen.message == WM_XBUTTONUP)
            text = Describe(seen.message, HIWORD(seen.wParam), 0);
        else
            text = Describe(seen.message, 0, 0);
        if (result.empty() || result.back() != text)
            result.push_back(text);
    }
    return result;
}

std::vector<Seen> Only(HWND window, UINT message)
{
    std::vector<Seen> result;
    for (const Seen& seen : g_seen)
        if (seen.window == window && seen.message == message)
            result.push_back(seen);
    return result;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += "    " + line + "\n";
    return text;
}

void ExpectSequence(HWND window, const std::vector<UINT>& messages, const std::vector<std::string>& expected)
{
    std::vector<std::string> seen = Collapsed(window, messages);
    EXPECT_EQ(expected, seen) << "expected:\n" << JoinLines(expected) << "seen:\n" << JoinLines(seen);
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
