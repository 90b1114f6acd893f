#include "framework/ListBox.h"

const CRuntimeClass CListBox::classCListBox = {"CListBox", sizeof(CListBox), nullptr, &CWnd::classCWnd};
const CRuntimeClass* CListBox::GetRuntimeClass() const { return &classCListBox; }

BOOL CListBox::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateControl(WS_EX_CLIENTEDGE, "LISTBOX", "", style, rect, parent, id);
}

int CListBox::GetText(int index, char* text, int size) const
{
    if (!text || size <= 0)
        return LB_ERR;
    text[0] = '\0';
    LRESULT length = ::SendMessage(hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length >= size)
        return LB_ERR;
    return static_cast<int>(::SendMessage(hwnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}
