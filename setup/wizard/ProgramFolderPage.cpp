#include "setup/wizard/ProgramFolderPage.h"
#include "framework/DataExchange.h"
#include "setup/engine/InstallScript.h"
#include "setup/wizard/resource.h"
#include "shared/JoinPath.h"
#include "shared/RegAccess.h"
#include <string.h>

const MessageEntry CProgramFolderPage::messageEntries[] = {
    OnCommand(IDC_LIST, LBN_SELCHANGE, &CProgramFolderPage::OnSelectionChange),
    OnCommand(IDC_FOLDER, EN_CHANGE, &CProgramFolderPage::OnEditChange),
};
const MessageMap CProgramFolderPage::messageMap =
    MakeMessageMap(&CWizardPage::messageMap, CProgramFolderPage::messageEntries);

namespace {

constexpr const char* shellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* programsValue = "Programs";

}

CProgramFolderPage::CProgramFolderPage() : CWizardPage(IDD_PAGE_PROGRAM_FOLDER, dlgP4T)
{
    folderText[0] = '\0';
    AppendClipped(folderText, sizeof(folderText), ScriptValue(scriptTargetFolder));
}

void CProgramFolderPage::DoDataExchange(CDataExchange* exchange)
{
    CWizardPage::DoDataExchange(exchange);
    exchange->BindControl(IDC_TEXT1, label);
    exchange->ExchangeText(IDC_FOLDER, folderText, sizeof(folderText));
    exchange->BindControl(IDC_LIST, list);
}

BOOL CProgramFolderPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    folderEdit.SubclassDlgItem(IDC_FOLDER, this);
    StyleFolderEdit(folderEdit);
    return TRUE;
}

void CProgramFolderPage::OnShowPage()
{
    char programs[MAX_PATH] = "";
    CRegAccess registry;
    registry.SelectRoot(HKEY_CURRENT_USER);
    registry.OpenPath(shellFoldersKey, FALSE);
    registry.GetString(programsValue, "", programs);
    folderEdit.SetWindowText(ScriptValue(scriptTargetFolder));
    ListFolders(programs);
    label.SetLabelText(UiCaption(dlgP41));
    ::SetDlgItemTextA(hwnd, IDC_TEXT3, UiCaption(dlgP42));
    ::SetDlgItemTextA(hwnd, IDC_TEXT4, UiCaption(dlgP43));
}

void CProgramFolderPage::ListFolders(const char* programsFolder)
{
    list.ResetContent();
    char pattern[MAX_PATH];
    // Without a programs folder the pattern names the root of the current drive.
    if (!JoinPath(pattern, sizeof(pattern), programsFolder, "*.*"))
        return;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(pattern, &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        if (strcmp(entry.cFileName, ".") == 0 || strcmp(entry.cFileName, "..") == 0)
            continue;
        list.AddString(entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

void CProgramFolderPage::OnSelectionChange()
{
    char item[MAX_PATH];
    if (list.GetText(list.GetCurSel(), item, sizeof(item)) == LB_ERR)
        return;
    strcpy(folderText, item);
    folderEdit.SetWindowText(folderText);
}

void CProgramFolderPage::OnEditChange()
{
    folderEdit.GetWindowText(folderText, sizeof(folderText));
}
