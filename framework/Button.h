// CButton: a push button, check box or radio button control. An owner-drawn button draws itself in
// DrawItem, which its dialog calls when it receives the button's WM_DRAWITEM.
#pragma once
#include <windows.h>
#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    CButton() {}

    BOOL Create(const char* text, DWORD style, const RECT& rect, HWND parent, UINT id);

    UINT GetState() const { return static_cast<UINT>(::SendMessage(hwnd, BM_GETSTATE, 0, 0)); }
    void SetState(BOOL pushed) { ::SendMessage(hwnd, BM_SETSTATE, pushed, 0); }
    int GetCheck() const { return static_cast<int>(::SendMessage(hwnd, BM_GETCHECK, 0, 0)); }
    void SetCheck(int check) { ::SendMessage(hwnd, BM_SETCHECK, check, 0); }

    // Draws an owner-drawn button; the default draws nothing.
    virtual void DrawItem(const DRAWITEMSTRUCT* item) {}

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCButton;
};
