// The application framework's window classes: message-map dispatch and chaining, the default procedure
// of created and subclassed windows, binding at creation, frames made from resources, self-deleting
// frames and threads.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "tests/support/MessageLog.h"
#include "tests/support/MessagePump.h"
#include "framework/Dialog.h"
#include "framework/FrameWnd.h"
#include "framework/WinApp.h"
#include "framework/WinThread.h"
#include "framework/Wnd.h"

namespace {

const UINT IDR_TESTFRAME = 901;
const UINT ID_TEST_QUIT = 902;
const UINT IDD_TESTDIALOG = 903;

CWinApp testApp;

UINT testRegistered = RegisterWindowMessage("Ferrowin framework test message");

class CBaseWindow : public CWnd {
public:
    LRESULT OnBaseCreate(WPARAM w, LPARAM l)
    {
        g_messageLog.Record(hwnd, WM_CREATE, 0, 0, "base-create");
        return Default();
    }
    LRESULT OnBaseUser(WPARAM w, LPARAM l)
    {
        g_messageLog.Record(hwnd, WM_USER, w, l, "base-user");
        return 11;
    }
    LRESULT OnBaseUser1(WPARAM w, LPARAM l)
    {
        g_messageLog.Record(hwnd, WM_USER + 1, w, l, "base-user1");
        return 12;
    }

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;
};

const MessageEntry CBaseWindow::messageEntries[] = {
    OnMessage(WM_CREATE, &CBaseWindow::OnBaseCreate),
    OnMessage(WM_USER, &CBaseWindow::OnBaseUser),
    OnMessage(WM_USER + 1, &CBaseWindow::OnBaseUser1),
};
const MessageMap CBaseWindow::messageMap = MakeMessageMap(&CWnd::messageMap, messageEntries);

class CDerivedWindow : public CBaseWindow {
public:
    ~CDerivedWindow() override { destroyedObjects++; }

    LRESULT OnUser(WPARAM w, LPARAM l)
    {
        g_messageLog.Record(hwnd, GetCurrentMessage()->message, w, l, "derived-user");
        return 21;
    }
    LRESULT OnTestMessage(WPARAM w, LPARAM l)
    {
        g_messageLog.Record(hwnd, GetCurrentMessage()->message, w, l, "registered");
        return 22;
    }
    void OnOk() { g_messageLog.Record(hwnd, WM_COMMAND, GetCurrentMessage()->wParam, 0, "ok"); }
    void OnClicked() { g_messageLog.Record(hwnd, WM_COMMAND, GetCurrentMessage()->wParam, 0, "clicked-7"); }
    // Typed handlers record what the framework cracked for them.
    void OnDraw(HDC dc) { Note(GetCurrentMessage()->message, reinterpret_cast<WPARAM>(dc), 0, "draw"); }
    BOOL OnErase(HDC dc)
    {
        Note(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0, "erase");
        return 31;
    }
    void OnTick(UINT_PTR id) { Note(WM_TIMER, id, 0, "tick"); }
    HBRUSH OnColour(HDC dc, HWND control)
    {
        Note(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control), "colour");
        return static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    }
    void OnMove(UINT keys, POINT point) { Note(WM_MOUSEMOVE, keys, MAKELPARAM(point.x + 100, point.y + 100), "move"); }
    void Note(UINT message, WPARAM w, LPARAM l, const char* note) { g_messageLog.Record(hwnd, message, w, l, note); }
    void OnRange(UINT id, UINT code) { g_messageLog.Record(hwnd, WM_COMMAND, MAKEWPARAM(id, code), 0, "range"); }
    LRESULT OnSetText(WPARAM w, LPARAM l)
    {
        g_messageLog.Record(hwnd, WM_SETTEXT, 0, 0, "settext");
        return Default();   // the default procedure stores the text
    }

    static int destroyedObjects;
    BOOL selfDelete = FALSE;

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;
    void PostNcDestroy() override
    {
        g_messageLog.Record(hwnd, 0, 0, 0, "post-nc-destroy");
        if (selfDelete)
            delete this;
    }
};
int CDerivedWindow::destroyedObjects = 0;

