// Pictures for the tests of shaped windows: a bitmap resource of the test program, and the reference for
// regions made from pictures, every pixel read on its own with GetPixel (slow and plainly right).
#pragma once
#include <windows.h>
#include <vector>

// The bitmap resource id of this program, loaded with the given LoadImage flags; null when missing.
inline HBITMAP LoadResourceBitmap(UINT id, UINT flags)
{
    return static_cast<HBITMAP>(LoadImage(GetModuleHandle(nullptr), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0, flags));
}

// The region of the pixels whose colour (the three colour bytes) is not key; each run of such pixels in a
// row is one rectangle. The caller deletes it.
HRGN RegionByPixels(HBITMAP bitmap, COLORREF key);

// The pixels of a part of a device context, 32-bit top-down, 0x00RRGGBB per pixel (0 for each pixel when
// no copy could be made).
std::vector<DWORD> ReadPixels(HDC source, int x, int y, int width, int height);

// A window of this process drawn off-screen, as it draws itself: its client area gets WM_ERASEBKGND and
// WM_PRINTCLIENT into a 32-bit picture, then each visible child the same way at its place, bottom of the
// z-order first, each clipped to its window's shape and its parent's area. What covers the window on the
// screen does not matter. Pixels are 0x00RRGGBB, row by row; a pixel nothing drew keeps the fill colour.
struct Rendering {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Rendering RenderClient(HWND window, DWORD fill);
