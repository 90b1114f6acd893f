// padkeys.exe LOGFILE: a window that lists every key message it receives and appends each to LOGFILE
// (demo of the navigation pad's commands, which type into the window that was in front). It writes
// "ready" when its window is up and ends on WM_CLOSE.
//
// Wine completes SetForegroundWindow for another thread's window asynchronously, so keys synthesised right
// after it can still reach the old focus. A low-level keyboard hook therefore holds each injected key (at
// most a second) until this window is in front, as a test would.
#include <windows.h>
#include <stdio.h>
#include <string.h>

static char logPath[MAX_PATH];
static HWND mainWindow;
static char lines[16][64];
static int lineCount;

static void Log(const char* text)
{
    FILE* file = fopen(logPath, "a");
    if (file) {
        fprintf(file, "%s\n", text);
        fclose(file);
    }
}

static const char* KeyName(WPARAM key)
{
    static char name[8];
    switch (key) {
    case VK_CONTROL: return "Ctrl";
    case VK_MENU: return "Alt";
    case VK_SHIFT: return "Shift";
    case VK_ESCAPE: return "Esc";
    }
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        snprintf(name, sizeof name, "%c", static_cast<char>(key));
        return name;
    }
    snprintf(name, sizeof name, "0x%02X", static_cast<unsigned>(key & 0xFF));
    return name;
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const char* kind = nullptr;
    switch (message) {
    case WM_KEYDOWN: kind = "WM_KEYDOWN"; break;
    case WM_KEYUP: kind = "WM_KEYUP"; break;
    case WM_SYSKEYDOWN: kind = "WM_SYSKEYDOWN"; break;
    case WM_SYSKEYUP: kind = "WM_SYSKEYUP"; break;
    case WM_SYSCHAR:
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU)
            return 0;
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        TextOutA(dc, 8, 8, "Keys received:", 14);
        for (int i = 0; i < lineCount; i++)
            TextOutA(dc, 8, 28 + 16 * i, lines[i], static_cast<int>(strlen(lines[i])));
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    if (!kind)
        return DefWindowProcA(window, message, wParam, lParam);
    char line[64];
    snprintf(line, sizeof line, "%-14s %-5s (vk 0x%02X, scan 0x%02X)", kind, KeyName(wParam),
             static_cast<unsigned>(wParam & 0xFF), static_cast<unsigned>((lParam >> 16) & 0xFF));
    Log(line);
    if (lineCount == 16) {
        memmove(lines[0], lines[1], sizeof lines - sizeof lines[0]);
        lineCount--;
    }
    snprintf(lines[lineCount++], sizeof lines[0], "%s", line);
    InvalidateRect(window, nullptr, TRUE);
    return 0;
}

static LRESULT CALLBACK HoldKeys(int code, WPARAM wParam, LPARAM lParam)
{
    const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && (key->flags & LLKHF_INJECTED))
        for (int i = 0; i < 200 && GetForegroundWindow() != mainWindow; i++)
            Sleep(5);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

static DWORD WINAPI HookThread(void*)
{
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, HoldKeys, GetModuleHandleA(nullptr), 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    if (hook)
        UnhookWindowsHookEx(hook);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    snprintf(logPath, sizeof logPath, "%s", commandLine && *commandLine ? commandLine : "padkeys.log");
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "PadKeysDemo";
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowA("PadKeysDemo", "Pad demo keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 620, 420,
                                nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    mainWindow = window;
    DWORD hookThreadId = 0;
    HANDLE hookThread = CreateThread(nullptr, 0, HookThread, nullptr, 0, &hookThreadId);
    SetForegroundWindow(window);
    Log("ready");
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (hookThread) {
        PostThreadMessageA(hookThreadId, WM_QUIT, 0, 0);
        WaitForSingleObject(hookThread, 2000);
        CloseHandle(hookThread);
    }
    return 0;
}
