// The image button of the pad: its modes from the dialog template, the size and shape its mask gives it,
// binding through data exchange, check box and radio group, and pressing, dragging and hovering with real
// mouse input.
#include <gtest/gtest.h>
#include <windows.h>
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "tests/support/HeldInput.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PixelRegion.h"
#include "tray/ImageButton.h"
#include "tray/resource.h"

namespace {

class CButtonTestDlg : public CDialog {
public:
    CButtonTestDlg() : CDialog(200), clicks(0) {}
    CImageButton push, check, radioA, radioB, radioC;
    int clicks;

protected:
    void DoDataExchange(CDataExchange* exchange) override
    {
        exchange->BindControl(301, push);
        exchange->BindControl(302, check);
        exchange->BindControl(303, radioA);
        exchange->BindControl(304, radioB);
        exchange->BindControl(305, radioC);
    }
    void OnPushClicked() { clicks++; }

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;
};

const MessageEntry CButtonTestDlg::messageEntries[] = {
    OnCommand(301, BN_CLICKED, &CButtonTestDlg::OnPushClicked),
};
const MessageMap CButtonTestDlg::messageMap = MakeMessageMap(&CDialog::messageMap, CButtonTestDlg::messageEntries);

SIZE WindowSize(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void MoveMouseTo(POINT screen)
{
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (screen.x * 65535 + width / 2) / (width - 1),
                (screen.y * 65535 + height / 2) / (height - 1), 0, 0);
}

bool Pushed(HWND button)
{
    return (SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
}

class ImageButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReleaseHeldInput();
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(dialog.push.hwnd && dialog.check.hwnd && dialog.radioA.hwnd);
        SetWindowPos(dialog.hwnd, HWND_TOPMOST, 600, 400, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        Pump(50);
    }
    void TearDown() override { dialog.EndDialog(0); }
    CButtonTestDlg dialog;
};

}  // namespace

TEST_F(ImageButtonTest, ModeComesFromTheTemplateStyleAndTheButtonBecomesOwnerDrawn)
{
    EXPECT_EQ(0, dialog.push.checkMode);
    EXPECT_EQ(2, dialog.check.checkMode);
    EXPECT_EQ(4, dialog.radioA.checkMode);
    EXPECT_EQ(4, dialog.radioC.checkMode);
    for (CImageButton* button : {&dialog.push, &dialog.check, &dialog.radioA})
        EXPECT_EQ(BS_OWNERDRAW, GetWindowLong(button->hwnd, GWL_STYLE) & BS_TYPEMASK);
}

