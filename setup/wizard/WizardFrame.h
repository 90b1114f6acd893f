// CWizardFrame: the wizard's window on the backdrop, a modeless dialog holding the seven pages and the
// Back, Next and Cancel buttons, and stepping through the pages.
#pragma once
#include <windows.h>
#include "framework/Dialog.h"
#include "setup/wizard/WizardPageList.h"

// Page indices, in the order the frame adds them.
enum WizardPageIndex {
    languagePageIndex,
    welcomePageIndex,
    readmePageIndex,
    destinationPageIndex,
    programFolderPageIndex,
    readyPageIndex,
    finishPageIndex,
};

class CWizardFrame : public CDialog {
public:
    CWizardFrame();

    // The Cancel button's logic, also for Esc and for the backdrop's close: on the finish page it ends
    // setup with the restart choice, elsewhere it asks first.
    void CancelSetup();
    // Back, Next and Cancel captions from the current language.
    void SetButtonCaptions();

    int PageIndex() const { return pageIndex; }

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCWizardFrame;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnNext();
    void OnBack();
    void OnCancelButton();
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

private:
    // Whether the read-me of the current language can be read; its path is handed to the read-me page.
    bool ReadmeAvailable();
    void EnterPage(int index);
    void EndSetup(INT_PTR result);
    void FinishInstall();

    int pageIndex;
    bool confirming;   // the cancel question is open
    bool installing;   // the install run is going on
    CWizardPageList pages;
};
