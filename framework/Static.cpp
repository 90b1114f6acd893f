#include "framework/Static.h"

const CRuntimeClass CStatic::classCStatic = {"CStatic", sizeof(CStatic), nullptr, &CWnd::classCWnd};
const CRuntimeClass* CStatic::GetRuntimeClass() const { return &classCStatic; }

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateEx(0, "STATIC", text, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}
