#include "framework/AnimateCtrl.h"

const CRuntimeClass CAnimateCtrl::classCAnimateCtrl = {"CAnimateCtrl", sizeof(CAnimateCtrl), nullptr,
                                                       &CWnd::classCWnd};
const CRuntimeClass* CAnimateCtrl::GetRuntimeClass() const { return &classCAnimateCtrl; }

BOOL CAnimateCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateEx(0, ANIMATE_CLASSA, "", style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}
