// The backdrop gradient: bands laid out by the band rule, painted with the one-row overlap into a bitmap
// whose pixels are read back, and no GDI object left behind by repeated layouts.
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <vector>
#include "setup/controls/DrawTitleText.h"
#include "setup/controls/GradientBands.h"

namespace {

struct Bands {
    GradientBands* bands = GradientCreate();
    ~Bands() { GradientFree(bands); }
};

// A 32-bit top-down section, whose pixels are 0x00RRGGBB words.
struct Canvas {
    HDC dc = CreateCompatibleDC(nullptr);
    DWORD* bits = nullptr;
    HBITMAP bitmap;
    HGDIOBJ previous;
    int width, height;
    Canvas(int width, int height, COLORREF fill) : width(width), height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        previous = SelectObject(dc, bitmap);
        HBRUSH brush = CreateSolidBrush(fill);
        RECT all = {0, 0, width, height};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y)
    {
        GdiFlush();
        DWORD p = bits[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

COLORREF BrushColor(HBRUSH brush)
{
    LOGBRUSH logBrush = {};
    return GetObject(brush, sizeof logBrush, &logBrush) ? logBrush.lbColor : CLR_INVALID;
}

TEST(Gradient, BlueToBlackOver768RowsGives256BandsOfOneThreeAndFourRows)
{
    Bands b;
    ASSERT_NE(nullptr, b.bands);
    ASSERT_EQ(1, GradientSetColors(RGB(0, 0, 255), RGB(0, 0, 0), b.bands));
    ASSERT_EQ(1, GradientLayout(RECT{0, 0, 50, 768}, b.bands));
    ASSERT_EQ(256, b.bands->bandCount);
    EXPECT_EQ(768, b.bands->height);
    int rowsOf[5] = {};
    int expectedFirst = 0;
    for (int i = 0; i < b.bands->bandCount; i++) {
        int first = b.bands->bandRanges[i][0], end = b.bands->bandRanges[i][1];
        EXPECT_EQ(expectedFirst, first) << "band " << i;
        ASSERT_GE(end - first, 1);
        ASSERT_LE(end - first, 4) << "band " << i;
        rowsOf[end - first]++;
        expectedFirst = end;
        // COLORREF order: blue is bits 16-23.
        EXPECT_EQ(RGB(0, 0, 255 - i), BrushColor(b.bands->brushes[i])) << "band " << i;
    }
    EXPECT_EQ(768, expectedFirst);
    EXPECT_EQ(1, b.bands->bandRanges[0][1]);
    EXPECT_EQ(1, rowsOf[1]);
    EXPECT_EQ(2, rowsOf[4]);
    EXPECT_EQ(253, rowsOf[3]);
}

TEST(Gradient, SingleColourIsOneBandOverEveryRow)
{
    Bands b;
    GradientSetColors(RGB(10, 20, 30), RGB(10, 20, 30), b.bands);
    ASSERT_EQ(1, GradientLayout(RECT{5, 7, 40, 307}, b.bands));
    ASSERT_EQ(1, b.bands->bandCount);
    EXPECT_EQ(0, b.bands->bandRanges[0][0]);
    EXPECT_EQ(300, b.bands->bandRanges[0][1]);
    EXPECT_EQ(RGB(10, 20, 30), BrushColor(b.bands->brushes[0]));
}

TEST(Gradient, HeightZeroPaintsNothing)
{
    Bands b;
    GradientSetColors(RGB(255, 255, 255), RGB(0, 0, 0), b.bands);
    ASSERT_EQ(1, GradientLayout(RECT{0, 10, 20, 10}, b.bands));
    EXPECT_EQ(0, b.bands->bandCount);
    Canvas canvas(20, 20, RGB(1, 2, 3));
    EXPECT_EQ(0, GradientPaint(canvas.dc, b.bands));
    for (int y = 0; y < 20; y++)
        ASSERT_EQ(RGB(1, 2, 3), canvas.At(5, y)) << "row " << y;
    EXPECT_EQ(0, GradientPaint(canvas.dc, nullptr));
    EXPECT_EQ(0, GradientLayout(RECT{0, 0, 1, 1}, nullptr));
    EXPECT_EQ(0, GradientSetColors(0, 0, nullptr));
}

TEST(Gradient, PaintedRowsAtBandEdgesHaveTheirBandsColour)
{
    Bands b;
    // White to black: all three channels fall together; the top row is white.
    GradientSetColors(RGB(255, 255, 255), RGB(0, 0, 0), b.bands);
    const int top = 8, rows = 512;
    ASSERT_EQ(1, GradientLayout(RECT{2, top, 30, top + rows}, b.bands));
    Canvas canvas(32, top + rows + 4, RGB(255, 0, 255));
    ASSERT_EQ(1, GradientPaint(canvas.dc, b.bands));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(10, top));
    for (int i = 0; i < b.bands->bandCount; i++) {
        COLORREF color = BrushColor(b.bands->brushes[i]);
        int first = top + b.bands->bandRanges[i][0], last = top + b.bands->bandRanges[i][1] - 1;
        ASSERT_EQ(color, canvas.At(2, first)) << "band " << i << " first row";
        ASSERT_EQ(color, canvas.At(29, last)) << "band " << i << " last row (the next band's overlap is over it)";
    }
    // Outside the area: the left and right columns, the rows above; the last band reaches one row below.
    EXPECT_EQ(RGB(255, 0, 255), canvas.At(1, top + 100));
    EXPECT_EQ(RGB(255, 0, 255), canvas.At(30, top + 100));
    EXPECT_EQ(RGB(255, 0, 255), canvas.At(10, top - 1));
    EXPECT_EQ(BrushColor(b.bands->brushes[b.bands->bandCount - 1]), canvas.At(10, top + rows));
    EXPECT_EQ(RGB(255, 0, 255), canvas.At(10, top + rows + 1));
}

TEST(Gradient, AreaTallerThanTheArraysGrowsThem)
{
    Bands b;
    int screenRows = b.bands->capacity;
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), screenRows);
    GradientSetColors(RGB(255, 0, 7), RGB(0, 254, 200), b.bands);
    int rows = screenRows * 3;
    ASSERT_EQ(1, GradientLayout(RECT{0, 0, 4, rows}, b.bands));
    EXPECT_GE(b.bands->capacity, rows);
    EXPECT_LE(b.bands->bandCount, b.bands->capacity);
    EXPECT_EQ(rows, b.bands->bandRanges[b.bands->bandCount - 1][1]);
    for (int i = 0; i < b.bands->bandCount; i++)
        ASSERT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(b.bands->brushes[i])) << "band " << i;
}

