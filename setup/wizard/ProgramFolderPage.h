// CProgramFolderPage: the Start-menu folder for the shortcuts, typed or picked from the folders that
// exist there. The frame takes folderText into the install script's [Target] Folder when the user moves on.
#pragma once
#include "framework/ListBox.h"
#include "setup/wizard/WizardPage.h"

class CProgramFolderPage : public CWizardPage {
public:
    CProgramFolderPage();

    char folderText[MAX_PATH];   // exchanged with edit 1018

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnShowPage() override;
    void OnSelectionChange();
    void OnEditChange();

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

private:
    void ListFolders(const char* programsFolder);

    CStyledStatic label;   // 1003
    CEditEx folderEdit;    // 1018
    CListBox list;         // 1014
};
