#include "WizardDriver.h"
#include "LaneFactor.h"
#include "ChildProcess.h"
#include "MessagePump.h"
#include "PixelRegion.h"
#include <stdio.h>

namespace {

constexpr int idCancelSetup = 1010;
constexpr int idList = 1014;
constexpr int idRestartNow = 1016;
constexpr int idFolder = 1018;
constexpr int idBrowse = 1019;
constexpr int idWelcomeLast = 1009;

struct FindState {
    DWORD processId;
    HWND frame;
    HWND confirmation;
    const char* childClass;
    HWND withChild;
};

BOOL CALLBACK FindWindows(HWND window, LPARAM parameter)
{
    FindState* state = reinterpret_cast<FindState*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != state->processId || !IsWindowVisible(window))
        return TRUE;
    if (GetDlgItem(window, idCancelSetup))
        state->frame = window;
    else if (state->childClass && FindWindowExA(window, nullptr, state->childClass, nullptr))
        state->withChild = window;
    else if (GetDlgItem(window, IDOK) && GetDlgItem(window, IDCANCEL))
        state->confirmation = window;
    return TRUE;
}

FindState Find(DWORD processId, const char* childClass = nullptr)
{
    FindState state = {processId, nullptr, nullptr, childClass, nullptr};
    EnumWindows(FindWindows, reinterpret_cast<LPARAM>(&state));
    return state;
}

bool IsListBox(HWND window)
{
    char name[32] = "";
    GetClassNameA(window, name, sizeof(name));
    return lstrcmpiA(name, "ListBox") == 0;
}

void SendMouse(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

}

std::string LanguageText(const std::string& sourceDir, const char* extension, const char* section, const char* key)
{
    char text[260] = "";
    std::string path = sourceDir + "\\is-00001\\setuplan." + extension;
    GetPrivateProfileStringA(section, key, "", text, sizeof(text), path.c_str());
    return text;
}

WizardDriver::WizardDriver(const std::string& exe, const std::string& sourceDir)
    : process(nullptr), processId(0), startError(0), backdrop(nullptr), frame(nullptr)
{
    process = StartProgram(ProgramFolder() + exe, "\"" + sourceDir + "\"", nullptr, &processId);
    if (!process)
        startError = GetLastError();
}

WizardDriver::~WizardDriver()
{
    if (process)
        WaitExit(process, 1);
}

bool WizardDriver::WaitForWizard(DWORD timeout)
{
    bool found = PumpUntil(
        [&] {
            FindState state = Find(processId);
            if (!state.frame)
                return false;
            frame = state.frame;
            backdrop = GetWindow(frame, GW_OWNER);
            return backdrop && IsWindowVisible(backdrop) && CurrentPage() != nullptr;
        },
        timeout);
    return found;
}

DWORD WizardDriver::WaitForResult(DWORD timeout)
{
    if (!process)
        return 999;
    HANDLE ended = process;
    process = nullptr;
    DWORD result = 999;
    PumpUntil([&] { return WaitForSingleObject(ended, 0) == WAIT_OBJECT_0; }, timeout);
    result = WaitExit(ended, 1);
    return result;
}

HWND WizardDriver::CurrentPage() const
{
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = "";
        GetClassNameA(child, name, sizeof(name));
        if (strcmp(name, "#32770") == 0 && IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

PageKind WizardDriver::KindOf(HWND page)
{
    if (!page)
        return PageKind::none;
    if (GetDlgItem(page, idRestartNow))
        return PageKind::finish;
    if (GetDlgItem(page, idBrowse))
        return PageKind::destination;
    if (GetDlgItem(page, idFolder))
        return PageKind::programFolder;
    if (HWND list = GetDlgItem(page, idList))
        return IsListBox(list) ? PageKind::language : PageKind::readme;
    if (GetDlgItem(page, idWelcomeLast))
        return PageKind::welcome;
    return PageKind::ready;
}

bool WizardDriver::WaitForPage(PageKind kind, DWORD timeout) const
{
    return PumpUntil([&] { return CurrentKind() == kind; }, timeout);
}

HWND WizardDriver::Confirmation() const
{
    return Find(processId).confirmation;
}

HWND WizardDriver::ProgressDialog() const
{
    return Find(processId, "SysAnimate32").withChild;
}

HWND WizardDriver::FolderBrowser() const
{
    return Find(processId, "SysTreeView32").withChild;
}

HWND WizardDriver::Focus() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &info) ? info.hwndFocus : nullptr;
}

bool WizardDriver::WaitForConfirmation(DWORD timeout) const
{
    return PumpUntil([&] { return Confirmation() != nullptr; }, timeout);
}

void WizardDriver::Click(HWND button)
{
    PostMessageA(button, BM_CLICK, 0, 0);
}

void WizardDriver::MouseClickAt(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    // The click goes once the pointer is there and the window is what lies under it (a window of the
    // launcher may not be in place yet).
    PumpUntil([&] {
        POINT at;
        SetCursorPos(point.x, point.y);
        return GetCursorPos(&at) && at.x == point.x && at.y == point.y && WindowFromPoint(point) == window;
    }, 5000 * LaneFactor());
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void WizardDriver::MouseClick(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    MouseClickAt(window, client.right / 2, client.bottom / 2);
}

void WizardDriver::PressKey(BYTE key)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    Pump(10);
}

void WizardDriver::Type(const std::string& text)
{
    for (char c : text) {
        SHORT code = VkKeyScanA(c);
        bool shift = (code >> 8) & 1;
        if (shift)
            keybd_event(VK_SHIFT, 0, 0, 0);
        keybd_event(LOBYTE(code), 0, 0, 0);
        keybd_event(LOBYTE(code), 0, KEYEVENTF_KEYUP, 0);
        if (shift)
            keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
        Pump(5);
    }
}

std::string WizardDriver::Text(HWND window)
{
    char text[8192] = "";
    DWORD_PTR copied = 0;
    if (!window ||
        !SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             5000, &copied))
        return "";
    return std::string(text, copied);
}

std::vector<std::string> WizardDriver::ListItems(HWND list)
{
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    for (DWORD_PTR index = 0; index < count; ++index) {
        // Wide: Wine hands another process's list item back in UTF-16 even to the ANSI call.
        WCHAR wide[512] = L"";
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 5000, &length);
        char text[1024] = "";
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
        items.push_back(text);
    }
    return items;
}

// A 24-bit bottom-up BMP file, the form every viewer reads.
void SaveBitmap(const Screenshot& shot, const std::string& path)
{
    int stride = (shot.width * 3 + 3) & ~3;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = shot.width;
    header.biHeight = shot.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = static_cast<DWORD>(stride) * shot.height;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    FILE* out = fopen(path.c_str(), "wb");
    if (!out)
        return;
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&header, sizeof(header), 1, out);
    std::vector<BYTE> row(stride, 0);
    for (int y = shot.height - 1; y >= 0; --y) {
        for (int x = 0; x < shot.width; ++x) {
            DWORD pixel = shot.pixels[static_cast<size_t>(y) * shot.width + x];
            row[x * 3] = static_cast<BYTE>(pixel);
            row[x * 3 + 1] = static_cast<BYTE>(pixel >> 8);
            row[x * 3 + 2] = static_cast<BYTE>(pixel >> 16);
        }
        fwrite(row.data(), 1, row.size(), out);
    }
    fclose(out);
}

DWORD Screenshot::At(int screenX, int screenY) const
{
    int column = screenX - x, row = screenY - y;
    if (column < 0 || row < 0 || column >= width || row >= height)
        return 0xFFFFFFFF;
    return pixels[static_cast<size_t>(row) * width + column];
}

Screenshot CaptureScreen(const RECT& area, const std::string& path)
{
    Screenshot shot;
    shot.x = area.left;
    shot.y = area.top;
    shot.width = area.right - area.left;
    shot.height = area.bottom - area.top;
    if (shot.width <= 0 || shot.height <= 0)
        return shot;
    HDC screen = GetDC(nullptr);
    shot.pixels = ReadPixels(screen, shot.x, shot.y, shot.width, shot.height);
    ReleaseDC(nullptr, screen);
    if (!path.empty())
        SaveBitmap(shot, path);
    return shot;
}
