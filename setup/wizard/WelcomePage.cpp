#include "setup/wizard/WelcomePage.h"
#include "framework/DataExchange.h"
#include "setup/engine/InstallScript.h"
#include "setup/wizard/resource.h"

namespace {

constexpr COLORREF productColor = RGB(0, 0, 255);
constexpr COLORREF warningColor = RGB(255, 0, 0);
constexpr int warningPoints = 10;
constexpr const char* productIndent = "         ";

}

CWelcomePage::CWelcomePage() : CWizardPage(IDD_PAGE_WELCOME, dlgP1T)
{
}

void CWelcomePage::DoDataExchange(CDataExchange* exchange)
{
    CWizardPage::DoDataExchange(exchange);
    for (int index = 0; index < 7; ++index)
        exchange->BindControl(IDC_TEXT1 + index, labels[index]);
}

void CWelcomePage::OnShowPage()
{
    ApplyBodyStyle(labels[0], UiCaption(dlgP11));
    char product[2 * MAX_PATH] = "";
    AppendClipped(product, sizeof(product), productIndent);
    AppendClipped(product, sizeof(product), ScriptValue(scriptProduct));
    labels[1].SetLabelText(product).SetLabelPointSize(bodyPoints).SetLabelBold(TRUE).SetLabelColor(productColor);
    ApplyBodyStyle(labels[2], UiCaption(dlgP12));
    labels[3].SetLabelPointSize(bodyPoints).SetLabelText(UiCaption(dlgP13));
    labels[4].SetLabelPointSize(bodyPoints).SetLabelText(UiCaption(dlgP14));
    labels[5].SetLabelBold(TRUE).SetLabelColor(warningColor).SetLabelPointSize(warningPoints).SetLabelText(
        UiCaption(dlgP15));
    labels[6].SetLabelPointSize(bodyPoints).SetLabelText(UiCaption(dlgP16));
}
