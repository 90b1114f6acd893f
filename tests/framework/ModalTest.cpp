// The framework's modal loop: a modeless page inside a modal frame gets Tab from the loop's
// pre-translation, its Esc and Enter reach the frame's own Cancel and OK and leave the page alone; a quit
// request ends the dialog and reaches the loop outside; a modal dialog as main window posts no WM_QUIT;
// a parent's WM_CTLCOLOR* and WM_DRAWITEM reach the child's own object.
#include <gtest/gtest.h>
#include <windows.h>
#include "MessagePump.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Reflection.h"
#include "framework/WinApp.h"

namespace {

const UINT IDD_FRAME = 310;
const UINT IDD_PAGE = 311;
const UINT stepMessage = WM_APP + 1;

// Each step is a posted message, so it runs inside the modal loop after the keys posted before it.
class CFrameDialog : public CDialog {
public:
    CFrameDialog() : CDialog(IDD_FRAME) {}
    CDialog page;
    int okCount = 0, cancelCount = 0;
    HWND focusAfterTab = nullptr, secondControl = nullptr;
    bool pageAliveAfterKeys = false;
    int quitCode = -1;   // >= 0: the last step asks the thread to quit with it

protected:
    BOOL OnInitDialog() override
    {
        page.Create(IDD_PAGE, hwnd);
        PostMessage(stepMessage, 0);
        return TRUE;
    }
    void OnOK() override { okCount++; }
    void OnCancel() override { cancelCount++; }
    LRESULT OnStep(WPARAM step, LPARAM)
    {
        HWND first = ::GetDlgItem(page, 1101), second = ::GetDlgItem(page, 1102);
        switch (step) {
        case 0:
            ::SetFocus(first);
            ::PostMessage(first, WM_KEYDOWN, VK_TAB, 0);
            break;
        case 1:
            focusAfterTab = ::GetFocus();
            secondControl = second;
            ::PostMessage(second, WM_KEYDOWN, VK_ESCAPE, 0);
            ::PostMessage(second, WM_KEYDOWN, VK_RETURN, 0);
            break;
        case 2:
            pageAliveAfterKeys = page.IsWindow();
            if (quitCode >= 0)
                PostQuitMessage(quitCode);
            else
                EndDialog(42);
            return 0;
        }
        PostMessage(stepMessage, step + 1);
        return 0;
    }
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;
};

const MessageEntry CFrameDialog::messageEntries[] = {
    OnMessage(stepMessage, &CFrameDialog::OnStep),
};
const MessageMap CFrameDialog::messageMap = MakeMessageMap(&CDialog::messageMap, messageEntries);

TEST(ModalLoop, PageInAModalFrameGetsTabAndItsEscAndEnterReachTheFrame)
{
    CFrameDialog frame;
    EXPECT_EQ(42, frame.DoModal());
    ASSERT_NE(nullptr, frame.secondControl);
    EXPECT_EQ(frame.secondControl, frame.focusAfterTab) << "Tab moved to the page's next control";
    EXPECT_EQ(1, frame.cancelCount) << "Esc in the page is the frame's Cancel";
    EXPECT_EQ(1, frame.okCount) << "Enter in the page is the frame's OK";
    EXPECT_TRUE(frame.pageAliveAfterKeys) << "the page stays";
}

TEST(ModalLoop, AsMainWindowOfAnApplicationItPostsNoQuitAndAQuitRequestIsHandedOn)
{
    CWinApp app;   // as a library's: no WinMain, the caller's thread
    {
        CFrameDialog frame;
        app.mainWnd = &frame;
        EXPECT_EQ(42, frame.DoModal());
        MSG msg;
        EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "no WM_QUIT for the caller";
    }
    EXPECT_EQ(nullptr, app.mainWnd) << "the main window pointer does not outlive the dialog";

    CFrameDialog frame;
    frame.quitCode = 7;
    EXPECT_EQ(-1, frame.DoModal());
    EXPECT_EQ(frame.secondControl, frame.focusAfterTab) << "Tab with an application but no main window";
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request reaches the outer loop";
    EXPECT_EQ(7u, msg.wParam);
}

class CColourStatic : public CWnd {
public:
    LRESULT OnColour(WPARAM wParam, LPARAM) { return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)); }

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;
};
const MessageEntry CColourStatic::messageEntries[] = {
    OnMessage(Reflected(WM_CTLCOLORSTATIC), &CColourStatic::OnColour),
};
const MessageMap CColourStatic::messageMap = MakeMessageMap(&CWnd::messageMap, messageEntries);

class CDrawnButton : public CButton {
public:
    int drawn = 0;
    void DrawItem(const DRAWITEMSTRUCT*) override { drawn++; }
};

TEST(Reflection, ParentsColourAndDrawMessagesReachTheChildsObject)
{
    CDialog dialog(IDD_FRAME);
    ASSERT_TRUE(dialog.Create());
    dialog.ShowWindow(SW_SHOW);
    CColourStatic label;
    HWND labelWindow = CreateWindowExA(0, "STATIC", "x", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, dialog, nullptr, nullptr, nullptr);
    HDC dc = GetDC(labelWindow);
    LRESULT unbound = dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(labelWindow));
    ASSERT_TRUE(label.SubclassWindow(labelWindow));
    LRESULT bound = dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(labelWindow));
    ReleaseDC(labelWindow, dc);
    EXPECT_NE(reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)), unbound);
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)), bound);

    CDrawnButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{30, 0, 60, 20}, dialog, 77));
    Pump(50);
    int before = button.drawn;
    EXPECT_GT(before, 0) << "the button drew itself when shown";
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = 77;
    item.hwndItem = button.hwnd;
    EXPECT_EQ(TRUE, dialog.SendMessage(WM_DRAWITEM, 77, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(before + 1, button.drawn);
}

}  // namespace
