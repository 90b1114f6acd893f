#include "framework/Static.h"

const CRuntimeClass CStatic::classCStatic = {"CStatic", sizeof(CStatic), nullptr, &CWnd::classCWnd};
const CRuntimeClass* CStatic::GetRuntimeClass() const { return &classCStatic; }

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateControl(0, "STATIC", text, style, rect, parent, id);
}
