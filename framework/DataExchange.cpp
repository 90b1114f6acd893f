#include "framework/DataExchange.h"
#include "framework/Wnd.h"
#include <string.h>

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : dialog(dialog), saveAndValidate(saveAndValidate), failed(FALSE), failedId(0)
{
}

void CDataExchange::BindControl(int id, CWnd& control)
{
    if (failed)
        return;
    HWND item = dialog && dialog->hwnd ? ::GetDlgItem(dialog->hwnd, id) : nullptr;
    if (item && control.hwnd == item)
        return;
    if (!item || control.hwnd || !control.SubclassWindow(item)) {
        failed = TRUE;
        failedId = id;
    }
}

void CDataExchange::ExchangeText(int id, char* text, int size)
{
    if (failed)
        return;
    HWND item = dialog && dialog->hwnd ? ::GetDlgItem(dialog->hwnd, id) : nullptr;
    if (!item || !text || size <= 0) {
        failed = TRUE;
        failedId = id;
        return;
    }
    if (saveAndValidate) {
        // GetWindowText copies at most size - 1 characters and a terminator.
        ::GetWindowTextA(item, text, size);
    } else if (memchr(text, '\0', static_cast<size_t>(size))) {
        ::SetWindowTextA(item, text);
    } else {
        // An unterminated buffer would be read past its end.
        failed = TRUE;
        failedId = id;
    }
}
