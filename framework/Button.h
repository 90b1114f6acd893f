// CButton: a push button, check box or radio button control. An owner-drawn button draws itself in
// DrawItem, called when its parent's WM_DRAWITEM for it is reflected to it.
#pragma once
#include "framework/Wnd.h"
#include <windows.h>

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

protected:

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;
};
