#include "framework/Edit.h"

const CRuntimeClass CEdit::classCEdit = {"CEdit", sizeof(CEdit), nullptr, &CWnd::classCWnd};
const CRuntimeClass* CEdit::GetRuntimeClass() const { return &classCEdit; }

BOOL CEdit::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateControl(WS_EX_CLIENTEDGE, "EDIT", "", style, rect, parent, id);
}
