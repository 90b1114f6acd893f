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

CRoundMapDlg* g_padDialog = nullptr;

namespace {

// How long the frame's release waits for a pad thread to end: a closing pad needs a few milliseconds.
constexpr DWORD padEndTimeout = 5000;
// How long "Open quimbel" waits for an ending pad's thread: the main thread also runs the low-level mouse
// hook, so it never stops for longer than a hook may take.
constexpr DWORD endingPadWait = 40;

// Guards g_padDialog, g_reportingLauncher and that launcher's thread record: the main thread opens and
// releases pads, the pad thread clears them when it ends. Never held while waiting for the shared block's
// lock, which another process may hold for a while.
ProcessLifetime<CCriticalSection> g_padLock;

// The launcher whose record shows the running pad thread; null once that launcher gave up waiting for the
// thread on its way out, so that the ending thread never writes into a frame that may be gone.
CPadLauncher* g_reportingLauncher = nullptr;

HANDLE DuplicateSynchronizeHandle(HANDLE thread)
{
    HANDLE copy = nullptr;
    if (thread)
        DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0);
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
    if (!g_sharedState || !g_sharedState->ReadItem(itemMousePosition, &value, &length) || length != sizeof value)
        return FALSE;
    *position = value;
    return TRUE;
}

DWORD ReadMouseOwner()
{
    DWORD owner = 0;
    DWORD length = sizeof owner;
    if (!g_sharedState || !g_sharedState->ReadItem(itemMouseOwner, &owner, &length) || length != sizeof owner)
        return 0;
    return owner;
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

CPadLauncher::CPadLauncher(CMainFrame* frame)
    : frame(frame), padThread(nullptr), padThreadHandle(nullptr), padThreadId(0)
{
}

CPadLauncher::~CPadLauncher()
{
    Release();
}

// Under the pad lock: this launcher no longer records a running thread.
void CPadLauncher::ForgetThread()
{
    padThread = nullptr;
    if (padThreadHandle)
        CloseHandle(padThreadHandle);
    padThreadHandle = nullptr;
    padThreadId = 0;
    if (g_reportingLauncher == this)
        g_reportingLauncher = nullptr;
}

// The launcher that started the pad may be gone by the time the pad ends: g_reportingLauncher says whether
// it is not. The launcher took a hold on the shared block for this thread; it is given back last.
UINT CPadLauncher::RunPad(void*)
{
    CRoundMapDlg* pad;
    {
        CSingleLock lock(&g_padLock.object, TRUE);
        pad = g_padDialog;
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
        // A newer pad may already stand in its place (this one was left to end on its own): leave it be.
        if (g_padDialog == pad) {
            g_padDialog = nullptr;
            if (g_reportingLauncher)
                g_reportingLauncher->ForgetThread();
        }
    }
    delete pad;
    DropSharedState();
    return 0;
}

// A pad that is ending counts as closed. Its thread has only its clean-up left unless a dialog of it (a
// message box) is still up: that is asked to close, and the thread gets a moment to finish before a new
// pad takes its place. One that needs longer is left to end on its own.
void CPadLauncher::WaitForEndingPad()
{
    HANDLE ending = nullptr;
    DWORD endingId = 0;
    const CRoundMapDlg* pad = nullptr;
    {
        CSingleLock lock(&g_padLock.object, TRUE);
        if (padThreadId && g_padDialog && g_padDialog->IsWindowGone()) {
            ending = DuplicateSynchronizeHandle(padThreadHandle);
            endingId = padThreadId;
            pad = g_padDialog;
        }
    }
    if (ending) {
        WaitForPadThread(ending, endingId, pad, endingPadWait, FALSE);
        CloseHandle(ending);
    }
}

void CPadLauncher::MovePad()
{
    POINT position;
    BOOL moved = ReadMousePosition(&position);
    HWND window = nullptr;
    {
        CSingleLock lock(&g_padLock.object, TRUE);
        if (g_padDialog) {
            if (moved)
                g_padDialog->centre = position;
            window = g_padDialog->hwnd;
        }
    }
    // A pad still being created has no window yet; it reads its centre when it initialises.
    if (window)
        PostMessage(window, movingQuimbelMessage, 0, 0);
}

BOOL CPadLauncher::StartPad()
{
    POINT position = {0, 0};
    ReadMousePosition(&position);
    DWORD owner = ReadMouseOwner();

    CSingleLock lock(&g_padLock.object, TRUE);
    // A thread still running here was left to end on its own; the record of it goes now.
    if (g_reportingLauncher)
        g_reportingLauncher->ForgetThread();
    ForgetThread();
    CRoundMapDlg* pad = new (std::nothrow) CRoundMapDlg;
    if (!pad)
        return FALSE;
    pad->ownerMode = owner != 0;
    pad->centre = position;

    CWinThread* thread = new (std::nothrow) CWinThread(RunPad, nullptr);
    if (!thread) {
        delete pad;
        return FALSE;
    }
    g_padDialog = pad;
    HoldSharedState();
    // The lock is held until the thread is recorded: the thread clears the record when it ends.
    if (!thread->CreateThread(THREAD_PRIORITY_NORMAL, 0)) {
        // The pad never ran: nothing else holds it.
        g_padDialog = nullptr;
        DropSharedState();
        delete thread;
        delete pad;
        return FALSE;
    }
    padThread = thread;
    g_reportingLauncher = this;
    padThreadHandle = DuplicateSynchronizeHandle(thread->thread);
    padThreadId = thread->threadId;
    return TRUE;
}

void CPadLauncher::OpenOrMove()
{
    if (!frame)
        return;
    frame->KillTimer(CMainFrame::watchdogTimer);
    WaitForEndingPad();

    BOOL open;
    {
        CSingleLock lock(&g_padLock.object, TRUE);
        open = padThreadId && g_padDialog && !g_padDialog->IsWindowGone();
    }
    BOOL shown = TRUE;
    if (open)
        MovePad();
    else
        shown = StartPad();
    // Also when no pad could be started: without the watchdog the tray would never see the property
    // program end and would keep the mouse hook for good.
    frame->SetTimer(CMainFrame::watchdogTimer, CMainFrame::watchdogInterval);
    if (shown)
        BringBrowserToFront();
}

void CPadLauncher::Release()
{
    HANDLE running = nullptr;
    DWORD runningId = 0;
    const CRoundMapDlg* runningPad = nullptr;
    {
        CSingleLock lock(&g_padLock.object, TRUE);
        if (g_padDialog && padThreadId) {
            running = DuplicateSynchronizeHandle(padThreadHandle);
            runningId = padThreadId;
            runningPad = g_padDialog;
        }
    }
    if (running) {
        // The pad ends as if its window were destroyed. Its thread releases its object when the modal loop
        // has ended; a pad that does not end in time is left alone rather than freed under its thread.
        WaitForPadThread(running, runningId, runningPad, padEndTimeout, TRUE);
        CloseHandle(running);
    }
    // The launcher may go away after this: a pad thread still running must not report its end to it.
    CSingleLock lock(&g_padLock.object, TRUE);
    if (g_reportingLauncher == this || padThreadId)
        ForgetThread();
}
