// The navigation pad inside one test process: the regions made from its pictures, the image button, the
// pad window opened and moved through the frame's launcher, its ways of closing, and the nine commands
// with the exact input each one synthesises into the window that was in front.
#include <gtest/gtest.h>
#include <windows.h>
#include <math.h>
#include <commctrl.h>
#include <string.h>
#include <new>
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include "HeldInput.h"
#include "HelperThread.h"
#include "tests/tray/PadTestSupport.h"
#include "tray/BitmapRegion.h"
#include "tray/ImageButton.h"
#include "tray/MainFrame.h"
#include "tray/PadLauncher.h"
#include "tray/RoundMapDlg.h"
#include "tray/TrayGlobals.h"
#include "tray/resource.h"

namespace {

void EnsureBlock()
{
    if (!sharedState)
        sharedState = OpenMouseStateBlock();
    ASSERT_TRUE(sharedState && sharedState->IsReady());
}

HBITMAP LoadResourceBitmap(UINT id, UINT flags)
{
    return static_cast<HBITMAP>(LoadImage(GetModuleHandle(nullptr), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0, flags));
}

// The reference: every pixel read on its own; each run of pixels not of the key is one rectangle.
HRGN RegionByPixels(HBITMAP bitmap, COLORREF key)
{
    BITMAP info;
    GetObject(bitmap, sizeof info, &info);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < info.bmHeight; y++) {
        int start = -1;
        for (int x = 0; x <= info.bmWidth; x++) {
            bool inside = x < info.bmWidth && (GetPixel(dc, x, y) & 0xFFFFFF) != key;
            if (inside && start < 0)
                start = x;
            if (!inside && start >= 0) {
                HRGN run = CreateRectRgn(start, y, x, y + 1);
                CombineRgn(region, region, run, RGN_OR);
                DeleteObject(run);
                start = -1;
            }
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return region;
}

// A 32-bit section whose rows hold `runs` single-pixel runs in all, spread over rows of 50 runs; odd rows
// are shifted by one pixel so that no two runs line up (a region would join them into one rectangle).
HBITMAP StripedBitmap(int runs, DWORD inkPixel, DWORD gapPixel, HRGN* expected)
{
    const int perRow = 50, width = perRow * 2 + 1, height = (runs + perRow - 1) / perRow;
    BITMAPINFOHEADER header = {sizeof header, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    DWORD* pixels = static_cast<DWORD*>(bits);
    *expected = CreateRectRgn(0, 0, 0, 0);
    for (int i = 0; i < width * height; i++)
        pixels[i] = gapPixel;
    for (int run = 0; run < runs; run++) {
        int y = run / perRow, x = (run % perRow) * 2 + y % 2;
        pixels[y * width + x] = inkPixel;
        HRGN one = CreateRectRgn(x, y, x + 1, y + 1);
        CombineRgn(*expected, *expected, one, RGN_OR);
        DeleteObject(one);
    }
    return bitmap;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------------
// Regions from pictures

TEST(PadRegion, BackgroundShapeEqualsItsPixels)
{
    HBITMAP background = LoadResourceBitmap(IDB_BACKGROUND, LR_CREATEDIBSECTION);
    ASSERT_TRUE(background);
    HRGN shape = RegionFromBitmap(background, RGB(0, 0, 0));
    ASSERT_TRUE(shape);
    HRGN reference = RegionByPixels(background, RGB(0, 0, 0));
    EXPECT_TRUE(EqualRgn(shape, reference));
    RECT box;
    EXPECT_EQ(COMPLEXREGION, GetRgnBox(shape, &box));
    EXPECT_FALSE(PtInRegion(shape, 0, 0));
    EXPECT_FALSE(PtInRegion(shape, 164, 164));
    EXPECT_TRUE(PtInRegion(shape, 82, 82));
    EXPECT_TRUE(PtInRegion(shape, 82, 3));
    DeleteObject(reference);
    DeleteObject(shape);
    DeleteObject(background);
}

TEST(PadRegion, MaskShapesEqualTheirPixels)
{
    for (UINT id = IDB_NEW_MASK; id <= IDB_CENTRE_MASK; id++) {
        HBITMAP mask = LoadResourceBitmap(id, 0);
        ASSERT_TRUE(mask) << id;
        HRGN shape = RegionFromMask(mask, RGB(255, 255, 255), nullptr);
        ASSERT_TRUE(shape) << id;
        HRGN reference = RegionByPixels(mask, RGB(255, 255, 255));
        EXPECT_TRUE(EqualRgn(shape, reference)) << "mask " << id;
        RECT box;
        EXPECT_EQ(COMPLEXREGION, GetRgnBox(shape, &box)) << id;
        DeleteObject(reference);
        DeleteObject(shape);
        DeleteObject(mask);
    }
}

TEST(PadRegion, BatchesOfTwoThousandRectanglesJoinUp)
{
    const int counts[] = {1, 99, 100, 101, 1999, 2000, 2001, 4000, 4001, 12345};
    for (int runs : counts) {
        HRGN expected;
        HBITMAP bitmap = StripedBitmap(runs, 0x00FF8040, 0, &expected);
        ASSERT_TRUE(bitmap) << runs;
        HRGN shape = RegionFromBitmap(bitmap, RGB(0, 0, 0));
        ASSERT_TRUE(shape) << runs;
        EXPECT_TRUE(EqualRgn(shape, expected)) << runs << " runs";
        DWORD size = GetRegionData(shape, 0, nullptr);
        EXPECT_EQ(sizeof(RGNDATAHEADER) + runs * sizeof(RECT), size) << runs << " runs";
        DeleteObject(shape);
        DeleteObject(expected);
        DeleteObject(bitmap);
    }
}

TEST(PadRegion, OnlyTheThreeColourBytesCount)
{
    // Black with the fourth byte set is still black; white-ish with it clear is not.
    HRGN expected;
    HBITMAP bitmap = StripedBitmap(120, 0x00010203, 0xFF000000, &expected);
    HRGN shape = RegionFromBitmap(bitmap, RGB(0, 0, 0));
    ASSERT_TRUE(shape);
    EXPECT_TRUE(EqualRgn(shape, expected));
    DeleteObject(shape);
    DeleteObject(expected);
    DeleteObject(bitmap);
}

TEST(PadRegion, NoBitmapNoRegion)
{
    EXPECT_EQ(nullptr, RegionFromBitmap(nullptr, 0));
    EXPECT_EQ(nullptr, RegionFromMask(nullptr, 0xFFFFFF, nullptr));
    // Not a bitmap at all.
    HBRUSH brush = CreateSolidBrush(0);
    EXPECT_EQ(nullptr, RegionFromBitmap(reinterpret_cast<HBITMAP>(brush), 0));
    DeleteObject(brush);

    HRGN expected;
    HBITMAP black = StripedBitmap(0 + 1, 0, 0, &expected);   // every pixel black: nothing left
    HRGN shape = RegionFromBitmap(black, RGB(0, 0, 0));
    ASSERT_TRUE(shape);
    RECT box;
    EXPECT_EQ(NULLREGION, GetRgnBox(shape, &box));
    DeleteObject(shape);
    DeleteObject(expected);
    DeleteObject(black);
}

// ---------------------------------------------------------------------------------------------------------
// What every input test starts from

TEST(HeldInput, ModifiersAndButtonsLeftDownAreReleased)
{
    const int held[] = {VK_LSHIFT, VK_RCONTROL, VK_XBUTTON1};
    auto allUp = [&held] {
        for (int key : held)
            if (GetAsyncKeyState(key) < 0)
                return false;
        return true;
    };
    keybd_event(VK_LSHIFT, 0, 0, 0);
    keybd_event(VK_RCONTROL, 0, KEYEVENTF_EXTENDEDKEY, 0);
    mouse_event(MOUSEEVENTF_XDOWN, 0, 0, XBUTTON1, 0);
    bool allDown = PumpUntil([&held] {
        for (int key : held)
            if (GetAsyncKeyState(key) >= 0)
                return false;
        return true;
    }, 1000);
    ReleaseHeldInput();
    EXPECT_TRUE(allDown);
    EXPECT_TRUE(PumpUntil(allUp, 1000)) << "a key or button is still down";
}

// ---------------------------------------------------------------------------------------------------------
// Image button

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
    button.SetBitmaps(IDB_NEW, IDB_NEW, IDB_NEW_HOVER, IDB_NEW_HOVER, 0, IDB_NEW_MASK, 0, 0, 0);
    EXPECT_EQ(51, WindowSize(button.hwnd).cx);
    EXPECT_EQ(61, WindowSize(button.hwnd).cy);
    HBITMAP mask = LoadResourceBitmap(IDB_NEW_MASK, 0);
    HRGN reference = RegionByPixels(mask, RGB(255, 255, 255));
    HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(COMPLEXREGION, GetWindowRgn(button.hwnd, windowRegion));
    EXPECT_TRUE(EqualRgn(windowRegion, reference));

    // The Open mask is one pixel narrower than its images; the button follows the mask.
    button.SetBitmaps(IDB_OPEN, IDB_OPEN, 0, 0, 0, IDB_OPEN_MASK, 0, 0, 0);
    EXPECT_EQ(60, WindowSize(button.hwnd).cx);
    EXPECT_EQ(51, WindowSize(button.hwnd).cy);

    button.SetBitmaps(IDB_NEW, IDB_NEW, IDB_NEW_HOVER, IDB_NEW_HOVER, 0, IDB_NEW_MASK, 0, 0, 0);
    button.SetBitmaps(IDB_FIND, 0, 0, 0, 0, 0, 7, 3, -4);
    EXPECT_EQ(51, WindowSize(button.hwnd).cx);
    EXPECT_EQ(61, WindowSize(button.hwnd).cy);
    ASSERT_EQ(COMPLEXREGION, GetWindowRgn(button.hwnd, windowRegion));
    EXPECT_TRUE(EqualRgn(windowRegion, reference));
    EXPECT_EQ(2, button.sizingMode);
    EXPECT_EQ(3, button.drawEdge);
    EXPECT_EQ(0, button.focusMargin);
    EXPECT_TRUE(button.disabledImage != nullptr);   // falls back to the normal picture
    EXPECT_TRUE(button.pressedImage == nullptr);
    button.SetBitmaps(IDB_FIND, 0, 0, 0, 0, 0, -3, 0, 2);
    EXPECT_EQ(0, button.sizingMode);
    EXPECT_EQ(2, button.focusMargin);
    // A mask that does not load leaves the button as it was.
    button.SetBitmaps(IDB_FIND, 0, 0, 0, 0, 9999, 0, 0, 0);
    EXPECT_EQ(51, WindowSize(button.hwnd).cx);
    EXPECT_TRUE(button.maskImage == nullptr);
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
    early.SetBitmaps(IDB_NEW, IDB_NEW, 0, 0, 0, IDB_NEW_MASK, 0, 0, 0);
    HRGN earlyShape = early.shape;
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
    late.SetBitmaps(IDB_NEW, IDB_NEW, 0, 0, 0, IDB_NEW_MASK, 0, 0, 0);
    HRGN lateShape = late.shape;
    ASSERT_TRUE(lateShape);

    DestroyWindow(first);
    DestroyWindow(second);
    EXPECT_TRUE(early.shape == nullptr);
    EXPECT_TRUE(late.shape == nullptr);
    EXPECT_EQ(0u, GetObjectType(earlyShape)) << "the shape no window took was left behind";
    EXPECT_EQ(0u, GetObjectType(lateShape));
}

// ---------------------------------------------------------------------------------------------------------
// The pad window, opened through the frame's launcher

namespace {

const POINT buttonPlaces[9] = {{30, 7}, {84, 7}, {97, 30}, {97, 84}, {84, 97}, {30, 97}, {7, 84}, {7, 30}, {67, 67}};
const SIZE buttonSizes[9] = {{51, 61}, {51, 61}, {61, 51}, {61, 51}, {51, 61}, {51, 61}, {61, 51}, {60, 51}, {30, 30}};

// A point well inside segment i (the middle of its icon), or the centre for i == 8.
POINT SegmentPoint(int i)
{
    if (i == 8)
        return POINT{82, 82};
    double angle = (-112.5 + 45.0 * i) * 3.14159265358979 / 180.0;
    return POINT{static_cast<LONG>(82.5 + 40.0 * cos(angle)), static_cast<LONG>(82.5 + 40.0 * sin(angle))};
}

HWND PadWindow()
{
    return padDialog ? padDialog->hwnd : nullptr;
}

int CountPadWindows()
{
    struct Counter {
        static BOOL CALLBACK Visit(HWND window, LPARAM count)
        {
            char name[32];
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && GetClassName(window, name, sizeof name) &&
                strcmp(name, "#32770") == 0 && GetDlgItem(window, IDC_CENTRE))
                ++*reinterpret_cast<int*>(count);
            return TRUE;
        }
    };
    int count = 0;
    EnumWindows(Counter::Visit, reinterpret_cast<LPARAM>(&count));
    return count;
}

class PadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReleaseHeldInput();
        EnsureBlock();
        WriteOwner(0);
        SetCursorPos(1, 1);
        target = CreateTargetWindow(250, 150, 500, 400, RGB(255, 0, 255));
        ASSERT_TRUE(target);
        frame = new CMainFrame;
        // The launcher's watchdog timer goes to the target window (the frame has no window here).
        frame->hwnd = target;
        TargetKeys().clear();
    }

    void TearDown() override
    {
        delete_frame();
        DestroyWindow(target);
        Pump(20);
    }

    void delete_frame()
    {
        if (!frame)
            return;
        ReleasePad(frame);
        frame->hwnd = nullptr;
        delete frame;
        frame = nullptr;
    }

    // Opens (or moves) the pad at x, y and waits until it is up: shown, buttons in place.
    HWND Open(LONG x, LONG y)
    {
        WritePosition(x, y);
        OpenOrMovePad(frame);
        bool up = PumpUntil([] {
            HWND pad = PadWindow();
            return pad && IsWindowVisible(pad) && ReadRoundMap() == HandleToUlong(pad);
        }, 3000);
        EXPECT_TRUE(up) << "the pad did not open";
        Pump(50);
        return up ? PadWindow() : nullptr;
    }

    bool WaitClosed(HWND pad)
    {
        return PumpUntil([pad] { return padDialog == nullptr && !IsWindow(pad); }, 3000);
    }

    HWND target = nullptr;
    CMainFrame* frame = nullptr;
};

}  // namespace

