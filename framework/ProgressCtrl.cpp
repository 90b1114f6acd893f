#include "framework/ProgressCtrl.h"

const CRuntimeClass CProgressCtrl::classCProgressCtrl = {"CProgressCtrl", sizeof(CProgressCtrl), nullptr,
                                                         &CWnd::classCWnd};
const CRuntimeClass* CProgressCtrl::GetRuntimeClass() const { return &classCProgressCtrl; }

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateControl(0, PROGRESS_CLASSA, "", style, rect, parent, id);
}
