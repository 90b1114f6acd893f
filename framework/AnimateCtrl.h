// CAnimateCtrl: the common controls' animation control, which plays a silent AVI clip. A clip given by
// resource id comes from the module the control was created with (a dialog's controls: the dialog's).
#pragma once
#include "framework/Wnd.h"
#include <windows.h>
#include <commctrl.h>

class CAnimateCtrl : public CWnd {
public:
    CAnimateCtrl() {}

    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

    BOOL Open(UINT resourceId)
    {
        return static_cast<BOOL>(::SendMessage(hwnd, ACM_OPENA, 0, reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(resourceId))));
    }
    // Frames from..to (to = -1: the last), repeat times (-1: for ever).
    BOOL Play(UINT from, UINT to, UINT repeat)
    {
        return static_cast<BOOL>(::SendMessage(hwnd, ACM_PLAY, repeat, MAKELPARAM(from, to)));
    }
    BOOL Stop() { return static_cast<BOOL>(::SendMessage(hwnd, ACM_STOP, 0, 0)); }
    BOOL Close() { return static_cast<BOOL>(::SendMessage(hwnd, ACM_OPENA, 0, 0)); }

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCAnimateCtrl;
};
