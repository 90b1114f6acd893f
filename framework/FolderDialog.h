// CFolderDialog: the shell's folder browser (SHBrowseForFolder) run like a modal dialog of the framework:
// its owner's top-level window is disabled for the time of the browse, and the browser's window is bound
// to this object while it exists.
#pragma once
#include "framework/Dialog.h"
#include <windows.h>
#include <shlobj.h>

class CFolderDialog : public CDialog {
public:
    // title is used as given (not copied): it must outlive the dialog. initialFolder may be null or empty
    // for the shell's own first selection; flags are BIF_ values.
    CFolderDialog(const char* title, const char* initialFolder, HWND parent, UINT flags);

    // IDOK (1) with folderPath set when a file-system folder was chosen; IDCANCEL (2) when the chosen item
    // has no file-system path (folderPath unchanged); -1 when the user cancelled.
    INT_PTR DoModal() override;

    // The hooks of the browser's callback; browseWindow is the browser while one runs.
    virtual void OnInitialized();
    // text: what the user typed. Non-zero keeps the browser open.
    virtual int OnValidateFailed(const char* text);
    virtual void OnSelectionChanged(LPCITEMIDLIST items);

    BROWSEINFOA browseInfo;
    char folderPath[MAX_PATH];
    char initialFolder[MAX_PATH];
    char displayName[MAX_PATH];
    HWND browseWindow;

    static constexpr char invalidPathQuestion[] = "The path entered is not valid! Continue ?";

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCFolderDialog;

protected:
    // The browser is the shell's dialog: its own procedure handles OK, Cancel and initialisation, so none
    // of CDialog's entries may take those messages from it.
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    static int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM data);
};
