#include "framework/FolderDialog.h"
#include "framework/ModalScope.h"
#include <string.h>

const CRuntimeClass CFolderDialog::classCFolderDialog = {"CFolderDialog", sizeof(CFolderDialog), nullptr,
                                                         &CDialog::classCDialog};
const CRuntimeClass* CFolderDialog::GetRuntimeClass() const { return &classCFolderDialog; }

const MessageMap CFolderDialog::messageMap = {&CWnd::messageMap, nullptr, 0};

CFolderDialog::CFolderDialog(const char* title, const char* initialFolder, HWND parent, UINT flags)
    : CDialog(0, parent), browseInfo(), folderPath(), initialFolder(), displayName(), browseWindow(nullptr)
{
    // A folder too long for the buffer is no folder at all; a cut-off path would select another one.
    if (initialFolder && strlen(initialFolder) < sizeof this->initialFolder)
        strcpy(this->initialFolder, initialFolder);
    browseInfo.hwndOwner = parent;
    browseInfo.pidlRoot = nullptr;
    browseInfo.pszDisplayName = displayName;
    browseInfo.lpszTitle = title;
    browseInfo.ulFlags = flags;
    browseInfo.lpfn = BrowseCallback;
    browseInfo.lParam = reinterpret_cast<LPARAM>(this);
    browseInfo.iImage = 0;
}

INT_PTR CFolderDialog::DoModal()
{
    if (hwnd)
        return -1;
    INT_PTR result = -1;
    HWND focus = ::GetFocus();
    HWND owner = nullptr;
    {
        CModalScope scope(this, parentWindow);
        owner = scope.Owner();
        browseInfo.hwndOwner = owner;
        LPITEMIDLIST items = SHBrowseForFolderA(&browseInfo);
        if (items) {
            char path[MAX_PATH] = "";
            if (SHGetPathFromIDListA(items, path)) {
                memcpy(folderPath, path, sizeof folderPath);
                result = IDOK;
            } else {
                result = IDCANCEL;
            }
            IMalloc* allocator = nullptr;
            if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
                allocator->Free(items);
                allocator->Release();
            }
        }
    }
    // The shell's browser ends while its owner is still disabled, so the activation goes to another
    // window: the owner takes it back (this thread had the foreground), and the focus goes where it was.
    if (owner && ::IsWindow(owner)) {
        ::SetForegroundWindow(owner);
        if (focus && ::IsWindow(focus))
            ::SetFocus(focus);
    }
    return result;
}

int CALLBACK CFolderDialog::BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM data)
{
    CFolderDialog* dialog = reinterpret_cast<CFolderDialog*>(data);
    if (!dialog)
        return 0;
    int result = 0;
    dialog->browseWindow = window;
    switch (message) {
    case BFFM_INITIALIZED:
        dialog->OnInitialized();
        break;
    case BFFM_SELCHANGED:
        dialog->OnSelectionChanged(reinterpret_cast<LPCITEMIDLIST>(parameter));
        break;
    case BFFM_VALIDATEFAILEDA:
        result = dialog->OnValidateFailed(reinterpret_cast<const char*>(parameter));
        break;
    default:
        break;
    }
    dialog->browseWindow = nullptr;
    return result;
}

void CFolderDialog::OnInitialized()
{
    if (initialFolder[0])
        ::SendMessage(browseWindow, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(initialFolder));
}

int CFolderDialog::OnValidateFailed(const char*)
{
    char caption[128] = "";
    ::GetWindowTextA(browseWindow, caption, sizeof caption);
    int answer = ::MessageBoxA(browseWindow, invalidPathQuestion, caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    return answer == IDYES ? 0 : 1;
}

void CFolderDialog::OnSelectionChanged(LPCITEMIDLIST) {}