TEST_F(ImageButtonTest, MaskGivesSizeAndShapeAndMaskZeroKeepsThem)
{
    CImageButton& button = dialog.push;
    button.SetBitmaps({IDB_NEW, IDB_NEW, IDB_NEW_HOVER, IDB_NEW_HOVER, 0, IDB_NEW_MASK}, CImageButton::sizeToMask, 0, 0);
    EXPECT_EQ(51, WindowSize(button.hwnd).cx);
    EXPECT_EQ(61, WindowSize(button.hwnd).cy);
    HBITMAP mask = LoadResourceBitmap(IDB_NEW_MASK, 0);
    HRGN reference = RegionByPixels(mask, RGB(255, 255, 255));
    HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(COMPLEXREGION, GetWindowRgn(button.hwnd, windowRegion));
    EXPECT_TRUE(EqualRgn(windowRegion, reference));

    // The Open mask is one pixel narrower than its images; the button follows the mask.
    button.SetBitmaps({IDB_OPEN, IDB_OPEN, 0, 0, 0, IDB_OPEN_MASK}, CImageButton::sizeToMask, 0, 0);
    EXPECT_EQ(60, WindowSize(button.hwnd).cx);
    EXPECT_EQ(51, WindowSize(button.hwnd).cy);

    button.SetBitmaps({IDB_NEW, IDB_NEW, IDB_NEW_HOVER, IDB_NEW_HOVER, 0, IDB_NEW_MASK}, CImageButton::sizeToMask, 0, 0);
    button.SetBitmaps({IDB_FIND, 0, 0, 0, 0, 0}, static_cast<CImageButton::ImageSizing>(7), 3, -4);
    EXPECT_EQ(51, WindowSize(button.hwnd).cx);
    EXPECT_EQ(61, WindowSize(button.hwnd).cy);
    ASSERT_EQ(COMPLEXREGION, GetWindowRgn(button.hwnd, windowRegion));
    EXPECT_TRUE(EqualRgn(windowRegion, reference));
    EXPECT_EQ(2, button.sizingMode);
    EXPECT_EQ(3, button.drawEdge);
    EXPECT_EQ(0, button.focusMargin);
    EXPECT_TRUE(button.Image(CImageButton::disabledState) != nullptr);   // falls back to the normal picture
    EXPECT_TRUE(button.Image(CImageButton::pressedState) == nullptr);
    button.SetBitmaps({IDB_FIND, 0, 0, 0, 0, 0}, static_cast<CImageButton::ImageSizing>(-3), 0, 2);
    EXPECT_EQ(0, button.sizingMode);
    EXPECT_EQ(2, button.focusMargin);
    // A mask that does not load leaves the button as it was.
    button.SetBitmaps({IDB_FIND, 0, 0, 0, 0, 9999}, CImageButton::sizeToMask, 0, 0);
    EXPECT_EQ(51, WindowSize(button.hwnd).cx);
    EXPECT_TRUE(button.Mask() == nullptr);
    DeleteObject(windowRegion);
    DeleteObject(reference);
    DeleteObject(mask);
}

TEST_F(ImageButtonTest, DataExchangeBindsEachControlOnce)
{
    // Binding again to the same object is fine; a missing control or one bound elsewhere fails.
    CDataExchange again(&dialog, FALSE);
    again.BindControl(301, dialog.push);
    EXPECT_FALSE(again.failed);
    CImageButton other;
    CDataExchange taken(&dialog, FALSE);
    taken.BindControl(302, other);
    EXPECT_TRUE(taken.failed);
    EXPECT_EQ(302, taken.failedId);
    CDataExchange missing(&dialog, FALSE);
    missing.BindControl(999, other);
    EXPECT_TRUE(missing.failed);
    EXPECT_EQ(999, missing.failedId);
    EXPECT_TRUE(other.hwnd == nullptr);
}

