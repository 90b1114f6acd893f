#include "setup/wizard/WizardFrame.h"
#include "setup/wizard/WizardWindows.h"
#include "setup/engine/InstallScript.h"
#include "setup/wizard/RunInstall.h"
#include "setup/engine/SetupState.h"
#include "setup/engine/SourcePaths.h"
#include "setup/engine/UiTexts.h"
#include "setup/wizard/resource.h"
#include "setup/wizard/CancelConfirm.h"
#include "setup/wizard/DestinationPage.h"
#include "setup/wizard/FinishPage.h"
#include "setup/wizard/ProgramFolderPage.h"
#include "setup/wizard/ReadmePage.h"
#include "setup/wizard/SetupBackdrop.h"
#include <string.h>

const CRuntimeClass CWizardFrame::classCWizardFrame = {"CWizardFrame", sizeof(CWizardFrame), nullptr,
                                                       &CDialog::classCDialog};
const CRuntimeClass* CWizardFrame::GetRuntimeClass() const { return &classCWizardFrame; }

const MessageEntry CWizardFrame::messageEntries[] = {
    OnCommand(IDC_NEXT, &CWizardFrame::OnNext),
    OnCommand(IDC_BACK, &CWizardFrame::OnBack),
    OnCommand(IDC_CANCEL_SETUP, &CWizardFrame::OnCancelButton),
    OnMessage(WM_DESTROY, &CWizardFrame::OnDestroy),
};
const MessageMap CWizardFrame::messageMap = MakeMessageMap(&CDialog::messageMap, CWizardFrame::messageEntries);

namespace {

constexpr UINT pageTemplates[] = {
    IDD_PAGE_LANGUAGE, IDD_PAGE_WELCOME, IDD_PAGE_README, IDD_PAGE_DESTINATION,
    IDD_PAGE_PROGRAM_FOLDER, IDD_PAGE_READY, IDD_PAGE_FINISH,
};

}

CWizardFrame::CWizardFrame() : CDialog(IDD_WIZARD), pageIndex(0), confirming(false), installing(false)
{
}

BOOL CWizardFrame::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (UINT id : pageTemplates)
        pages.AddPage(id, this);
    g_wizard = this;
    pages.ShowPage(-1);
    ::EnableWindow(GetDlgItem(IDC_BACK), FALSE);
    SetButtonCaptions();
    return TRUE;
}

void CWizardFrame::SetButtonCaptions()
{
    ::SetDlgItemTextA(hwnd, IDC_BACK, UiCaption(msgBack));
    ::SetDlgItemTextA(hwnd, IDC_NEXT, UiCaption(msgNext));
    ::SetDlgItemTextA(hwnd, IDC_CANCEL_SETUP, UiCaption(msgCancel));
}

bool CWizardFrame::ReadmeAvailable()
{
    char path[MAX_PATH];
    if (!LanguageFolderPath(path, sizeof(path), readmeFileBase, g_setup.languageExt))
        return false;
    // Read access is enough: a source on read-only media still has its read-me.
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    if (CReadmePage* readme = static_cast<CReadmePage*>(pages.GetPage(readmePageIndex)))
        readme->SetReadmePath(path);
    return true;
}

void CWizardFrame::OnNext()
{
    if (pageIndex >= finishPageIndex)
        return;
    if (pageIndex++ == languagePageIndex)
        ::EnableWindow(GetDlgItem(IDC_BACK), TRUE);
    switch (pageIndex) {
    case readmePageIndex:
        if (!ReadmeAvailable()) {
            OnNext();
            return;
        }
        break;
    case programFolderPageIndex:
        if (CDestinationPage* destination = static_cast<CDestinationPage*>(pages.GetPage(destinationPageIndex))) {
            destination->UpdateData(TRUE);
            strcpy(g_setup.installDir, destination->folderText);
        }
        break;
    case readyPageIndex:
        if (CProgramFolderPage* folder = static_cast<CProgramFolderPage*>(pages.GetPage(programFolderPageIndex))) {
            folder->UpdateData(TRUE);
            if (::GetWindowTextLengthA(folder->GetDlgItem(IDC_FOLDER)) > 0)
                SetScriptValue(scriptTargetFolder, folder->folderText);
        }
        break;
    case finishPageIndex:
        FinishInstall();
        break;
    }
    EnterPage(pageIndex);
}

void CWizardFrame::FinishInstall()
{
    // The run cannot be undone or cut short: the frame stays hidden, and a cancel request waits, until it
    // has returned.
    installing = true;
    ShowWindow(SW_HIDE);
    RunInstall(g_backdrop ? g_backdrop->hwnd : nullptr);
    ShowWindow(SW_SHOW);
    installing = false;
    ::ShowWindow(GetDlgItem(IDC_NEXT), SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_BACK), SW_HIDE);
    ::SetDlgItemTextA(hwnd, IDC_CANCEL_SETUP, UiCaption(msgClose));
}

void CWizardFrame::OnBack()
{
    if (pageIndex <= languagePageIndex || pageIndex >= finishPageIndex)
        return;
    if (pageIndex-- == destinationPageIndex && !ReadmeAvailable()) {
        OnBack();
        return;
    }
    if (pageIndex <= languagePageIndex) {
        ::EnableWindow(GetDlgItem(IDC_BACK), FALSE);
        SetButtonCaptions();
        pageIndex = languagePageIndex;
    }
    EnterPage(pageIndex);
}

void CWizardFrame::EnterPage(int index)
{
    pages.ShowPage(index);
    // Next is hidden once the run is over: Close (the Cancel button) takes the focus there.
    ::SetFocus(GetDlgItem(index == finishPageIndex ? IDC_CANCEL_SETUP : IDC_NEXT));
}

void CWizardFrame::OnCancelButton()
{
    CancelSetup();
}

// Enter: Next, and on the finish page what Close does.
void CWizardFrame::OnOK()
{
    if (pageIndex == finishPageIndex)
        CancelSetup();
    else if (!installing && ::IsWindowEnabled(GetDlgItem(IDC_NEXT)))
        OnNext();
}

void CWizardFrame::OnCancel()
{
    CancelSetup();
}

void CWizardFrame::CancelSetup()
{
    if (confirming || installing || !hwnd)
        return;
    if (pageIndex == finishPageIndex) {
        CFinishPage* finish = static_cast<CFinishPage*>(pages.GetPage(finishPageIndex));
        EndSetup(finish && finish->RestartNowChosen() ? resultRestartNow : resultRestartLater);
        return;
    }
    confirming = true;
    CCancelConfirm confirm(hwnd);
    INT_PTR answer = confirm.DoModal();
    confirming = false;
    if (answer == IDCANCEL)
        EndSetup(resultCancelled);
}

void CWizardFrame::EndSetup(INT_PTR result)
{
    // The frame and its pages are destroyed with the backdrop once its modal loop has ended, never inside
    // the handler of a page or button that is still running.
    if (g_backdrop)
        g_backdrop->EndDialog(result);
}

LRESULT CWizardFrame::OnDestroy(WPARAM, LPARAM)
{
    pages.DestroyAll();
    if (g_wizard == this)
        g_wizard = nullptr;
    return Default();
}
