#include "setup/wizard/LanguagePage.h"
#include "setup/wizard/WizardWindows.h"
#include "framework/DataExchange.h"
#include "setup/engine/LanguageTable.h"
#include "setup/engine/SetupState.h"
#include "setup/wizard/resource.h"
#include "setup/wizard/SetupBackdrop.h"
#include "setup/wizard/WizardFrame.h"

const MessageEntry CLanguagePage::messageEntries[] = {
    OnCommand(IDC_LIST, LBN_SELCHANGE, &CLanguagePage::OnSelectionChange),
};
const MessageMap CLanguagePage::messageMap = MakeMessageMap(&CWizardPage::messageMap, CLanguagePage::messageEntries);

CLanguagePage::CLanguagePage() : CWizardPage(IDD_PAGE_LANGUAGE, msgLanguageTitle)
{
}

void CLanguagePage::DoDataExchange(CDataExchange* exchange)
{
    CWizardPage::DoDataExchange(exchange);
    exchange->BindControl(IDC_LIST, list);
}

void CLanguagePage::FillList()
{
    list.ResetContent();
    for (const LanguageRow& row : languageTable)
        list.AddString(row.name);
    list.SetCurSel(g_setup.languageIndex);
}

void CLanguagePage::OnShowPage()
{
    FillList();
}

void CLanguagePage::OnSelectionChange()
{
    if (!SelectLanguage(list.GetCurSel()))
        return;
    if (CSetupBackdrop* backdrop = g_backdrop) {
        backdrop->SetWindowText(UiCaption(msgBackdropCaption));
        backdrop->Invalidate(FALSE);
    }
    if (CWizardFrame* wizard = g_wizard) {
        wizard->SetWindowText(Title());
        ApplyHeadingStyle(heading, Title());
        wizard->SetButtonCaptions();
    } else {
        ApplyHeadingStyle(heading, Title());
    }
    FillList();
}
