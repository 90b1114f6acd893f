// The folder browser driven like a user under Wine's shell: a second thread finds the browser, picks tree
// items and presses its buttons while the test thread sits in DoModal.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <atomic>
#include <string>
#include <thread>
#include <vector>
#include "MessagePump.h"
#include "framework/FolderDialog.h"
#include "framework/Wnd.h"

namespace {

// Records what the hooks saw; the selection's path ("" for an item without one) for the driver thread.
class CRecordingFolderDialog : public CFolderDialog {
public:
    using CFolderDialog::CFolderDialog;
    std::vector<std::string> calls;
    bool boundToBrowser = false;
    CRITICAL_SECTION guard;
    std::string selection;
    std::atomic<int> selections{0};

    void OnInitialized() override
    {
        calls.push_back("initialized");
        boundToBrowser = hwnd && hwnd == browseWindow;
        CFolderDialog::OnInitialized();
    }
    void OnSelectionChanged(LPCITEMIDLIST items) override
    {
        calls.push_back("selection");
        char path[MAX_PATH] = "";
        if (!SHGetPathFromIDListA(items, path))
            path[0] = '\0';
        EnterCriticalSection(&guard);
        selection = path;
        LeaveCriticalSection(&guard);
        selections++;
    }
    std::string Selection()
    {
        EnterCriticalSection(&guard);
        std::string copy = selection;
        LeaveCriticalSection(&guard);
        return copy;
    }
};

struct Owner : CWnd {
    Owner()
    {
        CreateEx(0, RegisterFrameworkClass(0), "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr);
    }
};

// A named callback: on i686 a lambda converts only to a cdecl pointer, and EnumThreadWindows calls stdcall.
BOOL CALLBACK FindVisibleDialog(HWND w, LPARAM l)
{
    char name[16] = "";
    GetClassNameA(w, name, sizeof name);
    if (strcmp(name, "#32770") == 0 && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(l) = w;
        return FALSE;
    }
    return TRUE;
}

HWND FindBrowser(DWORD thread, DWORD timeoutMs)
{
    DWORD end = GetTickCount() + timeoutMs;
    do {
        HWND found = nullptr;
        EnumThreadWindows(thread, FindVisibleDialog, reinterpret_cast<LPARAM>(&found));
        if (found)
            return found;
        Sleep(20);
    } while (static_cast<int>(end - GetTickCount()) > 0);
    return nullptr;
}

HWND TreeOf(HWND browser)
{
    return FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
}

template <class Predicate> bool WaitFor(Predicate predicate, DWORD timeoutMs)
{
    DWORD end = GetTickCount() + timeoutMs;
    while (!predicate()) {
        if (static_cast<int>(end - GetTickCount()) <= 0)
            return false;
        Sleep(20);
    }
    return true;
}

class FolderBrowser : public ::testing::Test {
protected:
    // Runs the dialog with driver working on a second thread, given the browser's window.
    template <class Driver> INT_PTR Run(CRecordingFolderDialog& dialog, Driver driver)
    {
        InitializeCriticalSection(&dialog.guard);
        DWORD uiThread = GetCurrentThreadId();
        std::thread thread([&] {
            HWND browser = FindBrowser(uiThread, 15000);
            ownerEnabledDuringBrowse = browser && IsWindowEnabled(owner.hwnd);
            if (browser)
                driver(browser);
            else
                PostThreadMessage(uiThread, WM_QUIT, 0, 0);   // ends the shell's modal loop
        });
        INT_PTR result = dialog.DoModal();
        thread.join();
        DeleteCriticalSection(&dialog.guard);
        return result;
    }
    static void Press(HWND browser, int id) { SendMessage(GetDlgItem(browser, id), BM_CLICK, 0, 0); }

    Owner owner;
    bool ownerEnabledDuringBrowse = true;
};

TEST_F(FolderBrowser, CancelGivesMinusOneAndTheOwnerIsEnabledAgain)
{
    CRecordingFolderDialog dialog("Pick a folder", nullptr, owner.hwnd, BIF_RETURNONLYFSDIRS);
    INT_PTR result = Run(dialog, [](HWND browser) { Press(browser, IDCANCEL); });
    EXPECT_EQ(-1, result);
    EXPECT_FALSE(ownerEnabledDuringBrowse) << "the owner is disabled while the browser runs";
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd));
    ASSERT_FALSE(dialog.calls.empty());
    EXPECT_EQ("initialized", dialog.calls[0]);
    EXPECT_TRUE(dialog.boundToBrowser) << "the browser's window is bound to the dialog object";
    EXPECT_EQ(nullptr, dialog.hwnd);
}

TEST_F(FolderBrowser, OpensOnTheInitialFolderAndOkGivesOneAndItsPath)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    // Right under the drive's root. Wine's browser walks the tree to the initial folder level by level,
    // comparing each level's item list entry, and a folder's entry carries its time stamp: with this folder
    // made in Temp just before, the walk stopped at Temp in 2 of 18 fresh sessions (nothing selected, the
    // tree left at its root). A drive's entry carries none: 0 of 16.
    std::string folder = std::string(temp, 3) + "ferrowin-browse-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    char expected[MAX_PATH];
    GetLongPathNameA(folder.c_str(), expected, sizeof expected);

    CRecordingFolderDialog dialog("Pick a folder", folder.c_str(), owner.hwnd, BIF_RETURNONLYFSDIRS);
    strcpy(dialog.folderPath, "unchanged");
    std::string selectedAtOpen;
    INT_PTR result = Run(dialog, [&](HWND browser) {
        WaitFor([&] { return _stricmp(dialog.Selection().c_str(), expected) == 0; }, 10000);
        selectedAtOpen = dialog.Selection();
        Press(browser, IDOK);
    });
    RemoveDirectoryA(folder.c_str());
    EXPECT_STRCASEEQ(expected, selectedAtOpen.c_str()) << "the tree opens on the initial folder";
    EXPECT_EQ(IDOK, result);
    EXPECT_STRCASEEQ(expected, dialog.folderPath);
}

TEST_F(FolderBrowser, ItemWithoutAFileSystemPathGivesTwoAndKeepsThePath)
{
    CRecordingFolderDialog dialog("Pick anything", nullptr, owner.hwnd, 0);
    strcpy(dialog.folderPath, "previous");
    bool found = false;
    INT_PTR result = Run(dialog, [&](HWND browser) {
        HWND tree = TreeOf(browser);
        HTREEITEM root = TreeView_GetRoot(tree);
        for (HTREEITEM item = TreeView_GetChild(tree, root); item && !found; item = TreeView_GetNextSibling(tree, item)) {
            int before = dialog.selections;
            TreeView_SelectItem(tree, item);
            WaitFor([&] { return dialog.selections != before; }, 5000);
            found = dialog.Selection().empty();
        }
        Press(browser, found ? IDOK : IDCANCEL);
    });
    if (!found)
        GTEST_SKIP() << "Wine's browser offers no item without a file-system path";
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_STREQ("previous", dialog.folderPath);
}

}  // namespace