const MessageEntry CDerivedWindow::messageEntries[] = {
    OnMessage(WM_USER, &CDerivedWindow::OnUser),
    OnRegistered(&testRegistered, &CDerivedWindow::OnTestMessage),
    OnCommand(IDOK, &CDerivedWindow::OnOk),
    OnCommand(7, BN_CLICKED, &CDerivedWindow::OnClicked),
    OnCommandRange(100, 103, &CDerivedWindow::OnRange),
    OnMessage(WM_SETTEXT, &CDerivedWindow::OnSetText),
    OnPaint(&CDerivedWindow::OnDraw),
    OnPrintClient(&CDerivedWindow::OnDraw),
    OnEraseBackground(&CDerivedWindow::OnErase),
    OnTimer(&CDerivedWindow::OnTick),
    OnControlColour(WM_CTLCOLOREDIT, &CDerivedWindow::OnColour),
    OnMouse(WM_MOUSEMOVE, &CDerivedWindow::OnMove),
};
const MessageMap CDerivedWindow::messageMap = MakeMessageMap(&CBaseWindow::messageMap, messageEntries);

HWND CreateDerived(CDerivedWindow* window)
{
    const char* className = CWnd::RegisterFrameworkClass(0);
    if (!className || !window->CreateEx(0, className, "derived", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr))
        return nullptr;
    return window->hwnd;
}

}  // namespace

TEST(MessageMap, DerivedEntriesFirstThenBaseThenDefault)
{
    g_messageLog.Clear();
    CDerivedWindow window;
    HWND handle = CreateDerived(&window);
    ASSERT_TRUE(handle);
    EXPECT_EQ(&window, CWnd::FromHandle(handle));
    // WM_CREATE comes from the base map: the binding is in place before the window's first messages.
    EXPECT_TRUE(SameSequence({Handled("base-create", WM_CREATE, 0, 0)}, g_messageLog.Entries()));

    g_messageLog.Clear();
    EXPECT_EQ(21, SendMessage(handle, WM_USER, 1, 2));
    EXPECT_EQ(12, SendMessage(handle, WM_USER + 1, 3, 4));
    EXPECT_EQ(22, SendMessage(handle, testRegistered, 5, 6));
    EXPECT_EQ(0, SendMessage(handle, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0));
    SendMessage(handle, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0);
    SendMessage(handle, WM_COMMAND, MAKEWPARAM(7, BN_SETFOCUS), 0);   // other code: no entry
    SendMessage(handle, WM_COMMAND, MAKEWPARAM(99, 0), 0);
    SendMessage(handle, WM_COMMAND, MAKEWPARAM(100, 0), 0);
    SendMessage(handle, WM_COMMAND, MAKEWPARAM(103, 0), 0);
    SendMessage(handle, WM_COMMAND, MAKEWPARAM(104, 0), 0);
    EXPECT_TRUE(SameSequence({Handled("derived-user", WM_USER, 1, 2),
                              Handled("base-user1", WM_USER + 1, 3, 4),
                              Handled("registered", testRegistered, 5, 6),
                              Handled("ok", WM_COMMAND, IDOK, 0),
                              Handled("clicked-7", WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0),
                              Handled("range", WM_COMMAND, 100, 0),
                              Handled("range", WM_COMMAND, 103, 0)},
                             g_messageLog.Entries()));

    // Typed entries: each handler gets the message's parameters as what they mean, and its answer is the
    // message's result (paint, timer and mouse handlers answer 0).
    g_messageLog.Clear();
    HDC memory = CreateCompatibleDC(nullptr);
    HWND child = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 10, 10, handle, nullptr, nullptr, nullptr);
    EXPECT_EQ(0, SendMessage(handle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT));
    EXPECT_EQ(31, SendMessage(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0));
    EXPECT_EQ(0, SendMessage(handle, WM_TIMER, 77, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH)),
              SendMessage(handle, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(child)));
    EXPECT_EQ(0, SendMessage(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, -7)));   // captured: off the window
    EXPECT_TRUE(SameSequence({Handled("draw", WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), 0),
                              Handled("erase", WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0),
                              Handled("tick", WM_TIMER, 77, 0),
                              Handled("colour", WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(memory),
                                      reinterpret_cast<LPARAM>(child)),
                              Handled("move", WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(95, 93))},
                             g_messageLog.Entries()));
    // WM_PAINT: drawn between BeginPaint and EndPaint, so nothing is left to paint afterwards.
    g_messageLog.Clear();
    InvalidateRect(handle, nullptr, FALSE);
    EXPECT_EQ(0, SendMessage(handle, WM_PAINT, 0, 0));
    ASSERT_EQ(1u, g_messageLog.Size());
    EXPECT_EQ(static_cast<UINT>(WM_PAINT), g_messageLog.Entries()[0].message);
    EXPECT_NE(0u, g_messageLog.Entries()[0].wParam) << "no context from BeginPaint";
    EXPECT_FALSE(GetUpdateRect(handle, nullptr, FALSE));
    DestroyWindow(child);
    DeleteDC(memory);

    // A handler that calls Default() gets the default procedure's work done too.
    g_messageLog.Clear();
    SetWindowText(handle, "changed");
    char text[32] = "";
    GetWindowText(handle, text, sizeof text);
    EXPECT_STREQ("changed", text);
    EXPECT_TRUE(SameSequence({Handled("settext", WM_SETTEXT, 0, 0)}, g_messageLog.Entries()));

    g_messageLog.Clear();
    EXPECT_TRUE(window.DestroyWindow());
    EXPECT_EQ(nullptr, window.hwnd);
    EXPECT_EQ(nullptr, CWnd::FromHandle(handle));
    EXPECT_TRUE(SameSequence({Handled("post-nc-destroy", 0, 0, 0)}, g_messageLog.Entries()));
}

