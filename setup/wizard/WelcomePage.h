// CWelcomePage: the product's name and the welcome texts.
#pragma once
#include "setup/wizard/WizardPage.h"

class CWelcomePage : public CWizardPage {
public:
    CWelcomePage();

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnShowPage() override;

private:
    CStyledStatic labels[7];   // 1003 to 1009
};
