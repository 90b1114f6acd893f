// CEdit: a single- or multi-line edit control.
#pragma once
#include "framework/Wnd.h"
#include <windows.h>

class CEdit : public CWnd {
public:
    CEdit() {}

    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

    void LimitText(int maxChars) { ::SendMessage(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0); }
    void SetSel(int start, int end) { ::SendMessage(hwnd, EM_SETSEL, static_cast<WPARAM>(start), end); }
    void ReplaceSel(const char* text) { ::SendMessage(hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text)); }
    BOOL SetReadOnly(BOOL readOnly) { return static_cast<BOOL>(::SendMessage(hwnd, EM_SETREADONLY, readOnly, 0)); }

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCEdit;
};