TEST_F(PadTest, OpensCentredShapedAndPublishedThenMovesWithoutASecondPad)
{
    HWND pad = Open(500, 350);
    ASSERT_TRUE(pad);
    RECT rect;
    GetWindowRect(pad, &rect);
    EXPECT_EQ(418, rect.left);
    EXPECT_EQ(268, rect.top);
    EXPECT_EQ(583, rect.right);
    EXPECT_EQ(433, rect.bottom);
    EXPECT_EQ(HandleToUlong(pad), ReadRoundMap());
    EXPECT_TRUE(frame->padThread != nullptr);

    // The window's shape is the background read pixel by pixel.
    HBITMAP background = LoadResourceBitmap(IDB_BACKGROUND, LR_CREATEDIBSECTION);
    HRGN reference = RegionByPixels(background, RGB(0, 0, 0));
    HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(COMPLEXREGION, GetWindowRgn(pad, windowRegion));
    EXPECT_TRUE(EqualRgn(windowRegion, reference));
    DeleteObject(windowRegion);
    DeleteObject(reference);
    DeleteObject(background);

    for (int i = 0; i < 9; i++) {
        HWND button = GetDlgItem(pad, IDC_NEW + i);
        ASSERT_TRUE(button) << i;
        RECT place;
        GetWindowRect(button, &place);
        MapWindowPoints(nullptr, pad, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(buttonPlaces[i].x, place.left) << "button " << i;
        EXPECT_EQ(buttonPlaces[i].y, place.top) << "button " << i;
        EXPECT_EQ(buttonSizes[i].cx, place.right - place.left) << "button " << i;
        EXPECT_EQ(buttonSizes[i].cy, place.bottom - place.top) << "button " << i;
    }

    const char* const tooltips[8] = {"New", "Find", "Mail Link", "Mail Webpage", "Append My Favorite", "ReFresh",
                                     "Save", "Open"};
    for (int i = 0; i < 8; i++) {
        HWND tooltip = padDialog->directionButtons[i].tooltip;
        ASSERT_TRUE(tooltip) << i;
        char text[80] = "";
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.hwnd = GetDlgItem(pad, IDC_NEW + i);
        tool.uId = 0;
        tool.lpszText = text;
        SendMessage(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(tooltips[i], text);
    }
    EXPECT_TRUE(padDialog->centreButton.tooltip == nullptr);

    // What the screen shows: the target behind the corners, the pad's picture inside.
    Pump(200);
    std::vector<DWORD> shot = CaptureScreen(rect.left, rect.top, 165, 165, "pad-screenshot.bmp");
    int width, height;
    std::vector<DWORD> picture = BitmapPixels(IDB_BACKGROUND, &width, &height);
    ASSERT_EQ(165, width);
    const DWORD magenta = 0xFF00FF;
    EXPECT_EQ(magenta, shot[2 * 165 + 2]);
    EXPECT_EQ(magenta, shot[162 * 165 + 162]);
    EXPECT_EQ(magenta, shot[2 * 165 + 162]);
    for (int i = 0; i < 9; i++) {
        POINT p = SegmentPoint(i);
        EXPECT_EQ(picture[p.y * 165 + p.x], shot[p.y * 165 + p.x]) << "segment " << i << " at " << p.x << "," << p.y;
    }

    // A second request moves the same pad, partly off the screen.
    Open(30, 20);
    EXPECT_EQ(pad, PadWindow());
    PumpUntil([pad] {
        RECT r;
        GetWindowRect(pad, &r);
        return r.left == 30 - 82;
    }, 1000);
    GetWindowRect(pad, &rect);
    EXPECT_EQ(-52, rect.left);
    EXPECT_EQ(-62, rect.top);
    EXPECT_EQ(165, rect.right - rect.left);
    EXPECT_EQ(1, CountPadWindows());
    EXPECT_EQ(HandleToUlong(pad), ReadRoundMap());

    // A press inside the client area keeps it, one outside closes it.
    WritePosition(40, 30);
    PostMessage(pad, callQuimbelMessage, 0, 0);
    Pump(300);
    EXPECT_TRUE(IsWindow(pad));
    EXPECT_EQ(HandleToUlong(pad), ReadRoundMap());
    WritePosition(-52 + 165, 30);   // the right edge is outside
    PostMessage(pad, callQuimbelMessage, 0, 0);
    EXPECT_TRUE(WaitClosed(pad));
    EXPECT_EQ(0u, ReadRoundMap());
    EXPECT_TRUE(frame->padThread == nullptr);
    EXPECT_EQ(0, CountPadWindows());
}

TEST_F(PadTest, EscapeClosesAndOwnerModeUsesTheSecondSetAndGivesTheForegroundBack)
{
    for (DWORD owner : {1u, 0u}) {
        SCOPED_TRACE(owner ? "owner mode" : "normal mode");
        ASSERT_TRUE(BringToFront(target));
        WriteOwner(owner);
        HWND pad = Open(500, 350);
        ASSERT_TRUE(pad);
        EXPECT_EQ(target, padDialog->previousForeground);

        RECT rect;
        GetWindowRect(pad, &rect);
        Pump(150);
        std::vector<DWORD> shot = CaptureScreen(rect.left, rect.top, 165, 165, nullptr);
        int width, height;
        std::vector<DWORD> first = BitmapPixels(IDB_FIND, &width, &height);
        std::vector<DWORD> second = BitmapPixels(IDB_FIND2, &width, &height);
        POINT p = SegmentPoint(1);
        DWORD seen = shot[p.y * 165 + p.x];
        DWORD expected = (owner ? second : first)[(p.y - 7) * width + (p.x - 84)];
        EXPECT_EQ(expected, seen) << std::hex << "first set " << first[(p.y - 7) * width + (p.x - 84)] << " second set "
                                  << second[(p.y - 7) * width + (p.x - 84)];

        ASSERT_TRUE(PumpUntil([pad] { return GetForegroundWindow() == pad; }, 2000)) << "the pad never came to the front";
        keybd_event(VK_ESCAPE, 0, 0, 0);
        keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
        EXPECT_TRUE(WaitClosed(pad));
        EXPECT_EQ(0u, ReadRoundMap());
        if (owner) {
            EXPECT_TRUE(PumpUntil([this] { return GetForegroundWindow() == target; }, 2000));
        }
    }
}

TEST_F(PadTest, CloseRequestAndWindowCloseEndThePad)
{
    for (UINT message : {closeQuimbelMessage, static_cast<UINT>(WM_CLOSE)}) {
        SCOPED_TRACE(message == WM_CLOSE ? "WM_CLOSE" : "Close quimbel");
        ASSERT_TRUE(BringToFront(target));
        HWND pad = Open(400, 300);
        ASSERT_TRUE(pad);
        PumpUntil([pad] { return GetForegroundWindow() == pad; }, 1000);
        PostMessage(pad, message, message == WM_CLOSE ? 0 : closeQuimbelFromHook, 0);
        EXPECT_TRUE(WaitClosed(pad));
        EXPECT_EQ(0u, ReadRoundMap());
        EXPECT_TRUE(PumpUntil([this] { return GetForegroundWindow() == target; }, 2000));
    }
}

namespace {

BOOL CALLBACK SaysMove(HWND child, LPARAM found)
{
    char text[16] = "";
    if (GetWindowText(child, text, sizeof text) && strcmp(text, "move") == 0)
        *reinterpret_cast<HWND*>(found) = child;
    return TRUE;
}

BOOL CALLBACK HoldsMoveText(HWND window, LPARAM found)
{
    HWND says = nullptr;
    EnumChildWindows(window, SaysMove, reinterpret_cast<LPARAM>(&says));
    if (says)
        *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

// The message box saying "move" on the pad's thread, or null.
HWND FindMoveBox(HWND pad)
{
    HWND box = nullptr;
    EnumThreadWindows(GetWindowThreadProcessId(pad, nullptr), HoldsMoveText, reinterpret_cast<LPARAM>(&box));
    return box;
}

}  // namespace

TEST_F(PadTest, ABrowserFrameIsMaximisedAndBroughtToTheFront)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandle(nullptr);
    windowClass.lpszClassName = "IEFrame";
    RegisterClassA(&windowClass);
    HWND browser = CreateWindowA("IEFrame", "browser stand-in", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                                 nullptr, GetModuleHandle(nullptr), nullptr);
    ASSERT_TRUE(browser);
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    EXPECT_TRUE(IsZoomed(browser));
    EXPECT_TRUE(IsWindowVisible(browser));
    PostMessage(pad, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitClosed(pad));
    DestroyWindow(browser);
    UnregisterClassA("IEFrame", GetModuleHandle(nullptr));
}

namespace {

// A browser frame on a thread that stops handling its messages for a while, as a frozen browser would.
struct FrozenBrowser {
    HANDLE created = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE thaw = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HWND window = nullptr;
    bool maximised = false;
    ~FrozenBrowser()
    {
        CloseHandle(created);
        CloseHandle(thaw);
    }

    static DWORD Run(FrozenBrowser& self)
    {
        self.window = CreateWindowA("IEFrame", "frozen browser", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                                    nullptr, GetModuleHandle(nullptr), nullptr);
        SetEvent(self.created);
        if (!self.window)
            return 1;
        WaitForSingleObject(self.thaw, 4000);
        self.maximised = PumpUntil([&self] { return IsZoomed(self.window) != FALSE; }, 2000);
        DestroyWindow(self.window);
        return 0;
    }
    static void Thaw(FrozenBrowser& self) { SetEvent(self.thaw); }
};

}  // namespace

TEST_F(PadTest, AFrozenBrowserFrameDoesNotHoldTheLauncher)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandle(nullptr);
    windowClass.lpszClassName = "IEFrame";
    RegisterClassA(&windowClass);
    HelperThread<FrozenBrowser> thread(FrozenBrowser::Run, FrozenBrowser::Thaw);
    FrozenBrowser& browser = *thread.data;
    ASSERT_TRUE(thread.Started());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(browser.created, 2000));
    ASSERT_TRUE(browser.window);

    WritePosition(400, 300);
    DWORD start = GetTickCount();
    OpenOrMovePad(frame);
    DWORD spent = GetTickCount() - start;
    SetEvent(browser.thaw);
    EXPECT_LT(spent, 1000u) << "the launcher waited for the browser's thread";

    EXPECT_TRUE(thread.Join(5000));
    EXPECT_TRUE(browser.maximised) << "the browser was not maximised once it ran again";
    HWND pad = nullptr;
    EXPECT_TRUE(PumpUntil([&pad] { return (pad = PadWindow()) != nullptr && IsWindowVisible(pad); }, 3000));
    if (pad) {
        PostMessage(pad, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitClosed(pad));
    }
    UnregisterClassA("IEFrame", GetModuleHandle(nullptr));
}

