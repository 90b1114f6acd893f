// The regions the pad is shaped with, made from its pictures: each one against the same pictures read pixel
// by pixel, in batches of any size, and nothing from what is not a bitmap. Draws nothing on the screen.
#include <gtest/gtest.h>
#include <windows.h>
#include "tests/support/PixelRegion.h"
#include "tray/BitmapRegion.h"
#include "tray/resource.h"

namespace {

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
