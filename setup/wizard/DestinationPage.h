// CDestinationPage: the destination folder, typed or chosen with the folder browser. The frame takes
// folderText into the setup state when the user moves on.
#pragma once
#include "setup/wizard/WizardPage.h"

class CDestinationPage : public CWizardPage {
public:
    CDestinationPage();

    char folderText[MAX_PATH];   // exchanged with edit 1018

    static constexpr const char* browseTitle = "Select the Directory you wish to monitor...";
    static constexpr const char* spaceRequired = "2.10 MB.";

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnShowPage() override;
    void OnBrowse();

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

private:
    CStyledStatic spaceLabel;   // 1009
    CEditEx folderEdit;         // 1018
};
