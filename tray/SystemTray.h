// CSystemTray: one icon in the taskbar's notification area with its tooltip; a right click shows the
// icon's popup menu and a double click runs its default item, both as commands to the main window.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include "framework/Wnd.h"

class CSystemTray : public CWnd {
public:
    CSystemTray();
    ~CSystemTray() override;   // Remove, then the own window goes

    // owner receives the icon's notifications when it has a window; menuId is both the icon id and the
    // popup menu's resource id. FALSE on a system older than 4.0 or when the shell refuses the icon.
    BOOL Create(CWnd* owner, UINT notifyMessage, const char* tip, HICON icon, UINT iconId);
    void Hide();     // takes the icon out once; there is no way to show it again
    void Remove();   // deletes the icon while it is enabled
    BOOL SetDefaultItem(UINT item, BOOL byPosition);
    virtual LRESULT HandleNotification(WPARAM iconId, LPARAM code);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    NOTIFYICONDATAA iconData;   // cbSize is the 4.0 shell's record size
    BOOL enabled;
    BOOL hidden;
    UINT defaultItem;
    BOOL defaultByPosition;

    // The shell call; tests put a recorder here.
    typedef BOOL(WINAPI* NotifyIconFunction)(DWORD action, NOTIFYICONDATAA* data);
    static NotifyIconFunction notifyIcon;

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCSystemTray;

private:
    UINT DefaultCommand(HMENU popup) const;
};