TEST(Gradient, RepeatedLayoutsLeaveTheGdiObjectCountWhereItWas)
{
    Bands b;
    GradientSetColors(RGB(0, 0, 255), RGB(0, 0, 0), b.bands);
    GradientLayout(RECT{0, 0, 10, 768}, b.bands);
    std::vector<HBRUSH> first(b.bands->brushes, b.bands->brushes + b.bands->bandCount);
    // The replaced layout's brushes are checked one by one (Wine's GetGuiResources answers 0): before the
    // loop, since leaked ones would use up the process's handles for the later tests, then the last ones.
    ASSERT_EQ(1, GradientLayout(RECT{0, 0, 10, 768}, b.bands));
    for (HBRUSH brush : first)
        ASSERT_EQ(0u, GetObjectType(brush)) << "the first layout's brushes are deleted";
    for (int i = 0; i < 1000; i++)
        ASSERT_EQ(1, GradientLayout(RECT{0, 0, 10, 768}, b.bands));
    std::vector<HBRUSH> last(b.bands->brushes, b.bands->brushes + b.bands->bandCount);
    ASSERT_EQ(1, GradientLayout(RECT{0, 0, 10, 768}, b.bands));
    for (HBRUSH brush : last)
        EXPECT_EQ(0u, GetObjectType(brush)) << "every replaced layout's brushes are deleted";
    GradientClear(b.bands);
    EXPECT_EQ(0, b.bands->bandCount);
}

TEST(TitleText, DrawsOnlyInsideItsTextRectangleFromTheGivenPoint)
{
    Canvas canvas(300, 80, RGB(0, 0, 0));
    const char text[] = "Setup";
    DrawTitleText(canvas.dc, 10, 10, text, "Times New Roman", 11, 30, RGB(255, 255, 255), 700);
    int left = 300, right = -1, top = 80, bottom = -1, white = 0;
    for (int y = 0; y < 80; y++)
        for (int x = 0; x < 300; x++) {
            COLORREF p = canvas.At(x, y);
            if (p == RGB(0, 0, 0))
                continue;
            left = x < left ? x : left;
            right = x > right ? x : right;
            top = y < top ? y : top;
            bottom = y > bottom ? y : bottom;
            white += p == RGB(255, 255, 255);
        }
    ASSERT_GT(white, 0) << "no ink in the title's colour";
    EXPECT_GE(left, 10);
    EXPECT_GE(top, 10);
    EXPECT_LT(bottom, 10 + 30 + 4);
    EXPECT_LT(right, 10 + static_cast<int>(strlen(text)) * 11 * 2);
    // The font is gone again: the context holds its stock font.
    EXPECT_EQ(GetStockObject(SYSTEM_FONT), GetCurrentObject(canvas.dc, OBJ_FONT));
}

}  // namespace
