#include "framework/Button.h"

const CRuntimeClass CButton::classCButton = {"CButton", sizeof(CButton), nullptr, &CWnd::classCWnd};
const CRuntimeClass* CButton::GetRuntimeClass() const { return &classCButton; }

BOOL CButton::Create(const char* text, DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateEx(0, "BUTTON", text, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}
