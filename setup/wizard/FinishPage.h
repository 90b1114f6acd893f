// CFinishPage: the end of setup, with the choice to restart the computer now or later (later is chosen
// whenever the page opens).
#pragma once
#include "framework/Button.h"
#include "setup/wizard/WizardPage.h"

class CFinishPage : public CWizardPage {
public:
    CFinishPage();

    bool RestartNowChosen() const { return restartNow.GetCheck() == BST_CHECKED; }

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnShowPage() override;

private:
    CStyledStatic label;      // 1003
    CButton restartNow;       // 1016
    CButton restartLater;     // 1020
};
