#include "framework/Button.h"
#include "framework/Reflection.h"

const CRuntimeClass CButton::classCButton = {"CButton", sizeof(CButton), nullptr, &CWnd::classCWnd};
const CRuntimeClass* CButton::GetRuntimeClass() const { return &classCButton; }

const MessageEntry CButton::messageEntries[] = {
    OnDrawItem(Reflected(WM_DRAWITEM), &CButton::DrawItem),
};
const MessageMap CButton::messageMap = MakeMessageMap(&CWnd::messageMap, CButton::messageEntries);

BOOL CButton::Create(const char* text, DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateControl(0, "BUTTON", text, style, rect, parent, id);
}
