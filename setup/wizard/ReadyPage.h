// CReadyPage: the last page before the installation.
#pragma once
#include "setup/wizard/WizardPage.h"

class CReadyPage : public CWizardPage {
public:
    CReadyPage();

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnShowPage() override;

private:
    CStyledStatic label;   // 1003
};
