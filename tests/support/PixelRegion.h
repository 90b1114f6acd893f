// Pictures for the tests of shaped windows: a bitmap resource of the test program, and the reference for
// regions made from pictures, every pixel read on its own with GetPixel (slow and plainly right).
#pragma once
#include <windows.h>

// The bitmap resource id of this program, loaded with the given LoadImage flags; null when missing.
inline HBITMAP LoadResourceBitmap(UINT id, UINT flags)
{
    return static_cast<HBITMAP>(LoadImage(GetModuleHandle(nullptr), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0, flags));
}

// The region of the pixels whose colour (the three colour bytes) is not key; each run of such pixels in a
// row is one rectangle. The caller deletes it.
HRGN RegionByPixels(HBITMAP bitmap, COLORREF key);
