// Drawing objects that own their handles, the select-and-restore scope, bounded text exchange with a
// dialog's edit, the list box's bounded text, and the modal steps around a dialog.
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include "framework/Brush.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/Font.h"
#include "framework/ListBox.h"
#include "framework/MemoryDC.h"
#include "framework/ModalScope.h"
#include "framework/SelectScope.h"
#include "framework/Wnd.h"

namespace {

const UINT IDD_EXCHANGE = 300;

TEST(GdiOwners, ReplacedAndDestroyedHandlesAreDeleted)
{
    HGDIOBJ first, second;
    {
        CBrush brush(RGB(1, 2, 3));
        first = brush.GetSafeHandle();
        ASSERT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(first));
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(4, 5, 6)));
        second = brush.GetSafeHandle();
        EXPECT_EQ(0u, GetObjectType(first)) << "the replaced brush is deleted";
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(second));
    }
    EXPECT_EQ(0u, GetObjectType(second)) << "the owner's end deletes its brush";

    CBrush kept(RGB(7, 8, 9));
    HGDIOBJ detached = kept.Detach();
    kept.DeleteObject();
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(detached));
    DeleteObject(detached);
}

TEST(GdiOwners, PointFontHasTheScreensHeightForItsPoints)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Times New Roman"));
    LOGFONTA logFont = {};
    ASSERT_TRUE(font.GetLogFont(&logFont));
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(-MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72), logFont.lfHeight);
    ReleaseDC(nullptr, screen);
    EXPECT_STREQ("Times New Roman", logFont.lfFaceName);
}

TEST(GdiOwners, SelectScopeSelectsThePreviousObjectBack)
{
    CMemoryDC memory(nullptr);
    ASSERT_TRUE(memory != nullptr);
    HGDIOBJ stock = GetCurrentObject(memory, OBJ_BRUSH);
    CBrush brush(RGB(9, 9, 9));
    {
        CSelectScope selected(memory, brush);
        EXPECT_TRUE(selected.Selected());
        EXPECT_EQ(brush.GetSafeHandle(), GetCurrentObject(memory, OBJ_BRUSH));
    }
    EXPECT_EQ(stock, GetCurrentObject(memory, OBJ_BRUSH));
}

class CExchangeDialog : public CDialog {
public:
    CExchangeDialog() : CDialog(IDD_EXCHANGE) {}
    char folderText[8] = "C:\\Abc";
    CListBox list;

protected:
    void DoDataExchange(CDataExchange* exchange) override
    {
        exchange->BindControl(1019, list);
        exchange->ExchangeText(1018, folderText, sizeof folderText);
    }
};

TEST(DataExchange, TextGoesToTheEditAndComesBackCutToTheBuffer)
{
    CExchangeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    char shown[64] = "";
    GetDlgItemTextA(dialog, 1018, shown, sizeof shown);
    EXPECT_STREQ("C:\\Abc", shown);

    dialog.folderText[7] = 'X';   // saving must terminate the buffer itself
    SetDlgItemTextA(dialog, 1018, "C:\\Program Files\\Ferrowin");
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_STREQ("C:\\Prog", dialog.folderText);

    struct CMissing : CDialog {
        CMissing() : CDialog(IDD_EXCHANGE) {}
        char text[4] = "";
        void DoDataExchange(CDataExchange* exchange) override { exchange->ExchangeText(1234, text, sizeof text); }
    } missing;
    ASSERT_TRUE(missing.Create());
    EXPECT_FALSE(missing.UpdateData(TRUE));
}

TEST(ListBox, TextThatDoesNotFitIsNotCopied)
{
    CExchangeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    ASSERT_EQ(0, dialog.list.AddString("Accessories"));
    char text[8] = "keep";
    EXPECT_EQ(LB_ERR, dialog.list.GetText(0, text, sizeof text));
    EXPECT_STREQ("", text);
    char room[16];
    EXPECT_EQ(11, dialog.list.GetText(0, room, sizeof room));
    EXPECT_STREQ("Accessories", room);
    EXPECT_EQ(LB_ERR, dialog.list.GetText(5, room, sizeof room));
}

TEST(ModalScope, DisablesTheOwnersTopLevelWindowAndBindsTheNextWindow)
{
    CWnd top, child, bound;
    ASSERT_TRUE(top.CreateEx(0, CWnd::RegisterFrameworkClass(0), "Top", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    ASSERT_TRUE(child.CreateEx(0, CWnd::RegisterFrameworkClass(0), "", WS_CHILD, 0, 0, 20, 20, top, nullptr));
    {
        CModalScope scope(&bound, child);
        EXPECT_EQ(top.hwnd, scope.Owner());
        EXPECT_FALSE(IsWindowEnabled(top));
        HWND next = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, scope.Owner(), nullptr, nullptr, nullptr);
        EXPECT_EQ(next, bound.hwnd);
        DestroyWindow(next);
    }
    EXPECT_TRUE(IsWindowEnabled(top));

    EnableWindow(top, FALSE);
    {
        CModalScope scope(nullptr, top);
    }
    EXPECT_FALSE(IsWindowEnabled(top)) << "a window that was disabled before stays disabled";
}

}  // namespace