namespace {
UINT notYetRegistered = 0;
struct CLateWindow : CWnd {
    LRESULT OnLate(WPARAM, LPARAM) { return 5; }
};
}  // namespace

TEST(MessageMap, UnregisteredNumberMatchesNothing)
{
    static const MessageEntry entries[] = {OnRegistered(&notYetRegistered, &CLateWindow::OnLate)};
    const MessageMap map = MakeMessageMap(nullptr, entries);
    EXPECT_EQ(nullptr, FindMessageEntry(&map, 0, 0));
    notYetRegistered = 0xC123;
    EXPECT_EQ(&entries[0], FindMessageEntry(&map, 0xC123, 0));
}

TEST(Wnd, DestroyingTheWindowFromAHandlerDeletesTheObjectSafely)
{
    g_messageLog.Clear();
    CDerivedWindow::destroyedObjects = 0;
    CDerivedWindow* window = new CDerivedWindow;
    window->selfDelete = TRUE;
    HWND handle = CreateDerived(window);
    ASSERT_TRUE(handle);
    DestroyWindow(handle);
    EXPECT_EQ(1, CDerivedWindow::destroyedObjects);
    EXPECT_FALSE(IsWindow(handle));
}

TEST(Wnd, SubclassedControlKeepsItsOwnBehaviourAndIsGivenBack)
{
    HWND edit = CreateWindowEx(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(edit);
    WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(edit, GWLP_WNDPROC));

    g_messageLog.Clear();
    CDerivedWindow window;
    ASSERT_TRUE(window.SubclassWindow(edit));
    EXPECT_FALSE(CDerivedWindow().SubclassWindow(edit));   // already bound to another object
    EXPECT_EQ(21, SendMessage(edit, WM_USER, 8, 9));
    SetWindowText(edit, "typed");   // handled, then passed to the edit control through Default()
    char text[32] = "";
    GetWindowText(edit, text, sizeof text);
    EXPECT_STREQ("typed", text);
    // EM_SETSEL has no entry: the edit control's own procedure answers.
    SendMessage(edit, EM_SETSEL, 1, 3);
    DWORD start = 0, end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(1u, start);
    EXPECT_EQ(3u, end);
    EXPECT_TRUE(SameSequence({Handled("derived-user", WM_USER, 8, 9), Handled("settext", WM_SETTEXT, 0, 0)},
                             g_messageLog.Entries()));

    EXPECT_EQ(edit, window.UnsubclassWindow());
    EXPECT_EQ(original, reinterpret_cast<WNDPROC>(GetWindowLongPtr(edit, GWLP_WNDPROC)));
    EXPECT_EQ(nullptr, CWnd::FromHandle(edit));
    g_messageLog.Clear();
    SendMessage(edit, WM_USER, 0, 0);
    EXPECT_EQ(0u, g_messageLog.Size());
    DestroyWindow(edit);
}

