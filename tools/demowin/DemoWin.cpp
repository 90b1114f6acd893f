// Demo window with a horizontal scroll bar: shows its scroll position and logs every WM_HSCROLL it
// receives (request code and position) to the file named on its command line, so a demo can show what
// the side buttons did. "demowin.exe --no-scroll-bar LOG" opens a window without scroll bars instead,
// which logs the horizontal wheel input (WM_MOUSEHWHEEL) it receives.
#include <windows.h>
#include <stdio.h>
#include <string.h>

#define WINDOW_CLASS "FerrowinDemoWindow"
#define WINDOW_TITLE "Demo scroll window"
constexpr char wheelWindowTitle[] = "Demo wheel window";
constexpr char noScrollBarOption[] = "--no-scroll-bar ";
constexpr UINT mouseHorizontalWheel = 0x020E;   // WM_MOUSEHWHEEL, which the 4.0 headers do not name

static char logPath[MAX_PATH];
static int position = 50;
static int received = 0;
static bool g_wheelWindow = false;

static const char* RequestName(int request)
{
    switch (request) {
    case SB_LINELEFT: return "SB_LINELEFT";
    case SB_LINERIGHT: return "SB_LINERIGHT";
    case SB_PAGELEFT: return "SB_PAGELEFT";
    case SB_PAGERIGHT: return "SB_PAGERIGHT";
    case SB_THUMBPOSITION: return "SB_THUMBPOSITION";
    case SB_THUMBTRACK: return "SB_THUMBTRACK";
    case SB_ENDSCROLL: return "SB_ENDSCROLL";
    default: return "other";
    }
}

static void Log(const char* line)
{
    if (!logPath[0])
        return;
    FILE* file = fopen(logPath, "a");
    if (!file)
        return;
    fprintf(file, "%s\n", line);
    fclose(file);
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HSCROLL: {
        int request = LOWORD(wParam);
        if (request == SB_LINELEFT)
            position -= 1;
        else if (request == SB_LINERIGHT)
            position += 1;
        else if (request == SB_PAGELEFT)
            position -= 10;
        else if (request == SB_PAGERIGHT)
            position += 10;
        if (position < 0)
            position = 0;
        if (position > 100)
            position = 100;
        SetScrollPos(window, SB_HORZ, position, TRUE);
        received++;
        char line[96];
        snprintf(line, sizeof line, "WM_HSCROLL %s position %d", RequestName(request), position);
        Log(line);
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    }
    case mouseHorizontalWheel: {
        int delta = static_cast<short>(HIWORD(wParam));
        position += delta / WHEEL_DELTA;
        received++;
        char line[96];
        snprintf(line, sizeof line, "WM_MOUSEHWHEEL delta %d at %d,%d position %d", delta,
                 static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), position);
        Log(line);
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        char text[96];
        int length = snprintf(text, sizeof text, "%s received: %d   position: %d",
                              g_wheelWindow ? "WM_MOUSEHWHEEL" : "WM_HSCROLL", received, position);
        TextOutA(dc, 10, 10, text, length);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    if (commandLine && strncmp(commandLine, noScrollBarOption, sizeof noScrollBarOption - 1) == 0) {
        g_wheelWindow = true;
        commandLine += sizeof noScrollBarOption - 1;
    }
    if (commandLine && commandLine[0])
        lstrcpynA(logPath, commandLine, sizeof logPath);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = WINDOW_CLASS;
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = g_wheelWindow ? CreateWindowExA(0, WINDOW_CLASS, wheelWindowTitle, WS_OVERLAPPEDWINDOW, 200, 450,
                                                420, 200, nullptr, nullptr, instance, nullptr)
                              : CreateWindowExA(0, WINDOW_CLASS, WINDOW_TITLE, WS_OVERLAPPEDWINDOW | WS_HSCROLL, 200,
                                                200, 420, 200, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 2;
    if (!g_wheelWindow) {
        SetScrollRange(window, SB_HORZ, 0, 100, FALSE);
        SetScrollPos(window, SB_HORZ, position, FALSE);
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    Log("ready");

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