TEST_F(PadTest, WheelOverThePadShowsTheMoveBox)
{
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    PostMessage(pad, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(400, 300));
    HWND box = nullptr;
    PumpUntil([&] { return (box = FindMoveBox(pad)) != nullptr; }, 2000);
    ASSERT_TRUE(box) << "no message box saying \"move\"";
    PostMessage(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([box] { return !IsWindow(box); }, 2000));
    EXPECT_TRUE(IsWindow(pad));

    // The frame going away while the box is up still ends the pad, box and all.
    PostMessage(pad, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(400, 300));
    box = nullptr;
    PumpUntil([&] { return (box = FindMoveBox(pad)) != nullptr; }, 2000);
    ASSERT_TRUE(box);
    DWORD start = GetTickCount();
    ReleasePad(frame);
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_FALSE(IsWindow(pad));
    EXPECT_TRUE(padDialog == nullptr);
}

namespace {

// Ends the pad while it shows the "move" box: the pad is ending, its thread held in the box. The box.
HWND EndUnderTheMoveBox(HWND pad)
{
    PostMessage(pad, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(400, 300));
    HWND box = nullptr;
    if (!PumpUntil([&] { return (box = FindMoveBox(pad)) != nullptr; }, 2000))
        return nullptr;
    PostMessage(pad, closeQuimbelMessage, closeQuimbelFromHook, 0);
    return PumpUntil([] { return padDialog && padDialog->IsWindowGone(); }, 2000) ? box : nullptr;
}

HWND g_box;
HWND g_receiver;
bool g_insideLauncher;
int g_handled;
int g_handledInside;

// On the pad thread: as the box is told to close, a message is sent to the test's thread.
LRESULT CALLBACK SendAsTheBoxCloses(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_CLOSE && message->hwnd == g_box) {
        DWORD_PTR result;
        SendMessageTimeout(g_receiver, WM_APP, 0, 0, SMTO_NORMAL, 3000, &result);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CountWhereHandled(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        g_handled++;
        g_handledInside += g_insideLauncher;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

TEST_F(PadTest, ARequestWhileAnEndingPadShowsABoxClosesTheBoxAndDoesNotWaitForIt)
{
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    HWND box = EndUnderTheMoveBox(pad);
    ASSERT_TRUE(box);

    WritePosition(450, 320);
    DWORD start = GetTickCount();
    OpenOrMovePad(frame);
    EXPECT_LT(GetTickCount() - start, 1000u) << "the launcher waited for the ending pad";
    EXPECT_TRUE(PumpUntil([box] { return !IsWindow(box); }, 2000)) << "the box was not asked to close";
    HWND second = nullptr;
    EXPECT_TRUE(PumpUntil([&] { return (second = PadWindow()) != pad && second && IsWindowVisible(second); }, 3000));
    EXPECT_TRUE(PumpUntil([pad] { return !IsWindow(pad); }, 2000));
    if (second) {
        PostMessage(second, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitClosed(second));
    }
}

TEST_F(PadTest, TheLauncherHandlesNoSentMessageWhileItWaits)
{
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    g_box = EndUnderTheMoveBox(pad);
    ASSERT_TRUE(g_box);
    g_receiver = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandle(nullptr), nullptr);
    SetWindowLongPtr(g_receiver, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountWhereHandled));
    g_handled = g_handledInside = 0;
    HHOOK hook = SetWindowsHookEx(WH_GETMESSAGE, SendAsTheBoxCloses, nullptr, GetWindowThreadProcessId(pad, nullptr));
    ASSERT_TRUE(hook);

    WritePosition(450, 320);
    g_insideLauncher = true;
    OpenOrMovePad(frame);
    g_insideLauncher = false;
    EXPECT_TRUE(PumpUntil([] { return g_handled > 0; }, 3000)) << "the box was not asked to close";
    EXPECT_EQ(0, g_handledInside) << "a sent message was handled inside the launcher's wait";
    UnhookWindowsHookEx(hook);
    DestroyWindow(g_receiver);
    HWND second = nullptr;
    EXPECT_TRUE(PumpUntil([&] { return (second = PadWindow()) != pad && second && IsWindowVisible(second); }, 3000));
    if (second) {
        PostMessage(second, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitClosed(second));
    }
}

TEST_F(PadTest, ReleasingTheFrameGivesTheForegroundBackOnlyInOwnerMode)
{
    HWND other = CreateTargetWindow(20, 20, 100, 100, RGB(0, 255, 0));
    ASSERT_TRUE(other);
    for (DWORD owner : {0u, 1u}) {
        SCOPED_TRACE(owner ? "owner mode" : "normal mode");
        ASSERT_TRUE(BringToFront(target));
        WriteOwner(owner);
        HWND pad = Open(500, 350);
        ASSERT_TRUE(pad);
        ASSERT_TRUE(BringToFront(other));
        ReleasePad(frame);
        EXPECT_FALSE(IsWindow(pad));
        EXPECT_EQ(owner != 0, PumpUntil([this] { return GetForegroundWindow() == target; }, 500));
    }
    DestroyWindow(other);
}

namespace {

HANDLE destroyedEvent;
HWND heldPad;

// Keeps the pad thread busy right after its window is gone, as a slow thread end would.
LRESULT CALLBACK HoldAfterDestroy(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_NCDESTROY && call->hwnd == heldPad) {
        SetEvent(destroyedEvent);
        Sleep(500);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_F(PadTest, RequestWhileThePadThreadEndsOpensANewPad)
{
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    heldPad = pad;
    destroyedEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HHOOK hook = SetWindowsHookEx(WH_CALLWNDPROCRET, HoldAfterDestroy, nullptr, GetWindowThreadProcessId(pad, nullptr));
    ASSERT_TRUE(hook);
    PostMessage(pad, closeQuimbelMessage, closeQuimbelFromHook, 0);
    ASSERT_TRUE(PumpUntil([] { return WaitForSingleObject(destroyedEvent, 0) == WAIT_OBJECT_0; }, 3000));
    EXPECT_EQ(0u, ReadRoundMap());
    EXPECT_TRUE(padDialog != nullptr) << "the old pad's thread should still be ending";

    HWND second = Open(450, 320);
    ASSERT_TRUE(second) << "the request was lost";
    EXPECT_NE(pad, second);
    EXPECT_EQ(HandleToUlong(second), ReadRoundMap());
    RECT rect;
    GetWindowRect(second, &rect);
    EXPECT_EQ(450 - 82, rect.left);
    UnhookWindowsHookEx(hook);
    CloseHandle(destroyedEvent);

    PostMessage(second, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitClosed(second));
    EXPECT_EQ(0u, ReadRoundMap());
}

namespace {

HANDLE endingEvent;

// Keeps the pad thread busy inside EndDialog, where the window is hidden and the modal loop about to end
// but the window not yet destroyed.
LRESULT CALLBACK HoldWhileEnding(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED && call->hwnd == heldPad &&
        (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_HIDEWINDOW) &&
        WaitForSingleObject(endingEvent, 0) == WAIT_TIMEOUT) {
        SetEvent(endingEvent);
        Sleep(500);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HANDLE releaseEvent;

// Keeps the pad thread after its window is gone until the test lets it go.
LRESULT CALLBACK HoldUntilReleased(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_NCDESTROY && call->hwnd == heldPad) {
        SetEvent(destroyedEvent);
        WaitForSingleObject(releaseEvent, 15000);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

uintptr_t __cdecl NoThread(void*, unsigned, unsigned(__stdcall*)(void*), void*, unsigned, unsigned*)
{
    return 0;
}

// Points this program's import of function from dll at replacement; the address it had, or null when the
// program does not import it.
void* ReplaceImport(const char* dll, const char* function, void* replacement)
{
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandle(nullptr));
    const IMAGE_NT_HEADERS* headers =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (const IMAGE_IMPORT_DESCRIPTOR* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         imports.VirtualAddress && entry->Name; ++entry) {
        if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), dll) != 0)
            continue;
        const IMAGE_THUNK_DATA* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(
            base + (entry->OriginalFirstThunk ? entry->OriginalFirstThunk : entry->FirstThunk));
        IMAGE_THUNK_DATA* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const IMAGE_IMPORT_BY_NAME* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<const char*>(name->Name), function) != 0)
                continue;
            DWORD protection;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection))
                return nullptr;
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return previous;
        }
    }
    return nullptr;
}

}  // namespace

