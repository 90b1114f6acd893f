// Window regions from pictures: every pixel that is not of a transparent colour becomes part of the
// region, row by row, one rectangle per run of such pixels. The caller owns the region it gets.
#pragma once
#include <windows.h>

// Reads the bitmap through a 32-bit copy and gathers the rectangles in batches of at most
// regionBatchSize before they become a region. Null when the bitmap is null or a context or the copy
// cannot be made; the region may be empty.
HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF transparent);
constexpr DWORD regionBatchSize = 2000;

// Reads the bitmap pixel by pixel (GetPixel) in a memory context compatible with reference (the screen
// when null). Null when the bitmap is null or cannot be selected.
HRGN RegionFromMask(HBITMAP bitmap, COLORREF transparent, HDC reference);
