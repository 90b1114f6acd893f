#include "tray/SystemTray.h"
#include "framework/WinApp.h"
#include "shared/WindowsVersion.h"

const CRuntimeClass CSystemTray::classCSystemTray = {"CSystemTray", sizeof(CSystemTray), nullptr,
                                                     &CWnd::classCWnd};
const CRuntimeClass* CSystemTray::GetRuntimeClass() const { return &classCSystemTray; }

CSystemTray::NotifyIconFunction CSystemTray::notifyIcon = Shell_NotifyIconA;

#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the 4.0 shell's icon record is 88 bytes");
#endif

static constexpr size_t tipSize = sizeof(NOTIFYICONDATAA{}.szTip) < 64 ? sizeof(NOTIFYICONDATAA{}.szTip) : 64;

CSystemTray::CSystemTray() : iconData(), enabled(FALSE), hidden(FALSE), defaultItem(0), defaultByPosition(TRUE)
{
}

CSystemTray::~CSystemTray()
{
    Remove();
    DestroyWindow();
}

BOOL CSystemTray::Create(CWnd* owner, UINT notifyMessage, const char* tip, HICON icon, UINT iconId)
{
    if (CurrentWindowsVersion().major < 4) {
        enabled = FALSE;
        return FALSE;
    }
    const char* className = RegisterFrameworkClass(0);
    if (!hwnd && (!className || !CreateEx(0, className, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr)))
        return FALSE;

    iconData = NOTIFYICONDATAA();
    iconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    iconData.hWnd = owner && owner->hwnd ? owner->hwnd : hwnd;
    iconData.uID = iconId;
    iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    iconData.uCallbackMessage = notifyMessage;
    iconData.hIcon = icon;
    if (tip)
        lstrcpynA(iconData.szTip, tip, static_cast<int>(tipSize));

    enabled = notifyIcon(NIM_ADD, &iconData);
    return enabled;
}

void CSystemTray::Hide()
{
    if (!enabled || hidden)
        return;
    iconData.uFlags = NIF_ICON;
    notifyIcon(NIM_DELETE, &iconData);
    hidden = TRUE;
}

void CSystemTray::Remove()
{
    if (!enabled)
        return;
    iconData.uFlags = 0;
    notifyIcon(NIM_DELETE, &iconData);
    enabled = FALSE;
}

static HINSTANCE ResourceModule()
{
    CWinApp* app = CWinApp::Get();
    return app ? app->instance : GetModuleHandle(nullptr);
}

BOOL CSystemTray::SetDefaultItem(UINT item, BOOL byPosition)
{
    if (item == defaultItem && byPosition == defaultByPosition)
        return TRUE;
    defaultItem = item;
    defaultByPosition = byPosition;

    HMENU menu = LoadMenu(ResourceModule(), MAKEINTRESOURCE(iconData.uID));
    if (!menu)
        return FALSE;
    HMENU popup = GetSubMenu(menu, 0);
    if (popup)
        SetMenuDefaultItem(popup, item, byPosition);
    DestroyMenu(menu);
    return popup != nullptr;
}

UINT CSystemTray::DefaultCommand(HMENU popup) const
{
    return defaultByPosition ? GetMenuItemID(popup, static_cast<int>(defaultItem)) : defaultItem;
}

LRESULT CSystemTray::HandleNotification(WPARAM iconId, LPARAM code)
{
    if (iconId != iconData.uID)
        return 0;
    CWinApp* app = CWinApp::Get();
    HWND main = app && app->mainWnd ? app->mainWnd->hwnd : nullptr;
    if (!main)
        return 0;

    switch (LOWORD(code)) {
    case WM_RBUTTONUP: {
        HMENU menu = LoadMenu(ResourceModule(), MAKEINTRESOURCE(iconData.uID));
        if (!menu)
            return 0;
        HMENU popup = GetSubMenu(menu, 0);
        if (!popup) {
            DestroyMenu(menu);
            return 0;
        }
        SetMenuDefaultItem(popup, defaultItem, defaultByPosition);
        POINT cursor = {0, 0};
        GetCursorPos(&cursor);
        SetForegroundWindow(main);
        TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, main, nullptr);
        // Lets the menu close properly when the user clicks elsewhere.
        ::PostMessage(main, WM_NULL, 0, 0);
        DestroyMenu(menu);
        return 1;
    }
    case WM_LBUTTONDBLCLK: {
        SetForegroundWindow(main);
        UINT command = defaultItem;
        if (defaultByPosition) {
            HMENU menu = LoadMenu(ResourceModule(), MAKEINTRESOURCE(iconData.uID));
            if (!menu)
                return 0;
            HMENU popup = GetSubMenu(menu, 0);
            command = popup ? DefaultCommand(popup) : static_cast<UINT>(-1);
            DestroyMenu(menu);
            if (command == static_cast<UINT>(-1))   // no such menu or item: nothing to run
                return 0;
        }
        ::SendMessage(main, WM_COMMAND, command, 0);
        return 1;
    }
    default:
        return 1;
    }
}

LRESULT CSystemTray::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != 0 && message == iconData.uCallbackMessage)
        return HandleNotification(wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}