TEST_F(PadTest, RequestWhileThePadIsEndingOpensANewPad)
{
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    heldPad = pad;
    endingEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HHOOK hook = SetWindowsHookEx(WH_CALLWNDPROCRET, HoldWhileEnding, nullptr, GetWindowThreadProcessId(pad, nullptr));
    ASSERT_TRUE(hook);
    PostMessage(pad, closeQuimbelMessage, closeQuimbelFromHook, 0);
    ASSERT_TRUE(PumpUntil([] { return WaitForSingleObject(endingEvent, 0) == WAIT_OBJECT_0; }, 3000));
    EXPECT_TRUE(IsWindow(pad)) << "the hold should come before the window is destroyed";

    HWND second = Open(450, 320);
    ASSERT_TRUE(second) << "the request was lost";
    EXPECT_NE(pad, second);
    // The old pad ends after the new one published its window, and leaves that handle in place.
    EXPECT_TRUE(PumpUntil([pad] { return !IsWindow(pad); }, 3000));
    Pump(50);
    EXPECT_EQ(HandleToUlong(second), ReadRoundMap()) << "the old pad's end erased the new pad's handle";
    EXPECT_EQ(1, CountPadWindows());
    UnhookWindowsHookEx(hook);
    CloseHandle(endingEvent);

    PostMessage(second, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitClosed(second));
    EXPECT_EQ(0u, ReadRoundMap());
}

