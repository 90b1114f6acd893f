// CDialog: a dialog box made from a template resource, modal (DoModal) or modeless (Create), whose
// messages go through the message map chain like any CWnd's. The template's own dialog procedure stays
// the default processing; IDOK and IDCANCEL end the dialog, and owner-drawn controls get their
// WM_DRAWITEM reflected to their own objects.
#pragma once
#include <windows.h>
#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, HWND parent = nullptr);
    // A modeless dialog that still has its window is destroyed.
    ~CDialog() override;

    // Creates the dialog on the calling thread and runs its modal loop until EndDialog; the result given
    // to EndDialog, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless and returns at once; FALSE when it could not be created. The caller's
    // message loop gives it keyboard navigation through PreTranslateMessage.
    BOOL Create(UINT id = 0, HWND parent = nullptr);

    // Ends a modal dialog with result (its modal loop returns it); destroys a modeless one.
    BOOL EndDialog(INT_PTR result);
    BOOL IsModal() const { return modal; }

    // Copies between controls and members (DoDataExchange); FALSE when a step failed.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    BOOL PreTranslateMessage(MSG* msg) override;

    UINT templateId;
    HWND parentWindow;
    HINSTANCE resourceModule;   // where the template is; the program's own module unless set

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCDialog;

protected:
    // Standard initialisation binds the controls (UpdateData(FALSE)); TRUE lets the dialog manager give
    // the focus to the first control.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* exchange) {}

    LRESULT OnInitDialogMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL modal;
};
