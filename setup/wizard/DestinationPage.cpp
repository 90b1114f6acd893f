#include "setup/wizard/DestinationPage.h"
#include "framework/DataExchange.h"
#include "framework/FolderDialog.h"
#include "setup/engine/SetupState.h"
#include "setup/wizard/resource.h"
#include <string.h>

const MessageEntry CDestinationPage::messageEntries[] = {
    OnCommand(IDC_BROWSE, BN_CLICKED, &CDestinationPage::OnBrowse),
};
const MessageMap CDestinationPage::messageMap =
    MakeMessageMap(&CWizardPage::messageMap, CDestinationPage::messageEntries);

CDestinationPage::CDestinationPage() : CWizardPage(IDD_PAGE_DESTINATION, dlgP3T)
{
    strcpy(folderText, g_setup.installDir);
}

void CDestinationPage::DoDataExchange(CDataExchange* exchange)
{
    CWizardPage::DoDataExchange(exchange);
    exchange->BindControl(IDC_TEXT7, spaceLabel);
    exchange->ExchangeText(IDC_FOLDER, folderText, sizeof(folderText));
}

BOOL CDestinationPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    folderEdit.SubclassDlgItem(IDC_FOLDER, this);
    StyleFolderEdit(folderEdit);
    return TRUE;
}

void CDestinationPage::OnShowPage()
{
    spaceLabel.SetLabelText(spaceRequired).SetLabelColor(headingColor).SetLabelBold(TRUE).SetLabelPointSize(
        bodyPoints);
    folderEdit.SetWindowText(g_setup.installDir);
    char text[2 * MAX_PATH];
    FillDisplayName(dlgP31, text, sizeof(text));
    ::SetDlgItemTextA(hwnd, IDC_TEXT1, text);
    ::SetDlgItemTextA(hwnd, IDC_TEXT3, UiCaption(dlgP32));
    ::SetDlgItemTextA(hwnd, IDC_TEXT6, UiCaption(dlgP33));
    ::SetDlgItemTextA(hwnd, IDC_BROWSE, UiCaption(msgBrowse));
}

void CDestinationPage::OnBrowse()
{
    char initial[MAX_PATH] = "";
    folderEdit.GetWindowText(initial, sizeof(initial));
    CFolderDialog browser(browseTitle, initial, hwnd, BIF_RETURNONLYFSDIRS);
    if (browser.DoModal() != IDOK)
        return;
    strcpy(folderText, browser.folderPath);
    strcpy(g_setup.installDir, browser.folderPath);
    folderEdit.SetWindowText(folderText);
}