TEST_F(PadTest, APadThatOutlivesItsFrameLeavesTheFrameAlone)
{
    // The frame lives in storage the test keeps, so that a write by the ending pad thread after the
    // frame is gone shows in it.
    delete_frame();
    alignas(CMainFrame) static unsigned char storage[sizeof(CMainFrame)];
    frame = new (storage) CMainFrame;
    frame->hwnd = target;
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    heldPad = pad;
    destroyedEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    releaseEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HHOOK hook = SetWindowsHookEx(WH_CALLWNDPROCRET, HoldUntilReleased, nullptr, GetWindowThreadProcessId(pad, nullptr));
    ASSERT_TRUE(hook);

    // The frame's destructor waits five seconds for the pad thread, then gives up.
    frame->hwnd = nullptr;
    DWORD start = GetTickCount();
    frame->~CMainFrame();
    frame = nullptr;
    EXPECT_GE(GetTickCount() - start, 4500u);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(destroyedEvent, 0));
    memset(storage, 0xA5, sizeof storage);

    // The application's end comes while the pad thread still runs: the block stays until the thread is done.
    CSharedMemory* view = OpenMouseStateBlock();
    CSharedMemory* block = sharedState;
    ReleaseSharedState();
    EXPECT_EQ(block, sharedState) << "the block was freed under a running pad thread";

    SetEvent(releaseEvent);
    EXPECT_TRUE(PumpUntil([] { return padDialog == nullptr && sharedState == nullptr; }, 3000))
        << "the pad thread did not end, or did not free the block as the last one to hold it";
    size_t changed = 0;
    for (unsigned char byte : storage)
        changed += byte != 0xA5;
    EXPECT_EQ(0u, changed) << "the ending pad thread wrote into the frame that was gone";
    DWORD roundMap = 0xFFFFFFFF, length = sizeof roundMap;
    EXPECT_TRUE(view->ReadItem(ITEM_ROUND_MAP, &roundMap, &length));
    EXPECT_EQ(0u, roundMap);
    delete view;
    UnhookWindowsHookEx(hook);
    CloseHandle(destroyedEvent);
    CloseHandle(releaseEvent);
}

