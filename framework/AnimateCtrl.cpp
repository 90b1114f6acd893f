#include "framework/AnimateCtrl.h"

const CRuntimeClass CAnimateCtrl::classCAnimateCtrl = {"CAnimateCtrl", sizeof(CAnimateCtrl), nullptr,
                                                       &CWnd::classCWnd};
const CRuntimeClass* CAnimateCtrl::GetRuntimeClass() const { return &classCAnimateCtrl; }

BOOL CAnimateCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateControl(0, ANIMATE_CLASSA, "", style, rect, parent, id);
}
