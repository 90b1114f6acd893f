// CInstallProgress: the small modal dialog that performs the installation in four steps, each started by
// a one-shot 10 ms timer so that the dialog repaints in between: the copy worker (polled once a second),
// the registry entries, the shortcuts and the uninstall registration. It cannot be cancelled; what it did
// not get to (it could not be made, or a quit ended its loop) CompleteRun does after it.
#pragma once
#include <windows.h>
#include "framework/AnimateCtrl.h"
#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"
#include "setup/controls/StyledStatic.h"
#include "setup/install/CopyWorker.h"

class CInstallProgress : public CDialog {
public:
    // values outlive the dialog; the run's shared state is g_setup.
    CInstallProgress(const InstallValues& values, HWND owner);
    // Waits for the copy worker and closes the uninstall log if it is open: nothing of the run goes on
    // after the dialog.
    ~CInstallProgress() override;

    // Runs on the calling thread, once the copy worker has ended, each step the dialog did not run: all
    // four when it could not be made, the rest when a quit ended its loop. Then closes the log.
    void CompleteRun();

    CStyledStatic statusLabel;
    CProgressCtrl progressBar;
    CAnimateCtrl animation;
    int step;

    // Timer ids: the first step's own, and the worker poll.
    static constexpr UINT_PTR workerPollTimer = 100;
    static constexpr UINT workerPollPeriod = 1000;
    static constexpr UINT stepDelay = 10;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    // There is no cancel: Enter, Esc and a close request are ignored while the steps run; the dialog
    // ends itself after the fourth.
    void OnOK() override {}
    void OnCancel() override {}
    void OnStepTimer(UINT_PTR timer);

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

private:
    void StartCopying();
    // Steps 2 to 4: caption and status text, the step's work, then the next step's timer (or the end).
    void RunDialogStep(UINT_PTR timer, const char* text, void (*work)(const InstallValues&, SetupState&));
    void CentreOverOwner();
    void WaitForWorker();

    const InstallValues& values;
    bool workerStarted;
    HANDLE worker;    // the copy worker's thread until it has been waited for
    int stepsDone;    // how many of the four steps have ended
    CopyWorkerJob job;
};
