#include "framework/DataExchange.h"
#include "framework/Wnd.h"

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
