#include "tray/PadLauncher.h"
#include "framework/WinThread.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include "tray/MainFrame.h"
#include "tray/RoundMapDlg.h"
#include "tray/TrayGlobals.h"
#include <new>
#include <string.h>

namespace {

// How long the frame waits for a pad thread to end: a closing pad needs a few milliseconds.
const DWORD padEndTimeout = 5000;

// Guards padDialog, the frame's padThread and padThreadHandle: the main thread opens and releases pads,
// the pad thread clears them when it ends.
struct PadLock {
    CRITICAL_SECTION section;
    PadLock() { InitializeCriticalSection(&section); }
};
PadLock padLock;

struct PadLockScope {
    PadLockScope() { EnterCriticalSection(&padLock.section); }
    ~PadLockScope() { LeaveCriticalSection(&padLock.section); }
};

// The running pad thread, kept open here because the thread object deletes itself (and its handle).
HANDLE padThreadHandle = nullptr;
DWORD padThreadId = 0;

HANDLE DuplicatePadThreadHandle()
{
    HANDLE copy = nullptr;
    if (padThreadHandle)
        DuplicateHandle(GetCurrentProcess(), padThreadHandle, GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0);
    return copy;
}

// Asks a dialog of the pad thread (the pad, or a message box it shows) to close; its tooltips go with it.
BOOL CALLBACK PostClose(HWND window, LPARAM)
{
    char className[16];
    if (GetClassName(window, className, sizeof className) && strcmp(className, "#32770") == 0)
        PostMessage(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Waits for a thread to end, handling messages other threads send to this one meanwhile. With
// closeWindows, every top-level window of the thread (the pad, and a message box it may be showing) is
// asked to close, again whenever one appears. FALSE on time-out.
BOOL WaitForPadThread(HANDLE thread, DWORD threadId, DWORD timeout, BOOL closeWindows)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (closeWindows)
            EnumThreadWindows(threadId, PostClose, 0);
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeout)
            return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
        DWORD slice = timeout - elapsed < 50 ? timeout - elapsed : 50;
        DWORD result = MsgWaitForMultipleObjects(1, &thread, FALSE, slice, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0)
            return TRUE;
        if (result == WAIT_OBJECT_0 + 1) {
            MSG msg;
            PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        } else if (result == WAIT_FAILED) {
            return FALSE;
        }
    }
}

BOOL ReadMousePosition(POINT* position)
{
    POINT value;
    DWORD length = sizeof value;
    if (!sharedState || !sharedState->ReadItem(ITEM_MOUSE_POSITION, &value, &length) || length != sizeof value)
        return FALSE;
    *position = value;
    return TRUE;
}

DWORD ReadMouseOwner()
{
    DWORD owner = 0;
    DWORD length = sizeof owner;
    if (!sharedState || !sharedState->ReadItem(ITEM_MOUSE_OWNER, &owner, &length) || length != sizeof owner)
        return 0;
    return owner;
}

UINT PadThreadProcedure(void* parameter)
{
    CMainFrame* frame = static_cast<CMainFrame*>(parameter);
    CRoundMapDlg* pad;
    {
        PadLockScope lock;
        pad = padDialog;
    }
    if (!pad)
        return 0;
    pad->previousForeground = GetForegroundWindow();
    SetFocus(nullptr);
    pad->DoModal();

    BOOL current;
    {
        PadLockScope lock;
        // A newer pad may already stand in the globals (this one's window was gone): leave them to it.
        current = padDialog == pad;
        if (current) {
            pad->ClearRoundMap();
            padDialog = nullptr;
            frame->padThread = nullptr;
            if (padThreadHandle)
                CloseHandle(padThreadHandle);
            padThreadHandle = nullptr;
            padThreadId = 0;
        }
    }
    delete pad;
    return 0;
}

// A pad whose window is gone counts as closed; its thread has only its clean-up left, so let it finish
// before a new pad takes the globals.
void WaitForClosingPad(CMainFrame* frame)
{
    HANDLE closing = nullptr;
    {
        PadLockScope lock;
        if (frame->padThread && padDialog && padDialog->IsWindowGone())
            closing = DuplicatePadThreadHandle();
    }
    if (closing) {
        WaitForPadThread(closing, 0, padEndTimeout, FALSE);
        CloseHandle(closing);
    }
}

void MovePad()
{
    HWND window = nullptr;
    {
        PadLockScope lock;
        ReadMousePosition(&padPosition);
        window = padDialog ? padDialog->hwnd : nullptr;
    }
    // A pad still being created has no window yet; it reads padPosition when it initialises.
    if (window)
        PostMessage(window, movingQuimbelMessage, 0, 0);
}

BOOL StartPad(CMainFrame* frame)
{
    POINT position = {0, 0};
    ReadMousePosition(&position);
    DWORD owner = ReadMouseOwner();

    PadLockScope lock;
    // A pad object whose thread could not be started never ran: nothing else holds it.
    if (padDialog && !frame->padThread)
        delete padDialog;
    padDialog = new (std::nothrow) CRoundMapDlg;
    if (!padDialog)
        return FALSE;
    padDialog->ownerMode = owner != 0;
    padPosition = position;

    CWinThread* thread = new (std::nothrow) CWinThread(PadThreadProcedure, frame);
    if (!thread)
        return FALSE;
    // The lock is held until the thread is recorded: the thread clears the record when it ends.
    if (!thread->CreateThread(THREAD_PRIORITY_NORMAL, 0)) {
        delete thread;
        return FALSE;
    }
    frame->padThread = thread;
    if (padThreadHandle)
        CloseHandle(padThreadHandle);
    padThreadHandle = nullptr;
    DuplicateHandle(GetCurrentProcess(), thread->thread, GetCurrentProcess(), &padThreadHandle, SYNCHRONIZE, FALSE, 0);
    padThreadId = thread->threadId;
    return TRUE;
}

void BringBrowserToFront()
{
    HWND browser = FindWindow("IEFrame", nullptr);
    if (!browser)
        return;
    ShowWindow(browser, SW_SHOWMAXIMIZED);
    SetForegroundWindow(browser);
    SetFocus(browser);
}

}  // namespace

void OpenOrMovePad(CMainFrame* frame)
{
    if (!frame)
        return;
    frame->KillTimer(CMainFrame::watchdogTimer);
    WaitForClosingPad(frame);

    BOOL open;
    {
        PadLockScope lock;
        open = frame->padThread && padDialog && !padDialog->IsWindowGone();
    }
    if (open)
        MovePad();
    else if (!StartPad(frame))
        return;

    frame->SetTimer(CMainFrame::watchdogTimer, CMainFrame::watchdogInterval);
    BringBrowserToFront();
}

void ReleasePad(CMainFrame* frame)
{
    if (!frame)
        return;
    HANDLE running = nullptr;
    DWORD runningId = 0;
    CRoundMapDlg* neverRan = nullptr;
    {
        PadLockScope lock;
        if (padDialog && frame->padThread) {
            running = DuplicatePadThreadHandle();
            runningId = padThreadId;
        } else if (padDialog) {
            neverRan = padDialog;
            padDialog = nullptr;
        }
    }
    delete neverRan;
    if (!running)
        return;
    // The pad thread releases its object when its modal loop has ended; a pad that does not end in time
    // is left alone rather than freed under its running thread.
    WaitForPadThread(running, runningId, padEndTimeout, TRUE);
    CloseHandle(running);
}