TEST_F(PadTest, APadThreadThatCannotStartLeavesTheWatchdogRunning)
{
    frame->SetTimer(CMainFrame::watchdogTimer, CMainFrame::watchdogInterval);
    void* real = ReplaceImport("msvcrt.dll", "_beginthreadex", reinterpret_cast<void*>(NoThread));
    ASSERT_TRUE(real) << "this program does not import _beginthreadex";
    WritePosition(400, 300);
    OpenOrMovePad(frame);
    ReplaceImport("msvcrt.dll", "_beginthreadex", real);
    EXPECT_TRUE(frame->padThread == nullptr);
    Pump(100);
    EXPECT_EQ(0, CountPadWindows());
    EXPECT_TRUE(KillTimer(target, CMainFrame::watchdogTimer)) << "the watchdog stayed stopped";

    // The next request opens a pad as usual.
    HWND pad = Open(420, 310);
    ASSERT_TRUE(pad);
    EXPECT_TRUE(KillTimer(target, CMainFrame::watchdogTimer));
    PostMessage(pad, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitClosed(pad));
}

TEST_F(PadTest, ReleasingTheFrameClosesThePadOnce)
{
    // While open.
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    ReleasePad(frame);
    EXPECT_FALSE(IsWindow(pad));
    EXPECT_TRUE(padDialog == nullptr);
    EXPECT_TRUE(frame->padThread == nullptr);
    EXPECT_EQ(0u, ReadRoundMap());

    // While its window is still being made.
    WritePosition(400, 300);
    OpenOrMovePad(frame);
    ReleasePad(frame);
    EXPECT_TRUE(padDialog == nullptr);
    EXPECT_TRUE(frame->padThread == nullptr);
    EXPECT_EQ(0, CountPadWindows());
    EXPECT_EQ(0u, ReadRoundMap());

    // Through the frame's destructor.
    pad = Open(400, 300);
    ASSERT_TRUE(pad);
    delete_frame();
    EXPECT_FALSE(IsWindow(pad));
    EXPECT_TRUE(padDialog == nullptr);
    EXPECT_EQ(0u, ReadRoundMap());
}

