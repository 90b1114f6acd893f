// CDialog: a dialog box made from a template resource of the resource module, modal (DoModal) or modeless
// (Create), whose messages go through the message map chain like any CWnd's. The template's own dialog
// procedure stays the default processing. IDOK and IDCANCEL end a top-level dialog; a child dialog (a page
// inside a frame) is never ended by them: they go to its parent's own OK and Cancel handling.
//
// The modal loop is the framework's: the owner's top-level window is disabled for its time, and every
// message passes the application's pre-translation, so modeless child dialogs inside a modal one get their
// Tab, Enter and Esc. A WM_QUIT that arrives meanwhile ends the dialog (-1) and is posted again for the
// loop outside. No dialog posts WM_QUIT itself, so a modal dialog may be the main window of a library that
// runs on its caller's thread.
#pragma once
#include "framework/Wnd.h"
#include <windows.h>

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, HWND parent = nullptr);
    // A modeless dialog that still has its window is destroyed.
    ~CDialog() override;

    // Creates the dialog on the calling thread and runs its modal loop until EndDialog; the result given
    // to EndDialog, or -1 when the dialog could not be created or the thread was asked to quit.
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
    HINSTANCE resourceModule;   // where the template is; GetResourceModule() unless set

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
    // A child dialog's OK or Cancel: handed to the parent as its own command.
    BOOL ForwardToParent(UINT id);

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RunModalLoop();
    BOOL IsChildDialog() const;

    BOOL modal;
    BOOL modalEnded;
    INT_PTR modalResult;
};
