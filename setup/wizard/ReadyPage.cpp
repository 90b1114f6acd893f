#include "setup/wizard/ReadyPage.h"
#include "framework/DataExchange.h"
#include "setup/wizard/resource.h"

CReadyPage::CReadyPage() : CWizardPage(IDD_PAGE_READY, dlgP5T)
{
}

void CReadyPage::DoDataExchange(CDataExchange* exchange)
{
    CWizardPage::DoDataExchange(exchange);
    exchange->BindControl(IDC_TEXT1, label);
}

void CReadyPage::OnShowPage()
{
    ApplyBodyStyle(label, UiCaption(dlgP51));
}
