// The backdrop's vertical gradient: laid out once per size as horizontal bands of solid colour (one brush
// per band), so that each repaint is a short series of rectangle fills.
#pragma once
#include <windows.h>

struct GradientBands {
    HBRUSH* brushes;          // capacity entries; the first bandCount are live and owned
    int (*bandRanges)[2];     // capacity pairs: first row, end row (exclusive), relative to area.top
    RECT area;                // the rectangle laid out last
    COLORREF topColor;        // colour of the top row
    COLORREF bottomColor;     // colour approached at the bottom row
    int bandCount;
    int capacity;             // size of both arrays: the screen height at creation, grown for taller areas
    int height;               // area.bottom - area.top at the last layout
};

// A new structure with no bands and room for the screen's height; null when it cannot be allocated.
GradientBands* GradientCreate();
// 1; 0 when bands is null.
int GradientSetColors(COLORREF topColor, COLORREF bottomColor, GradientBands* bands);
// Replaces the bands by those of area. 1; 0 when bands is null or the bands could not be made (then there
// are none).
int GradientLayout(RECT area, GradientBands* bands);
// Fills every band, each one row taller so that the next paints over the seam. 1 when painted (also with no
// bands); 0 when bands is null or the height is not positive.
int GradientPaint(HDC dc, GradientBands* bands);
// Deletes every brush; bandCount becomes 0. 1; 0 when bands is null.
int GradientClear(GradientBands* bands);
// GradientClear, then frees the structure. 1; 0 when bands is null.
int GradientFree(GradientBands* bands);
