// Stand-in for the mouse property program "PLINDOR.EXE": a top-level window titled "Plindor" that runs
// until it is closed or told to end. Tests and the demo drive it:
//   - WM_CLOSE ends it with exit code 0;
//   - the registered message "Plindor exit" ends it with exit code wParam;
//   - "/exit-after MS [/code C]" on the command line ends it after MS milliseconds with code C.
// A copy started while a window titled "Plindor" exists ends at once with code 0. Every start and end is
// appended to plindor.log next to the program.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define WINDOW_TITLE "Plindor"
#define WINDOW_CLASS "PlindorStandIn"
#define EXIT_MESSAGE "Plindor exit"

static UINT exitMessage;
static int exitCode;

static void Log(const char* format, ...)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;
    char* slash = strrchr(path, '\\');
    if (!slash || static_cast<size_t>(slash - path) + sizeof "\\plindor.log" > sizeof path)
        return;
    strcpy(slash, "\\plindor.log");

    char line[256];
    va_list args;
    va_start(args, format);
    int written = vsnprintf(line, sizeof line - 2, format, args);
    va_end(args);
    if (written < 0)
        return;
    size_t used = strlen(line);
    line[used++] = '\r';
    line[used++] = '\n';

    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD done = 0;
    WriteFile(file, line, static_cast<DWORD>(used), &done, nullptr);
    CloseHandle(file);
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != 0 && message == exitMessage) {
        exitCode = static_cast<int>(wParam);
        DestroyWindow(window);
        return 0;
    }
    switch (message) {
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(exitCode);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        const char text[] = "Mouse properties (stand-in)";
        TextOutA(dc, 10, 10, text, sizeof text - 1);
        EndPaint(window, &paint);
        return 0;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The number after option in the command line, or fallback.
static long OptionValue(const char* commandLine, const char* option, long fallback)
{
    const char* found = strstr(commandLine, option);
    if (!found)
        return fallback;
    return strtol(found + strlen(option), nullptr, 10);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    if (FindWindowA(nullptr, WINDOW_TITLE)) {
        Log("second copy %lu in %s", GetCurrentProcessId(), folder);
        return 0;
    }
    Log("start %lu in %s", GetCurrentProcessId(), folder);

    exitMessage = RegisterWindowMessageA(EXIT_MESSAGE);
    long exitAfter = OptionValue(commandLine, "/exit-after ", -1);
    exitCode = static_cast<int>(OptionValue(commandLine, "/code ", 0));

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = WINDOW_CLASS;
    if (!RegisterClassA(&windowClass))
        return 2;
    HWND window = CreateWindowExA(0, WINDOW_CLASS, WINDOW_TITLE, WS_OVERLAPPEDWINDOW, 600, 40, 300, 120, nullptr,
                                  nullptr, instance, nullptr);
    if (!window)
        return 3;
    ShowWindow(window, showCommand == SW_HIDE ? SW_HIDE : SW_SHOWNOACTIVATE);
    if (exitAfter >= 0)
        SetTimer(window, 1, static_cast<UINT>(exitAfter), nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Log("exit %lu code %d", GetCurrentProcessId(), static_cast<int>(msg.wParam));
    return static_cast<int>(msg.wParam);
}