namespace {

// Creates and binds another window while its own creation is under way, as a frame does with its helpers.
class CNestingWindow : public CWnd {
public:
    CDerivedWindow inner;
    BOOL innerCreated = FALSE;
    LRESULT OnCreate(WPARAM, LPARAM)
    {
        innerCreated = CreateDerived(&inner) != nullptr;
        return 0;
    }

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;
};
const MessageEntry CNestingWindow::messageEntries[] = {OnMessage(WM_CREATE, &CNestingWindow::OnCreate)};
const MessageMap CNestingWindow::messageMap = MakeMessageMap(&CWnd::messageMap, messageEntries);

}  // namespace

TEST(Wnd, WindowsCreatedDuringCreationAreBoundToo)
{
    g_messageLog.Clear();
    CNestingWindow outer;
    ASSERT_TRUE(outer.CreateEx(0, CWnd::RegisterFrameworkClass(0), "outer", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_TRUE(outer.innerCreated);
    EXPECT_EQ(&outer.inner, CWnd::FromHandle(outer.inner.hwnd));
    EXPECT_EQ(&outer, CWnd::FromHandle(outer.hwnd));
    EXPECT_NE(outer.hwnd, outer.inner.hwnd);
    EXPECT_EQ(21, SendMessage(outer.inner.hwnd, WM_USER, 0, 0));
    EXPECT_FALSE(CWnd::UnhookWindowCreate());   // every level was closed again
}

namespace {

// Creates a dialog during its own creation, then fails it, as a frame whose start-up fails would.
class CFailingWindow : public CWnd {
public:
    CDialog dialog{IDD_TESTDIALOG};
    int postNcDestroys = 0;
    LRESULT OnCreate(WPARAM, LPARAM) { return dialog.Create() ? -1 : 0; }
    void PostNcDestroy() override { postNcDestroys++; }

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;
};
const MessageEntry CFailingWindow::messageEntries[] = {OnMessage(WM_CREATE, &CFailingWindow::OnCreate)};
const MessageMap CFailingWindow::messageMap = MakeMessageMap(&CWnd::messageMap, messageEntries);

}  // namespace

TEST(Wnd, ADialogMadeDuringAFailedCreationLeavesItsCreatorToEndOnce)
{
    CFailingWindow outer;
    EXPECT_FALSE(outer.CreateEx(0, CWnd::RegisterFrameworkClass(0), "outer", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_TRUE(outer.dialog.hwnd != nullptr);
    EXPECT_EQ(1, outer.postNcDestroys) << "the failed window was given up more than once";
    EXPECT_FALSE(CWnd::UnhookWindowCreate());   // every level was closed again
}

namespace {
UINT dialogProcedureSaw = 0;
INT_PTR CALLBACK RecordingDialogProcedure(HWND, UINT message, WPARAM, LPARAM)
{
    if (message >= WM_APP)
        dialogProcedureSaw = message;
    return FALSE;
}
}  // namespace

TEST(Wnd, HookWindowCreateBindsADialogBeforeItsCreateMessage)
{
    // A dialog template with no controls, built in memory.
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } dialogTemplate = {};
    dialogTemplate.header.style = WS_POPUP;
    dialogTemplate.header.cx = 50;
    dialogTemplate.header.cy = 50;

    g_messageLog.Clear();
    CDerivedWindow dialog;
    ASSERT_TRUE(CWnd::HookWindowCreate(&dialog));
    EXPECT_FALSE(CWnd::HookWindowCreate(&dialog));   // the first one still waits for its window
    HWND handle = CreateDialogIndirectParam(nullptr, &dialogTemplate.header, nullptr,
                                            RecordingDialogProcedure, 0);
    EXPECT_TRUE(CWnd::UnhookWindowCreate());
    ASSERT_TRUE(handle);
    EXPECT_EQ(handle, dialog.hwnd);
    ASSERT_NE(0u, g_messageLog.Size());
    EXPECT_STREQ("base-create", g_messageLog.Entries()[0].note);
    EXPECT_EQ(21, SendMessage(handle, WM_USER, 0, 0));
    // Unhandled messages reach the dialog manager, which hands them to the dialog procedure.
    dialogProcedureSaw = 0;
    SendMessage(handle, WM_APP + 5, 0, 0);
    EXPECT_EQ(WM_APP + 5, dialogProcedureSaw);
    DestroyWindow(handle);
    EXPECT_EQ(nullptr, dialog.hwnd);
    EXPECT_FALSE(CWnd::UnhookWindowCreate());
}

namespace {

int framesDeleted = 0;
int quitCommands = 0;

class CTestFrame : public CFrameWnd {
public:
    ~CTestFrame() override { framesDeleted++; }
    void OnQuit() { quitCommands++; }

    BOOL failCreate = FALSE;
    LRESULT OnCreate(WPARAM w, LPARAM l)
    {
        if (CFrameWnd::OnCreate(w, l) == -1 || failCreate)
            return -1;
        return 0;
    }

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;
};

const MessageEntry CTestFrame::messageEntries[] = {
    OnMessage(WM_CREATE, &CTestFrame::OnCreate),
    OnCommand(ID_TEST_QUIT, &CTestFrame::OnQuit),
};
const MessageMap CTestFrame::messageMap = MakeMessageMap(&CFrameWnd::messageMap, messageEntries);

}  // namespace

TEST(FrameWnd, LoadsItsResourceSetAndDeletesItselfWhenClosed)
{
    framesDeleted = 0;
    CTestFrame* frame = new CTestFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW | frameAddToTitle, nullptr));
    HWND handle = frame->hwnd;
    testApp.mainWnd = frame;

    char title[64] = "";
    GetWindowText(handle, title, sizeof title);
    EXPECT_STREQ("Framed title", title);   // the first field of the string
    EXPECT_EQ(0, GetWindowLong(handle, GWL_STYLE) & frameAddToTitle);
    EXPECT_TRUE(GetMenu(handle) != nullptr);
    EXPECT_TRUE(frame->accelerators != nullptr);

    // The accelerator table is the frame's: Ctrl+Q becomes its command.
    quitCommands = 0;
    MSG key = {handle, WM_KEYDOWN, 'Q', 0, 0, {0, 0}};
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_TRUE(testApp.PreTranslateMessage(&key));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(1, quitCommands);

    // Closing the main frame destroys it, deletes the object and ends the message loop.
    PostMessage(handle, WM_CLOSE, 0, 0);
    MSG msg;
    BOOL sawQuit = FALSE;
    DWORD start = GetTickCount();
    while (!sawQuit && GetTickCount() - start < 5000) {
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                sawQuit = TRUE;
            else
                DispatchMessage(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    EXPECT_TRUE(sawQuit);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(1, framesDeleted);
    EXPECT_EQ(nullptr, testApp.mainWnd);
}

TEST(FrameWnd, FailedCreationDeletesTheFrame)
{
    framesDeleted = 0;
    CTestFrame* frame = new CTestFrame;
    frame->failCreate = TRUE;
    EXPECT_FALSE(frame->LoadFrame(IDR_TESTFRAME));
    EXPECT_EQ(1, framesDeleted);
    Pump(50);
}

namespace {

// Written by the thread; lives as long as the process, so a test that stops waiting leaves it valid.
struct ThreadRecord {
    HANDLE deleted;
    DWORD ranOn;
    DWORD objectThreadId;
    int priority;
};

class CTestThread : public CWinThread {
public:
    CTestThread(ThreadRecord* record) : CWinThread(Run, record), record(record) {}
    ~CTestThread() override
    {
        record->objectThreadId = threadId;
        SetEvent(record->deleted);
    }
    static UINT Run(void* parameter)
    {
        ThreadRecord* record = static_cast<ThreadRecord*>(parameter);
        record->ranOn = GetCurrentThreadId();
        record->priority = GetThreadPriority(GetCurrentThread());
        return 0;
    }
    ThreadRecord* record;
};

}  // namespace

TEST(WinThread, RunsAtNormalPriorityAndDeletesItselfWhenDone)
{
    static ThreadRecord record = {CreateEvent(nullptr, TRUE, FALSE, nullptr), 0, 0, -99};
    CTestThread* thread = new CTestThread(&record);
    ASSERT_TRUE(thread->CreateThread());
    // The object may be gone from here on: it deletes itself when its thread ends.
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(record.deleted, 5000));
    EXPECT_EQ(record.objectThreadId, record.ranOn);
    EXPECT_NE(GetCurrentThreadId(), record.ranOn);
    EXPECT_EQ(THREAD_PRIORITY_NORMAL, record.priority);

    EXPECT_EQ(nullptr, CWinThread::Begin(nullptr, nullptr));
}
