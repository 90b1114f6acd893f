// The styled label and the colour edit in a real dialog: the font they really draw with, the pixels they
// paint, the layout rules of the label's styles, a change of the system colours, and the edit's fonts.
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <vector>
#include "tests/support/PixelRegion.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "setup/controls/EditEx.h"
#include "setup/controls/StyledStatic.h"

namespace {

const UINT IDD_CONTROLS = 200;

class CControlsDialog : public CDialog {
public:
    CControlsDialog() : CDialog(IDD_CONTROLS) {}
    CStyledStatic label, heading, centred, empty;
    CEditEx edit;

protected:
    void DoDataExchange(CDataExchange* exchange) override
    {
        exchange->BindControl(1000, label);
        exchange->BindControl(1001, heading);
        exchange->BindControl(1002, centred);
        exchange->BindControl(1003, empty);
        exchange->BindControl(1018, edit);
    }
};

// The client pixels of a window as the window itself draws them, rendered off-screen.
struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> colors;
    explicit Pixels(HWND window)
    {
        Rendering rendering = RenderClient(window, 0x123456);
        width = rendering.width;
        height = rendering.height;
        for (DWORD pixel : rendering.pixels)
            colors.push_back(RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF));
    }
    COLORREF At(int x, int y) const { return colors[y * width + x]; }
    // The box around every pixel that is not background; false when there is none.
    bool Ink(COLORREF background, RECT* box) const
    {
        *box = RECT{width, height, -1, -1};
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++)
                if (At(x, y) != background) {
                    box->left = x < box->left ? x : box->left;
                    box->top = y < box->top ? y : box->top;
                    box->right = x > box->right ? x : box->right;
                    box->bottom = y > box->bottom ? y : box->bottom;
                }
        return box->right >= 0;
    }
    int Count(COLORREF color) const
    {
        int n = 0;
        for (COLORREF c : colors)
            n += c == color;
        return n;
    }
};

class LabelEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create());
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ASSERT_TRUE(dialog.label.hwnd);
        ASSERT_TRUE(dialog.edit.hwnd);
    }
    CControlsDialog dialog;
};

TEST_F(LabelEdit, ChainOfSettersSelectsTheFontAndColourItDescribes)
{
    LOGFONTA dialogFont = {};
    GetObjectA(reinterpret_cast<HGDIOBJ>(dialog.SendMessage(WM_GETFONT)), sizeof dialogFont, &dialogFont);
    ASSERT_EQ(dialogFont.lfHeight, dialog.label.GetLabelLogFont().lfHeight) << "the label starts with the dialog's font";

    const COLORREF red = RGB(200, 0, 0);
    dialog.label.SetLabelBold(TRUE).SetLabelItalic(TRUE).SetLabelPointSize(15).SetLabelColor(red).SetLabelText("Chained");
    LOGFONTA font = {};
    ASSERT_EQ(static_cast<int>(sizeof font), GetObjectA(dialog.label.GetLabelFont(), sizeof font, &font));
    HDC screen = GetDC(nullptr);
    int expectedHeight = -MulDiv(15, GetDeviceCaps(screen, LOGPIXELSY), 72);
    EXPECT_EQ(expectedHeight, font.lfHeight);
    EXPECT_EQ(700, font.lfWeight);
    EXPECT_EQ(1, font.lfItalic);
    EXPECT_STREQ(dialogFont.lfFaceName, font.lfFaceName);

    // What the system really made of it.
    HGDIOBJ previous = SelectObject(screen, dialog.label.GetLabelFont());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    EXPECT_GE(metrics.tmWeight, 600);
    EXPECT_TRUE(metrics.tmItalic);
    EXPECT_EQ(-expectedHeight, metrics.tmHeight - metrics.tmInternalLeading);

    dialog.label.SetLabelBold(FALSE);
    GetObjectA(dialog.label.GetLabelFont(), sizeof font, &font);
    EXPECT_EQ(expectedHeight, font.lfHeight) << "bold after the size keeps the size";
    EXPECT_EQ(400, font.lfWeight);

    char text[32] = "";
    dialog.label.GetWindowText(text, sizeof text);
    EXPECT_STREQ("Chained", text);
    Pixels pixels(dialog.label);
    EXPECT_GT(pixels.Count(red), 0) << "the text is painted in its colour";
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), pixels.At(pixels.width - 1, pixels.height - 1));
}

