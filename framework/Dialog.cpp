#include "framework/Dialog.h"
#include "framework/DataExchange.h"
#include "framework/ModalScope.h"
#include "framework/ResourceModule.h"
#include "framework/WinApp.h"

const CRuntimeClass CDialog::classCDialog = {"CDialog", sizeof(CDialog), nullptr, &CWnd::classCWnd};
const CRuntimeClass* CDialog::GetRuntimeClass() const { return &classCDialog; }

const MessageEntry CDialog::messageEntries[] = {
    OnMessage(WM_INITDIALOG, &CDialog::OnInitDialogMessage),
    OnCommand(IDOK, &CDialog::OnOK),
    OnCommand(IDCANCEL, &CDialog::OnCancel),
};
const MessageMap CDialog::messageMap = MakeMessageMap(&CWnd::messageMap, CDialog::messageEntries);

CDialog::CDialog(UINT templateId, HWND parent)
    : templateId(templateId), parentWindow(parent), resourceModule(GetResourceModule()), modal(FALSE),
      modalEnded(FALSE), modalResult(-1)
{
}

CDialog::~CDialog()
{
    CWinApp* app = CWinApp::Get();
    if (app && app->mainWnd == this)
        app->mainWnd = nullptr;
    if (hwnd && !modal)
        ::DestroyWindow(hwnd);
}

// The dialog manager's own procedure sees only what the map left to the default processing; the map has
// already answered everything the class handles, so nothing is left to do here.
INT_PTR CALLBACK CDialog::DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

INT_PTR CDialog::DoModal()
{
    if (hwnd)
        return -1;
    modalEnded = FALSE;
    modalResult = -1;
    {
        CModalScope scope(this, parentWindow);
        modal = TRUE;
        HWND window = CreateDialogParam(resourceModule, MAKEINTRESOURCE(templateId), scope.Owner(), DialogProc,
                                        reinterpret_cast<LPARAM>(this));
        scope.EndBinding();
        if (!window) {
            modal = FALSE;
            return -1;
        }
        if (!modalEnded) {
            ::ShowWindow(window, SW_SHOW);
            RunModalLoop();
        }
        // The owner comes back before the dialog goes, so that the activation returns to it and not to
        // another program's window.
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        HWND owner = scope.Owner();
        scope.Restore();
        if (owner && GetActiveWindow() == window)
            SetActiveWindow(owner);
        ::DestroyWindow(window);
    }
    modal = FALSE;
    return modalResult;
}

void CDialog::RunModalLoop()
{
    CWinApp* app = CWinApp::Get();
    MSG msg;
    while (!modalEnded) {
        BOOL got = GetMessage(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Quitting is the outer loop's business: end the dialog and hand the request on.
            PostQuitMessage(static_cast<int>(msg.wParam));
            modalResult = -1;
            break;
        }
        if (got == -1)
            break;
        BOOL used = app ? app->PreTranslateMessage(&msg) : FALSE;
        if (!used) {
            // Without an application object: the windows from the target up to this dialog.
            for (HWND window = app ? nullptr : msg.hwnd; window && !used; window = ::GetParent(window)) {
                CWnd* wnd = CWnd::FromHandle(window);
                used = wnd && wnd->PreTranslateMessage(&msg);
                if (window == hwnd)
                    break;
            }
        }
        if (!used) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

BOOL CDialog::Create(UINT id, HWND parent)
{
    if (id)
        templateId = id;
    if (parent)
        parentWindow = parent;
    if (hwnd || !HookWindowCreate(this))
        return FALSE;
    modal = FALSE;
    HWND window = CreateDialogParam(resourceModule, MAKEINTRESOURCE(templateId), parentWindow, DialogProc,
                                    reinterpret_cast<LPARAM>(this));
    UnhookWindowCreate();
    return window != nullptr;
}

BOOL CDialog::EndDialog(INT_PTR result)
{
    if (!hwnd)
        return FALSE;
    if (!modal)
        return ::DestroyWindow(hwnd);
    modalResult = result;
    modalEnded = TRUE;
    // Wakes the modal loop, which may be waiting in GetMessage.
    ::PostMessage(hwnd, WM_NULL, 0, 0);
    return TRUE;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return !exchange.failed;
}

BOOL CDialog::IsChildDialog() const
{
    return hwnd && (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (!hwnd)
        return FALSE;
    // A child dialog that is a control parent is part of the dialog around it: Tab, Enter, Esc and
    // mnemonics are that dialog's, across its own controls and this one's.
    if (IsChildDialog() && (GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT))
        return FALSE;
    // A child dialog leaves Enter and Esc to the dialog around it, whose own navigation sends them to its
    // default button and its Cancel.
    if (IsChildDialog() && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP || msg->message == WM_CHAR) &&
        (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        return FALSE;
    return IsDialogMessage(hwnd, msg);
}

BOOL CDialog::ForwardToParent(UINT id)
{
    HWND parent = GetParent();
    if (!IsChildDialog() || !parent)
        return FALSE;
    ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(parent, id)));
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!ForwardToParent(IDOK))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    if (!ForwardToParent(IDCANCEL))
        EndDialog(IDCANCEL);
}

// The binding level opened by Create or DoModal is theirs to end: it took the dialog's window as its one
// window, so the controls and tooltips made after it are not taken for it. Ending it here as well would
// end the level of a window whose creation this dialog is part of.
LRESULT CDialog::OnInitDialogMessage(WPARAM, LPARAM)
{
    return OnInitDialog();
}
