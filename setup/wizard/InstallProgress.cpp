#include "setup/wizard/InstallProgress.h"
#include "framework/DataExchange.h"
#include "framework/DebugCheck.h"
#include "framework/ResourceModule.h"
#include "setup/engine/UiTexts.h"
#include "setup/install/CreateShortcuts.h"
#include "setup/install/RegisterProduct.h"
#include "setup/install/RegisterUninstall.h"
#include "setup/install/UninstallLog.h"
#include "setup/wizard/resource.h"

namespace {

constexpr COLORREF statusColor = 0xFF0000;   // blue
constexpr int statusPointSize = 13;

// Steps 2 to 4, in order.
using StepWork = void (*)(const InstallValues&, SetupState&);
constexpr StepWork laterSteps[] = {RegisterProduct, CreateShortcuts, RegisterUninstall};
constexpr int lastStep = 4;

}

const MessageEntry CInstallProgress::messageEntries[] = {
    OnTimer(&CInstallProgress::OnStepTimer),
};
const MessageMap CInstallProgress::messageMap = MakeMessageMap(&CDialog::messageMap, messageEntries);

CInstallProgress::CInstallProgress(const InstallValues& installValues, HWND owner)
    : CDialog(IDD_INSTALL_PROGRESS, owner), step(1), values(installValues), workerStarted(false), worker(nullptr),
      stepsDone(0), job{&installValues, &g_setup}
{
    resourceModule = GetResourceModule();
}

CInstallProgress::~CInstallProgress()
{
    WaitForWorker();
    CloseUninstallLog(g_setup);
}

void CInstallProgress::WaitForWorker()
{
    if (!worker)
        return;
    WaitForSingleObject(worker, INFINITE);
    CloseHandle(worker);
    worker = nullptr;
}

void CInstallProgress::CompleteRun()
{
    DebugCheck(stepsDone >= 0 && stepsDone <= lastStep);
    WaitForWorker();
    if (!workerStarted) {
        workerStarted = true;
        RunCopySteps(values, g_setup);
    }
    if (stepsDone < 1)
        stepsDone = 1;
    for (; stepsDone < lastStep; ++stepsDone)
        laterSteps[stepsDone - 1](values, g_setup);
    CloseUninstallLog(g_setup);
}

void CInstallProgress::DoDataExchange(CDataExchange* exchange)
{
    exchange->BindControl(IDC_STATUS, statusLabel);
    exchange->BindControl(IDC_PROGRESS, progressBar);
    exchange->BindControl(IDC_ANIMATION, animation);
}

BOOL CInstallProgress::OnInitDialog()
{
    CDialog::OnInitDialog();
    step = 1;
    CentreOverOwner();
    ShowWindow(SW_SHOW);
    SetTimer(1, stepDelay);
    return TRUE;
}

void CInstallProgress::CentreOverOwner()
{
    HWND owner = ::GetWindow(hwnd, GW_OWNER);
    RECT area;
    if (!owner || !::GetWindowRect(owner, &area))
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT own;
    ::GetWindowRect(hwnd, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    ::SetWindowPos(hwnd, nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CInstallProgress::OnStepTimer(UINT_PTR timer)
{
    if (timer == workerPollTimer) {
        if (g_setup.workerBusy)
            return;
        KillTimer(workerPollTimer);
        WaitForWorker();   // it has left the steps; only its return is still to come
        stepsDone = 1;
        step = 2;
        SetTimer(2, stepDelay);
        return;
    }
    switch (step) {
    case 1:
        if (!workerStarted)
            StartCopying();
        break;
    case 2:
        RunDialogStep(2, UiCaption(msgRegistry), laterSteps[0]);
        break;
    case 3:
        RunDialogStep(3, UiCaption(msgShortcuts), laterSteps[1]);
        break;
    case 4:
        RunDialogStep(4, UiCaption(msgUninstall), laterSteps[2]);
        break;
    }
}

void CInstallProgress::StartCopying()
{
    KillTimer(1);
    // The worker is started once; the poll moves the steps on.
    workerStarted = true;
    SetWindowText(UiCaption(msgCopying));
    progressBar.ShowWindow(SW_HIDE);
    progressBar.SetRange(0, 100);
    progressBar.SetPos(0);
    animation.ShowWindow(SW_SHOW);
    animation.Open(IDR_INSTALL_ANIMATION);
    animation.Play(0, static_cast<UINT>(-1), static_cast<UINT>(-1));
    worker = StartCopyWorker(&job);
    SetTimer(workerPollTimer, workerPollPeriod);
}

void CInstallProgress::RunDialogStep(UINT_PTR timer, const char* text, void (*work)(const InstallValues&, SetupState&))
{
    KillTimer(timer);
    SetWindowText(text);
    progressBar.ShowWindow(SW_HIDE);
    statusLabel.SetLabelPointSize(statusPointSize).SetLabelBold(TRUE).SetLabelText(text).SetLabelColor(statusColor);
    statusLabel.ShowWindow(SW_SHOW);
    DebugCheck(step == stepsDone + 1);   // the steps run in order, each once
    work(values, g_setup);
    stepsDone = step;
    if (step < lastStep) {
        step += 1;
        SetTimer(static_cast<UINT_PTR>(step), stepDelay);
        return;
    }
    animation.Stop();
    EndDialog(1);
}
