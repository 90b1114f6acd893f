#include "framework/Edit.h"

const CRuntimeClass CEdit::classCEdit = {"CEdit", sizeof(CEdit), nullptr, &CWnd::classCWnd};
const CRuntimeClass* CEdit::GetRuntimeClass() const { return &classCEdit; }

BOOL CEdit::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}
