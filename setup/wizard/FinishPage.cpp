#include "setup/wizard/FinishPage.h"
#include "framework/DataExchange.h"
#include "setup/wizard/resource.h"

CFinishPage::CFinishPage() : CWizardPage(IDD_PAGE_FINISH, dlgPFT)
{
}

void CFinishPage::DoDataExchange(CDataExchange* exchange)
{
    CWizardPage::DoDataExchange(exchange);
    exchange->BindControl(IDC_TEXT1, label);
    exchange->BindControl(IDC_RESTART_NOW, restartNow);
    exchange->BindControl(IDC_RESTART_LATER, restartLater);
}

void CFinishPage::OnShowPage()
{
    char text[2 * MAX_PATH];
    FillDisplayName(dlgPF1, text, sizeof(text));
    ApplyBodyStyle(label, text);
    ::SetDlgItemTextA(hwnd, IDC_TEXT4, UiCaption(dlgPF2));
    restartNow.SetCheck(BST_UNCHECKED);
    restartLater.SetCheck(BST_CHECKED);
    restartNow.SetWindowText(UiCaption(dlgPF4));
    restartLater.SetWindowText(UiCaption(dlgPF5));
}
