#include "framework/Reflection.h"
#include "framework/Wnd.h"

static HWND ChildOf(UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        // Menus are drawn by their owner window, not by a child.
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    default:
        return nullptr;
    }
}

BOOL ReflectToChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND child = ChildOf(message, lParam);
    if (!child || child == parent || !CWnd::FromHandle(child))
        return FALSE;
    // A reflected message that no map entry takes reaches the control's own procedure, which answers an
    // unknown message with 0: "not handled" for both kinds.
    LRESULT answer = ::SendMessage(child, Reflected(message), wParam, lParam);
    if (!answer)
        return FALSE;
    *result = answer;
    return TRUE;
}