// ---------------------------------------------------------------------------------------------------------
// The nine commands

namespace {

struct ExpectedKey {
    DWORD key;
    DWORD scan;
    bool up;
};

struct CommandCase {
    int index;
    const char* name;
    std::vector<ExpectedKey> keys;
};

void PrintTo(const CommandCase& c, std::ostream* out)
{
    *out << c.name;
}

const CommandCase commandCases[] = {
    {0, "New", {{0x11, 0, false}, {'N', 'N', false}, {'N', 'N', true}, {0x11, 0x11, true}}},
    {1, "Find", {{0x11, 0, false}, {'F', 'F', false}, {'F', 'F', true}, {0x11, 0x11, true}}},
    {2, "MailLink",
     {{0x12, 0, false}, {'B', 'B', false}, {'B', 'B', true}, {0x12, 0x12, true},
      {'V', 'V', false}, {'V', 'V', true}, {'K', 'K', false}, {'K', 'K', true}}},
    {3, "MailWebpage",
     {{0x12, 0, false}, {'B', 'B', false}, {'B', 'B', true}, {0x12, 0x12, true},
      {'V', 'V', false}, {'V', 'V', true}, {'P', 'P', false}, {'P', 'P', true}}},
    {4, "AppendMyFavorite",
     {{0x12, 0, false}, {'F', 'F', false}, {'F', 'F', true}, {0x12, 0x12, true}, {'T', 'T', false}, {'T', 'T', true}}},
    {5, "ReFresh", {{0x11, 0, false}, {'R', 'R', false}, {'R', 'R', true}, {0x11, 0x11, true}}},
    {6, "Save",
     {{0x12, 0, false}, {'B', 'B', false}, {'B', 'B', true}, {0x12, 0x12, true},
      {'V', 'V', false}, {'V', 'V', true}, {'L', 'L', false}, {'L', 'L', true}}},
    {7, "Open", {{0x11, 0, false}, {'O', 0, false}, {'O', 0, true}, {0x11, 0, true}}},
    {8, "Centre", {}},
};

std::string DescribeExpected(const std::vector<ExpectedKey>& keys)
{
    std::string text;
    char line[64];
    for (const ExpectedKey& k : keys) {
        snprintf(line, sizeof line, "  code 0x%02lx scan 0x%02lx %s\n", k.key, k.scan, k.up ? "up" : "down");
        text += line;
    }
    return text;
}

class PadCommandTest : public PadTest, public ::testing::WithParamInterface<CommandCase> {};

}  // namespace

