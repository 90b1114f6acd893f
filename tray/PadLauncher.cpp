#include "tray/PadLauncher.h"
#include "framework/CriticalSection.h"
#include "framework/SingleLock.h"
#include "framework/WinThread.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include "tray/MainFrame.h"
#include "tray/ProcessLifetime.h"
#include "tray/RoundMapDlg.h"
#include "tray/TrayGlobals.h"
#include <new>
#include <string.h>

namespace {

// How long the frame's release waits for a pad thread to end: a closing pad needs a few milliseconds.
const DWORD padEndTimeout = 5000;
// How long "Open quimbel" waits for an ending pad's thread: the main thread also runs the low-level mouse
// hook, so it never stops for longer than a hook may take.
const DWORD endingPadWait = 40;

// Guards padDialog, the running pad thread's record below and the frame's padThread: the main thread opens
// and releases pads, the pad thread clears them when it ends. Never held while waiting for the shared
// block's lock, which another process may hold for a while.
ProcessLifetime<CCriticalSection> g_padLock;

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

struct CloseRequest {
    const CRoundMapDlg* pad;
    BOOL endPad;
};

// Asks a dialog of the pad thread to close: a message box the pad shows gets WM_CLOSE; the pad itself only
// when it is to end, and then through endPadMessage. Their tooltips go with them.
BOOL CALLBACK PostClose(HWND window, LPARAM parameter)
{
    const CloseRequest* request = reinterpret_cast<const CloseRequest*>(parameter);
    char className[16];
    if (!GetClassName(window, className, sizeof className) || strcmp(className, "#32770") != 0)
        return TRUE;
    if (CWnd::FromHandle(window) != request->pad)
        PostMessage(window, WM_CLOSE, 0, 0);
    else if (request->endPad)
        PostMessage(window, CRoundMapDlg::endPadMessage, 0, 0);
    return TRUE;
}

// Waits for a pad thread to end, asking its dialogs to close, again whenever one may have appeared. FALSE
// on time-out. Messages sent to this thread wait meanwhile: one of them could close and delete the frame
// under the caller.
BOOL WaitForPadThread(HANDLE thread, DWORD threadId, const CRoundMapDlg* pad, DWORD timeout, BOOL endPad)
{
    CloseRequest request = {pad, endPad};
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeout)
            return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
        EnumThreadWindows(threadId, PostClose, reinterpret_cast<LPARAM>(&request));
        DWORD slice = timeout - elapsed < 50 ? timeout - elapsed : 50;
        DWORD result = WaitForSingleObject(thread, slice);
        if (result != WAIT_TIMEOUT)
            return result == WAIT_OBJECT_0;
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

// The frame given as parameter may be gone by the time the pad ends: padFrame says whether it is not. The
// launcher took a hold on the shared block for this thread; it is given back last.
UINT PadThreadProcedure(void*)
{
    CRoundMapDlg* pad;
    {
        CSingleLock lock(&g_padLock.object, TRUE);
        pad = padDialog;
    }
    if (!pad) {
        DropSharedState();
        return 0;
    }
    pad->previousForeground = GetForegroundWindow();
    SetFocus(nullptr);
    pad->DoModal();

    // Outside the lock: the block's own lock may keep this thread waiting. A newer pad's handle stays.
    pad->ClearRoundMap();
    {
        CSingleLock lock(&g_padLock.object, TRUE);
        // A newer pad may already stand in the globals (this one was left to end on its own): leave them
        // to it.
        if (padDialog == pad) {
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
    DropSharedState();
    return 0;
}

// A pad that is ending counts as closed. Its thread has only its clean-up left unless a dialog of it (a
// message box) is still up: that is asked to close, and the thread gets a moment to finish before a new
// pad takes the globals. One that needs longer is left to end on its own.
void WaitForEndingPad()
{
    HANDLE ending = nullptr;
    DWORD endingId = 0;
    const CRoundMapDlg* pad = nullptr;
    {
        CSingleLock lock(&g_padLock.object, TRUE);
        if (padThreadId && padDialog && padDialog->IsWindowGone()) {
            ending = DuplicatePadThreadHandle();
            endingId = padThreadId;
            pad = padDialog;
        }
    }
    if (ending) {
        WaitForPadThread(ending, endingId, pad, endingPadWait, FALSE);
        CloseHandle(ending);
    }
}

void MovePad()
{
    POINT position;
    BOOL moved = ReadMousePosition(&position);
    HWND window = nullptr;
    {
        CSingleLock lock(&g_padLock.object, TRUE);
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

    CSingleLock lock(&g_padLock.object, TRUE);
    // A pad object whose thread could not be started never ran: nothing else holds it.
    if (padDialog && !padThreadId)
        delete padDialog;
    // A thread still running here was left to end on its own; its record goes now.
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
    HoldSharedState();
    // The lock is held until the thread is recorded: the thread clears the record when it ends.
    if (!thread->CreateThread(THREAD_PRIORITY_NORMAL, 0)) {
        DropSharedState();
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
    WaitForEndingPad();

    BOOL open;
    {
        CSingleLock lock(&g_padLock.object, TRUE);
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
    const CRoundMapDlg* runningPad = nullptr;
    CRoundMapDlg* neverRan = nullptr;
    {
        CSingleLock lock(&g_padLock.object, TRUE);
        if (padDialog && padThreadId) {
            running = DuplicatePadThreadHandle();
            runningId = padThreadId;
            runningPad = padDialog;
        } else if (padDialog) {
            neverRan = padDialog;
            padDialog = nullptr;
        }
    }
    delete neverRan;
    if (running) {
        // The pad ends as if its window were destroyed. Its thread releases its object when the modal loop
        // has ended; a pad that does not end in time is left alone rather than freed under its thread.
        WaitForPadThread(running, runningId, runningPad, padEndTimeout, TRUE);
        CloseHandle(running);
    }
    // The frame goes away after this: a pad thread still running must not report its end to it.
    CSingleLock lock(&g_padLock.object, TRUE);
    if (padFrame == frame)
        padFrame = nullptr;
}
