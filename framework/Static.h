// CStatic: a static text, icon or bitmap control.
#pragma once
#include "framework/Wnd.h"
#include <windows.h>

class CStatic : public CWnd {
public:
    CStatic() {}

    BOOL Create(const char* text, DWORD style, const RECT& rect, HWND parent, UINT id);

    // The previous image, which the caller owns again.
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(::SendMessage(hwnd, STM_SETIMAGE, IMAGE_BITMAP,
                                                       reinterpret_cast<LPARAM>(bitmap)));
    }
    HICON SetIcon(HICON icon)
    {
        return reinterpret_cast<HICON>(::SendMessage(hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0));
    }

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCStatic;
};
