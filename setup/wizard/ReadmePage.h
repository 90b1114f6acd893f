// CReadmePage: the read-me of the chosen language in an edit field, read again each time it is shown.
#pragma once
#include "framework/Edit.h"
#include "setup/wizard/WizardPage.h"

class CReadmePage : public CWizardPage {
public:
    CReadmePage();

    // The file to show; the frame sets it when it finds the read-me before showing this page.
    void SetReadmePath(const char* path);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnShowPage() override;

private:
    void ShowFile();

    CStyledStatic label;   // 1003
    CEdit text;            // 1014
    char readmePath[MAX_PATH];
};
