#include "tests/support/PixelRegion.h"

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
