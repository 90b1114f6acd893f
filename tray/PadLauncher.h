// CPadLauncher: the navigation pad as the main frame sees it. It opens or moves the pad on "Open quimbel",
// with the frame's watchdog stopped meanwhile, and releases it when the frame goes away. The pad's own code
// lives in RoundMapDlg.
#pragma once
#include <windows.h>

class CMainFrame;
class CRoundMapDlg;
class CWinThread;

// The open pad object, or null. A pad thread may outlive the frame that opened it: the pad is the
// process's, not the launcher's.
extern CRoundMapDlg* g_padDialog;

class CPadLauncher {
public:
    explicit CPadLauncher(CMainFrame* frame);
    ~CPadLauncher();   // Release

    // Stops the frame's watchdog, opens a pad on its own thread or moves the open one, then restarts the
    // watchdog. A pad that is ending counts as closed: its message box is asked to close, and its thread
    // is waited for only briefly (the caller also runs the low-level mouse hook), then left to end on its
    // own.
    void OpenOrMove();

    // Closes an open pad's window and releases the pad object exactly once. A pad thread that does not end
    // in time is left to end on its own and no longer reports to this launcher.
    void Release();

    // The open pad's thread, or null.
    CWinThread* Thread() const { return padThread; }

private:
    CPadLauncher(const CPadLauncher&) = delete;
    CPadLauncher& operator=(const CPadLauncher&) = delete;

    static UINT RunPad(void* parameter);
    void WaitForEndingPad();
    void MovePad();
    BOOL StartPad();
    void ForgetThread();

    CMainFrame* frame;        // whose watchdog stops while a pad opens
    // The record of the running pad thread, kept under the pad lock. The handle is a copy kept open here,
    // because the thread object deletes itself (and its handle); the id is nonzero while a pad thread runs
    // for g_padDialog on behalf of this launcher.
    CWinThread* padThread;
    HANDLE padThreadHandle;
    DWORD padThreadId;
};