TEST_F(ImageButtonTest, CheckBoxAndRadioGroup)
{
    SendMessage(dialog.push.hwnd, BM_SETCHECK, TRUE, 0);
    EXPECT_EQ(0, SendMessage(dialog.push.hwnd, BM_GETCHECK, 0, 0));

    SendMessage(dialog.check.hwnd, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(1, SendMessage(dialog.check.hwnd, BM_GETCHECK, 0, 0));
    SendMessage(dialog.check.hwnd, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(0, SendMessage(dialog.check.hwnd, BM_GETCHECK, 0, 0));
    SendMessage(dialog.check.hwnd, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(0, SendMessage(dialog.check.hwnd, BM_GETCHECK, 0, 0));

    SendMessage(dialog.radioB.hwnd, BM_SETCHECK, TRUE, 0);
    Pump(50);
    EXPECT_EQ(1, SendMessage(dialog.radioB.hwnd, BM_GETCHECK, 0, 0));
    SendMessage(dialog.radioC.hwnd, WM_KEYDOWN, VK_SPACE, 0);   // a radio button only ever checks itself
    Pump(50);
    EXPECT_EQ(0, SendMessage(dialog.radioA.hwnd, BM_GETCHECK, 0, 0));
    EXPECT_EQ(0, SendMessage(dialog.radioB.hwnd, BM_GETCHECK, 0, 0));
    EXPECT_EQ(1, SendMessage(dialog.radioC.hwnd, BM_GETCHECK, 0, 0));
    SendMessage(dialog.radioA.hwnd, BM_SETCHECK, TRUE, 0);
    Pump(50);
    EXPECT_EQ(1, SendMessage(dialog.radioA.hwnd, BM_GETCHECK, 0, 0));
    EXPECT_EQ(0, SendMessage(dialog.radioC.hwnd, BM_GETCHECK, 0, 0));
}

TEST_F(ImageButtonTest, PressDragOffAndBackAndHover)
{
    HWND button = dialog.push.hwnd;
    RECT rect;
    GetWindowRect(button, &rect);
    POINT inside = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    POINT outside = {rect.right + 150, rect.bottom + 100};

    MoveMouseTo(outside);
    Pump(50);
    MoveMouseTo(inside);
    EXPECT_TRUE(PumpUntil([&] { return dialog.push.hovering != 0; }, 1000)) << "hover not seen";
    MoveMouseTo(outside);
    EXPECT_TRUE(PumpUntil([&] { return dialog.push.hovering == 0; }, 2000)) << "leaving not seen";

    MoveMouseTo(inside);
    Pump(50);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return Pushed(button); }, 1000)) << "press not seen";
    EXPECT_EQ(1, dialog.push.pressTracking);
    MoveMouseTo(outside);
    EXPECT_TRUE(PumpUntil([&] { return !Pushed(button); }, 1000)) << "dragging off kept it pushed";
    MoveMouseTo(inside);
    EXPECT_TRUE(PumpUntil([&] { return Pushed(button); }, 1000)) << "dragging back did not push it";
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return dialog.clicks == 1; }, 1000));
    EXPECT_EQ(0, dialog.push.pressTracking);

    // Released off the button: no click.
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    PumpUntil([&] { return Pushed(button); }, 1000);
    MoveMouseTo(outside);
    PumpUntil([&] { return !Pushed(button); }, 1000);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Pump(100);
    EXPECT_EQ(1, dialog.clicks);
}

TEST(ImageButtonShape, AShapeNoWindowTookGoesWithTheButtonsWindow)
{
    HINSTANCE instance = GetModuleHandle(nullptr);
    // Shaped before it had a window: the shape was never given to a window, so the button frees it.
    CImageButton early;
    early.SetBitmaps({IDB_NEW, IDB_NEW, 0, 0, 0, IDB_NEW_MASK}, CImageButton::sizeToMask, 0, 0);
    HRGN earlyShape = early.Shape();
    ASSERT_TRUE(earlyShape);
    HWND first = CreateWindowA("BUTTON", "", WS_POPUP | BS_PUSHBUTTON, 0, 0, 60, 60, nullptr, nullptr, instance, nullptr);
    ASSERT_TRUE(first && early.SubclassWindow(first));
    HRGN none = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, GetWindowRgn(first, none)) << "the window was not meant to have taken the shape";
    DeleteObject(none);

    // Shaped with its window: the window holds the shape and frees it.
    CImageButton late;
    HWND second = CreateWindowA("BUTTON", "", WS_POPUP | BS_PUSHBUTTON, 0, 0, 60, 60, nullptr, nullptr, instance, nullptr);
    ASSERT_TRUE(second && late.SubclassWindow(second));
    late.SetBitmaps({IDB_NEW, IDB_NEW, 0, 0, 0, IDB_NEW_MASK}, CImageButton::sizeToMask, 0, 0);
    HRGN lateShape = late.Shape();
    ASSERT_TRUE(lateShape);

    DestroyWindow(first);
    DestroyWindow(second);
    EXPECT_TRUE(early.Shape() == nullptr);
    EXPECT_TRUE(late.Shape() == nullptr);
    EXPECT_EQ(0u, GetObjectType(earlyShape)) << "the shape no window took was left behind";
    EXPECT_EQ(0u, GetObjectType(lateShape));
}
