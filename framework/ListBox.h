// CListBox: a list box control.
#pragma once
#include "framework/Wnd.h"
#include <windows.h>

class CListBox : public CWnd {
public:
    CListBox() {}

    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

    int AddString(const char* text)
    {
        return static_cast<int>(::SendMessage(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int GetCount() const { return static_cast<int>(::SendMessage(hwnd, LB_GETCOUNT, 0, 0)); }
    int GetCurSel() const { return static_cast<int>(::SendMessage(hwnd, LB_GETCURSEL, 0, 0)); }
    int SetCurSel(int index) { return static_cast<int>(::SendMessage(hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0)); }
    void ResetContent() { ::SendMessage(hwnd, LB_RESETCONTENT, 0, 0); }
    int FindStringExact(int startAfter, const char* text) const
    {
        return static_cast<int>(::SendMessage(hwnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter),
                                              reinterpret_cast<LPARAM>(text)));
    }
    // The item's text into a buffer of size bytes; LB_ERR (and an empty buffer) when there is no such item
    // or its text does not fit, since the list box itself would copy past the buffer.
    int GetText(int index, char* text, int size) const;

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCListBox;
};
