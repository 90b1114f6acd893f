#include "framework/Dialog.h"
#include "framework/Button.h"
#include "framework/DataExchange.h"

const CRuntimeClass CDialog::classCDialog = {"CDialog", sizeof(CDialog), nullptr, &CWnd::classCWnd};
const CRuntimeClass* CDialog::GetRuntimeClass() const { return &classCDialog; }

const MessageEntry CDialog::messageEntries[] = {
    OnMessage(WM_INITDIALOG, &CDialog::OnInitDialogMessage),
    OnMessage(WM_DRAWITEM, &CDialog::OnDrawItem),
    OnCommand(IDOK, &CDialog::OnOK),
    OnCommand(IDCANCEL, &CDialog::OnCancel),
};
const MessageMap CDialog::messageMap = MakeMessageMap(&CWnd::messageMap, CDialog::messageEntries);

CDialog::CDialog(UINT templateId, HWND parent)
    : templateId(templateId), parentWindow(parent), resourceModule(GetModuleHandle(nullptr)), modal(FALSE)
{
}

CDialog::~CDialog()
{
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
    if (hwnd || !HookWindowCreate(this))
        return -1;
    modal = TRUE;
    INT_PTR result = DialogBoxParam(resourceModule, MAKEINTRESOURCE(templateId), parentWindow, DialogProc,
                                    reinterpret_cast<LPARAM>(this));
    UnhookWindowCreate();
    modal = FALSE;
    return result;
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
    return modal ? ::EndDialog(hwnd, result) : ::DestroyWindow(hwnd);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return !exchange.failed;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (modal || !hwnd)
        return FALSE;
    return IsDialogMessage(hwnd, msg);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// The binding level opened by Create or DoModal is theirs to end: it took the dialog's window as its one
// window, so the controls and tooltips made after it are not taken for it. Ending it here as well would
// end the level of a window whose creation this dialog is part of.
LRESULT CDialog::OnInitDialogMessage(WPARAM, LPARAM)
{
    return OnInitDialog();
}

LRESULT CDialog::OnDrawItem(WPARAM wParam, LPARAM lParam)
{
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    CWnd* control = item && item->CtlType == ODT_BUTTON ? CWnd::FromHandle(item->hwndItem) : nullptr;
    if (control && control->IsKindOf(&CButton::classCButton)) {
        static_cast<CButton*>(control)->DrawItem(item);
        return TRUE;
    }
    return Default();
}