TEST_P(PadCommandTest, TypesIntoTheWindowThatWasInFront)
{
    const CommandCase& command = GetParam();
    ASSERT_TRUE(BringToFront(target));
    InputRecorder recorder(target);
    ASSERT_TRUE(recorder.Started());
    HWND pad = Open(500, 350);
    ASSERT_TRUE(pad);
    EXPECT_EQ(target, padDialog->previousForeground);
    TargetKeys().clear();

    RECT rect;
    GetWindowRect(pad, &rect);
    POINT point = SegmentPoint(command.index);
    POINT click = {rect.left + point.x, rect.top + point.y};
    HWND button = GetDlgItem(pad, IDC_NEW + command.index);
    ASSERT_EQ(button, WindowFromPoint(click)) << "the click point is not on the button";
    SetCursorPos(click.x, click.y);
    Pump(30);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);

    EXPECT_TRUE(WaitClosed(pad)) << "the pad did not end";
    EXPECT_EQ(0u, ReadRoundMap());
    EXPECT_TRUE(frame->padThread == nullptr);
    const size_t expectedEvents = command.keys.empty() ? 2 : command.keys.size();
    PumpUntil([&] { return recorder.Events().size() >= expectedEvents && TargetKeys().size() >= command.keys.size(); },
              3000);
    Pump(100);
    std::vector<InputEvent> events = recorder.Events();

    if (command.keys.empty()) {
        // The middle click, where the cursor is (on the centre button), then the foreground goes back.
        ASSERT_EQ(2u, events.size()) << DescribeKeys(events);
        EXPECT_EQ(static_cast<DWORD>(WM_MBUTTONDOWN), events[0].code);
        EXPECT_EQ(static_cast<DWORD>(WM_MBUTTONUP), events[1].code);
        EXPECT_EQ(click.x, events[0].point.x);
        EXPECT_EQ(click.y, events[0].point.y);
        EXPECT_TRUE(PumpUntil([this] { return GetForegroundWindow() == target; }, 2000));
        EXPECT_TRUE(TargetKeys().empty());
        return;
    }

    bool same = events.size() == command.keys.size();
    for (size_t i = 0; same && i < events.size(); i++)
        same = events[i].code == command.keys[i].key && events[i].scan == command.keys[i].scan &&
               events[i].up == command.keys[i].up && events[i].foreground == target;
    EXPECT_TRUE(same) << "expected (all with the target " << target << " in front):\n"
                      << DescribeExpected(command.keys) << "seen:\n" << DescribeKeys(events);

    // The target window itself received them, in order.
    std::vector<KeyMessage> received = TargetKeys();
    std::string seen;
    bool reached = received.size() == command.keys.size();
    for (size_t i = 0; i < received.size(); i++) {
        bool up = received[i].message == WM_KEYUP || received[i].message == WM_SYSKEYUP;
        seen += " " + std::to_string(received[i].key) + (up ? "u" : "d");
        if (reached)
            reached = received[i].key == command.keys[i].key && up == command.keys[i].up;
    }
    EXPECT_TRUE(reached) << "the target window received:" << seen;
}

INSTANTIATE_TEST_SUITE_P(AllNine, PadCommandTest, ::testing::ValuesIn(commandCases),
                         [](const ::testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });
