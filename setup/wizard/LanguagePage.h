// CLanguagePage: the first page, the list of the twenty languages. Choosing one reloads every text and
// renames the backdrop, the wizard, this page's heading and the three buttons at once.
#pragma once
#include "framework/ListBox.h"
#include "setup/wizard/WizardPage.h"

class CLanguagePage : public CWizardPage {
public:
    CLanguagePage();

    static constexpr int shownHeadingPoints = 16;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnShowPage() override;
    int ShowHeadingPoints() const override { return shownHeadingPoints; }
    void OnSelectionChange();

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

private:
    void FillList();

    CListBox list;
};
