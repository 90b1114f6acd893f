#include "framework/ProgressCtrl.h"

const CRuntimeClass CProgressCtrl::classCProgressCtrl = {"CProgressCtrl", sizeof(CProgressCtrl), nullptr,
                                                         &CWnd::classCWnd};
const CRuntimeClass* CProgressCtrl::GetRuntimeClass() const { return &classCProgressCtrl; }

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateEx(0, PROGRESS_CLASSA, "", style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}
