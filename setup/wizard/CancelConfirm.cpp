#include "setup/wizard/CancelConfirm.h"
#include "setup/engine/UiTexts.h"
#include "setup/wizard/resource.h"

CCancelConfirm::CCancelConfirm(HWND parent) : CDialog(IDD_CANCEL_CONFIRM, parent)
{
}

BOOL CCancelConfirm::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(UiCaption(msgConfirmCaption));
    ::SetDlgItemTextA(hwnd, IDC_LINE1, UiCaption(msgConfirmLine1));
    ::SetDlgItemTextA(hwnd, IDC_LINE2, UiCaption(msgConfirmLine2));
    ::SetDlgItemTextA(hwnd, IDC_LINE3, UiCaption(msgConfirmLine3));
    ::SetDlgItemTextA(hwnd, IDOK, UiCaption(msgConfirmOk));
    ::SetDlgItemTextA(hwnd, IDCANCEL, UiCaption(msgConfirmCancel));
    return TRUE;
}
