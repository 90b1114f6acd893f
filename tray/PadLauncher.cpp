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

// Guards padDialog, the running pad thread's record below and the frame's padThread: the main thread opens
// and releases pads, the pad thread clears them when it ends. Never held while waiting for the shared
// block's lock, which another process may hold for a while.
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
// padThreadId is nonzero while a pad thread runs for padDialog.
HANDLE padThreadHandle = nullptr;
DWORD padThreadId = 0;
// The frame whose padThread shows the running thread; null once that frame gave up waiting for the
// thread on its way out, so that the ending thread never writes into a frame that may be gone.
CMainFrame* padFrame = nullptr;

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

// The frame given as parameter may be gone by the time the pad ends: padFrame says whether it is not.
UINT PadThreadProcedure(void*)
{
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
        current = padDialog == pad;
    }
    // Outside the lock: the block's own lock may keep this thread waiting. A newer pad has not published
    // its window yet: the launcher starts one only once this thread has ended (or after a long wait).
    if (current)
        pad->ClearRoundMap();
    {
        PadLockScope lock;
        // A newer pad may already stand in the globals (this one's window was gone): leave them to it.
        current = padDialog == pad;
        if (current) {
            padDialog = nullptr;
            if (padFrame)
                padFrame->padThread = nullptr;
            padFrame = nullptr;
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
void WaitForClosingPad()
{
    HANDLE closing = nullptr;
    {
        PadLockScope lock;
        if (padThreadId && padDialog && padDialog->IsWindowGone())
            closing = DuplicatePadThreadHandle();
    }
    if (closing) {
        WaitForPadThread(closing, 0, padEndTimeout, FALSE);
        CloseHandle(closing);
    }
}

void MovePad()
{
    POINT position;
    BOOL moved = ReadMousePosition(&position);
    HWND window = nullptr;
    {
        PadLockScope lock;
        if (moved)
            padPosition = position;
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
    if (padDialog && !padThreadId)
        delete padDialog;
    // A thread still running here outlived its frame's wait; it ends on its own and its record goes now.
    if (padThreadHandle)
        CloseHandle(padThreadHandle);
    padThreadHandle = nullptr;
    padThreadId = 0;
    padFrame = nullptr;
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
    padFrame = frame;
    DuplicateHandle(GetCurrentProcess(), thread->thread, GetCurrentProcess(), &padThreadHandle, SYNCHRONIZE, FALSE, 0);
    padThreadId = thread->threadId;
    return TRUE;
}

void BringBrowserToFront()
{
    HWND browser = FindWindow("IEFrame", nullptr);
    if (!browser)
        return;
    // Another program's window: a synchronous ShowWindow would wait for that program, and a frozen browser
    // would then hang this thread, which also runs the low-level mouse hook.
    ShowWindowAsync(browser, SW_SHOWMAXIMIZED);
    SetForegroundWindow(browser);
    SetFocus(browser);
}

}  // namespace

void OpenOrMovePad(CMainFrame* frame)
{
    if (!frame)
        return;
    frame->KillTimer(CMainFrame::watchdogTimer);
    WaitForClosingPad();

    BOOL open;
    {
        PadLockScope lock;
        open = padThreadId && padDialog && !padDialog->IsWindowGone();
    }
    if (open) {
        MovePad();
    } else if (!StartPad(frame)) {
        // Without the watchdog the tray would never see the property program end and would keep the
        // mouse hook for good.
        frame->SetTimer(CMainFrame::watchdogTimer, CMainFrame::watchdogInterval);
        return;
    }

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
        if (padDialog && padThreadId) {
            running = DuplicatePadThreadHandle();
            runningId = padThreadId;
        } else if (padDialog) {
            neverRan = padDialog;
            padDialog = nullptr;
        }
    }
    delete neverRan;
    if (running) {
        // The pad thread releases its object when its modal loop has ended; a pad that does not end in
        // time is left alone rather than freed under its running thread.
        WaitForPadThread(running, runningId, padEndTimeout, TRUE);
        CloseHandle(running);
    }
    // The frame goes away after this: a pad thread still running must not report its end to it.
    PadLockScope lock;
    if (padFrame == frame)
        padFrame = nullptr;
}
