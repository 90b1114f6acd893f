#include "setup/wizard/WizardPage.h"
#include "setup/wizard/WizardWindows.h"
#include "framework/DataExchange.h"
#include "setup/engine/SetupState.h"
#include "setup/wizard/resource.h"
#include "setup/wizard/WizardFrame.h"
#include <string.h>

const MessageEntry CWizardPage::messageEntries[] = {
    OnMessage(WM_SHOWWINDOW, &CWizardPage::OnShowWindow),
};
const MessageMap CWizardPage::messageMap = MakeMessageMap(&CDialog::messageMap, CWizardPage::messageEntries);

namespace {

constexpr LONG folderFontHeight = -12;
constexpr LONG folderFontWeight = 800;
constexpr const char* folderFontFace = "Times New Roman";

}

CWizardPage::CWizardPage(UINT templateId, UiTextId title) : CDialog(templateId), title(title)
{
}

void CWizardPage::ApplyHeadingStyle(CStyledStatic& label, const char* text, int points)
{
    label.SetLabelItalic(TRUE).SetLabelPointSize(points).SetLabelBold(TRUE).SetLabelText(text).SetLabelColor(
        headingColor);
}

void CWizardPage::ApplyBodyStyle(CStyledStatic& label, const char* text)
{
    label.SetLabelText(text).SetLabelPointSize(bodyPoints);
}

void CWizardPage::StyleFolderEdit(CEditEx& edit)
{
    edit.SendMessage(EM_LIMITTEXT, MAX_PATH - 1);
    edit.SetBackColor(RGB(255, 255, 255));
    edit.SetForeColor(RGB(0, 0, 255));
    edit.SetEditFont(folderFontHeight, folderFontWeight, 0, folderFontFace);
}

BOOL CWizardPage::OnInitDialog()
{
    SetWindowLongPtr(hwnd, GWL_EXSTYLE, GetWindowLongPtr(hwnd, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    return CDialog::OnInitDialog();
}

void CWizardPage::DoDataExchange(CDataExchange* exchange)
{
    exchange->BindControl(IDC_HEADING, heading);
}

LRESULT CWizardPage::OnShowWindow(WPARAM wParam, LPARAM lParam)
{
    Default();
    if (!wParam)
        return 0;
    if (g_wizard)
        g_wizard->SetWindowText(Title());
    ApplyHeadingStyle(heading, Title(), ShowHeadingPoints());
    OnShowPage();
    return 0;
}