TEST_F(LabelEdit, NoWrapHeadingIsClippedAtTheRightEdge)
{
    dialog.heading.SetLabelColor(RGB(0, 0, 0));
    Pixels pixels(dialog.heading);
    RECT ink;
    ASSERT_TRUE(pixels.Ink(GetSysColor(COLOR_BTNFACE), &ink));
    TEXTMETRICA metrics = {};
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, dialog.heading.GetLabelFont());
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    ASSERT_GT(pixels.height, 2 * metrics.tmHeight) << "room for a second line";
    EXPECT_LT(ink.bottom, metrics.tmHeight) << "nothing wrapped onto a second line";
    EXPECT_GE(ink.right, pixels.width - 4) << "the text runs to the right edge";
}

TEST_F(LabelEdit, CentreImageTextWithLineBreaksIsCentredOnLinesFromTheTop)
{
    dialog.centred.SetLabelColor(RGB(0, 0, 0)).SetLabelText("MM\r\nMM");
    Pixels pixels(dialog.centred);
    RECT ink;
    ASSERT_TRUE(pixels.Ink(GetSysColor(COLOR_BTNFACE), &ink));
    int leftMargin = ink.left, rightMargin = pixels.width - 1 - ink.right;
    EXPECT_GT(leftMargin, pixels.width / 4);
    EXPECT_NEAR(leftMargin, rightMargin, 3) << "centred horizontally";
    TEXTMETRICA metrics = {};
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, dialog.centred.GetLabelFont());
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    EXPECT_LT(ink.top, metrics.tmHeight / 2) << "from the top, not centred vertically";
    EXPECT_GE(ink.bottom, metrics.tmHeight) << "on a second line";
    EXPECT_EQ(DT_CENTER | DT_VCENTER | DT_SINGLELINE, CStyledStatic::FormatForStyle(SS_CENTERIMAGE, "one line"));
}

TEST_F(LabelEdit, BackgroundFollowsTheButtonFaceColourAfterASystemColourChange)
{
    const COLORREF textColor = RGB(1, 2, 3);
    dialog.empty.SetLabelColor(textColor);
    int element = COLOR_BTNFACE;
    COLORREF original = GetSysColor(COLOR_BTNFACE);
    COLORREF changed = RGB(10, 120, 30);
    ASSERT_NE(original, changed);
    ASSERT_TRUE(SetSysColors(1, &element, &changed));
    dialog.SendMessage(WM_SYSCOLORCHANGE);   // as the system does: to top-level windows only
    Pixels pixels(dialog.empty);
    SetSysColors(1, &element, &original);
    EXPECT_EQ(changed, pixels.At(1, 1));
    EXPECT_EQ(changed, pixels.At(pixels.width - 1, pixels.height - 1));
    EXPECT_EQ(textColor, dialog.empty.GetLabelColor());
}

TEST_F(LabelEdit, EditColoursReturnThePreviousOnesAndArePainted)
{
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), dialog.edit.SetBackColor(RGB(255, 255, 200)));
    EXPECT_EQ(RGB(255, 255, 200), dialog.edit.SetBackColor(RGB(255, 250, 210)));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), dialog.edit.SetForeColor(RGB(0, 0, 255)));
    dialog.edit.SetEditFont(-16, 900, VARIABLE_PITCH | FF_ROMAN, "Times New Roman");
    dialog.edit.SetWindowText("MWMWMW");
    Pixels pixels(dialog.edit);
    EXPECT_EQ(RGB(255, 250, 210), pixels.At(pixels.width - 3, pixels.height - 3));
    EXPECT_GT(pixels.Count(RGB(0, 0, 255)), 0) << "text in the chosen colour";
}

TEST_F(LabelEdit, SecondEditFontReplacesAndDeletesTheFirst)
{
    dialog.edit.SetEditFont(-16, 700, VARIABLE_PITCH | FF_ROMAN, "Times New Roman");
    HFONT first = dialog.edit.GetEditFont();
    ASSERT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(first));
    dialog.edit.SetEditFont(-12, 400, FIXED_PITCH | FF_MODERN, "A face name far longer than a LOGFONT holds it");
    HFONT second = dialog.edit.GetEditFont();
    EXPECT_EQ(0u, GetObjectType(first)) << "the first font is deleted";
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(second));
    EXPECT_EQ(reinterpret_cast<LRESULT>(second), dialog.edit.SendMessage(WM_GETFONT));
    LOGFONTA font = {};
    GetObjectA(second, sizeof font, &font);
    EXPECT_EQ(-12, font.lfHeight);
    EXPECT_EQ(LF_FACESIZE - 1, static_cast<int>(strlen(font.lfFaceName)));
}

TEST(EditEx, IsCreatedFromItsRunTimeClassRecord)
{
    CObject* object = CEditEx::classCEditEx.CreateObject();
    ASSERT_NE(nullptr, object);
    EXPECT_TRUE(object->IsKindOf(&CEdit::classCEdit));
    delete object;
}

}  // namespace
