// Mouse event processing: the extra buttons become horizontal repeats, paging keys or wheel notches, and
// (per-process hook only) a press outside the open navigation pad closes it. Everything else passes on.
#include "hook/HookProcs.h"
#include "hook/HookShared.h"
#include "hook/HookLibrary.h"
#include "hook/ButtonSettings.h"
#include "hook/ScrollRepeat.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"

namespace {

// Button codes the device driver places in the extra-information word.
enum DeviceButtonCode : ULONG_PTR {
    codeScrollLeft = 1,
    codeScrollRight = 2,
    codeScrollUp = 8,
    codeScrollDown = 16,
};

constexpr UINT wheelScrollLines = 30;
constexpr LRESULT swallow = 1;

LRESULT PassOn(DWORD hook, int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(HandleFromWord<HHOOK>(hook), code, wParam, lParam);
}

// Closes the navigation pad when a press lands outside its client area. A stale handle in "RoundMap"
// makes the client-rectangle query fail, and then nothing is posted.
void ClosePadOnOutsidePress(POINT point)
{
    DWORD padWord = 0;
    DWORD length = sizeof(padWord);
    if (!HookSharedMemory()->ReadItem(itemRoundMap, &padWord, &length) || padWord == 0)
        return;
    HWND pad = HandleFromWord<HWND>(padWord);
    RECT client;
    if (!GetClientRect(pad, &client) || !ScreenToClient(pad, &point))
        return;
    if (PtInRect(&client, point))
        return;
    PostMessageA(pad, CloseQuimbelMessage(), closeQuimbelFromHook, 0);
    SetFocus(nullptr);
}

// A press of a horizontal-scroll button: TRUE when it is to be swallowed.
BOOL HandleScrollButton(int button, POINT point)
{
    switch (LookUpButtonSetting(button)) {
    case settingFileMissing:
        return TRUE;
    case settingNonzero:
        return FALSE;
    case settingZero:
        break;
    }
    StartScrollRepeat(button, point);
    return TRUE;
}

void TurnWheel(int delta)
{
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, wheelScrollLines, nullptr, 0);
    mouse_event(MOUSEEVENTF_WHEEL, 100, 100, static_cast<DWORD>(delta), 0);
}

void TapKey(BYTE key)
{
    keybd_event(key, key, 0, 0);
    keybd_event(key, key, KEYEVENTF_KEYUP, 0);
}

BOOL IsEither(WPARAM message, UINT client, UINT nonClient)
{
    return message == client || message == nonClient;
}

}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code < 0 || g_hookShared.lowLevelMode == 1)
        return PassOn(g_hookShared.mouseHook, code, wParam, lParam);

    const MOUSEHOOKSTRUCT* record = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (IsEither(wParam, WM_LBUTTONDOWN, WM_NCLBUTTONDOWN) || IsEither(wParam, WM_RBUTTONDOWN, WM_NCRBUTTONDOWN)) {
        ClosePadOnOutsidePress(record->pt);
    } else if (IsEither(wParam, WM_MBUTTONUP, WM_NCMBUTTONUP)) {
        StopScrollRepeat();
    } else if (IsEither(wParam, WM_MBUTTONDOWN, WM_NCMBUTTONDOWN)) {
        switch (LOWORD(record->dwExtraInfo)) {
        case codeScrollLeft:
            if (HandleScrollButton(1, record->pt))
                return swallow;
            break;
        case codeScrollRight:
            if (HandleScrollButton(2, record->pt))
                return swallow;
            break;
        case codeScrollUp:
            TurnWheel(WHEEL_DELTA);
            return swallow;
        case codeScrollDown:
            TurnWheel(-WHEEL_DELTA);
            return swallow;
        default:
            break;
        }
    }
    return PassOn(g_hookShared.mouseHook, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK LowLevelMousePProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code < 0)
        return PassOn(g_hookShared.lowLevelHook, code, wParam, lParam);

    const MSLLHOOKSTRUCT* record = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    switch (wParam) {
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
        StopScrollRepeat();
        break;
    case WM_MBUTTONDOWN:
        if (record->dwExtraInfo == codeScrollUp) {
            TapKey(VK_PRIOR);
            return swallow;
        }
        if (record->dwExtraInfo == codeScrollDown) {
            TapKey(VK_NEXT);
            return swallow;
        }
        break;
    case WM_XBUTTONDOWN: {
        WORD button = HIWORD(record->mouseData);
        if ((button == XBUTTON1 || button == XBUTTON2) && HandleScrollButton(button, record->pt))
            return swallow;
        break;
    }
    default:
        break;
    }
    return PassOn(g_hookShared.lowLevelHook, code, wParam, lParam);
}
