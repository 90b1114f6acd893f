#include "setup/controls/GradientBands.h"
#include <stdlib.h>

// s + (e - s) * row / rows in floating point, truncated toward zero.
static int Interpolate(int start, int end, int row, int rows)
{
    if (start == end)
        return start;
    return static_cast<int>(start + static_cast<double>(end - start) * row / rows);
}

static COLORREF RowColor(COLORREF top, COLORREF bottom, int row, int rows)
{
    int red = Interpolate(GetRValue(top), GetRValue(bottom), row, rows);
    int green = Interpolate(GetGValue(top), GetGValue(bottom), row, rows);
    int blue = Interpolate(GetBValue(top), GetBValue(bottom), row, rows);
    return RGB(red, green, blue);
}

// Makes both arrays hold at least rows entries; FALSE (arrays unchanged) when memory runs out.
static BOOL Reserve(GradientBands* bands, int rows)
{
    if (rows <= bands->capacity)
        return TRUE;
    HBRUSH* brushes = static_cast<HBRUSH*>(realloc(bands->brushes, sizeof(HBRUSH) * rows));
    if (!brushes)
        return FALSE;
    bands->brushes = brushes;
    int (*ranges)[2] = static_cast<int (*)[2]>(realloc(bands->bandRanges, sizeof(int[2]) * rows));
    if (!ranges)
        return FALSE;   // the larger brush array is kept; capacity stays that of the smaller one
    bands->bandRanges = ranges;
    bands->capacity = rows;
    return TRUE;
}

GradientBands* GradientCreate()
{
    GradientBands* bands = static_cast<GradientBands*>(calloc(1, sizeof(GradientBands)));
    if (!bands)
        return nullptr;
    int rows = GetSystemMetrics(SM_CYSCREEN);
    if (rows < 1)
        rows = 1;
    bands->brushes = static_cast<HBRUSH*>(calloc(rows, sizeof(HBRUSH)));
    bands->bandRanges = static_cast<int (*)[2]>(calloc(rows, sizeof(int[2])));
    if (!bands->brushes || !bands->bandRanges) {
        free(bands->brushes);
        free(bands->bandRanges);
        free(bands);
        return nullptr;
    }
    bands->capacity = rows;
    return bands;
}

int GradientSetColors(COLORREF topColor, COLORREF bottomColor, GradientBands* bands)
{
    if (!bands)
        return 0;
    bands->topColor = topColor;
    bands->bottomColor = bottomColor;
    return 1;
}

static BOOL AddBand(GradientBands* bands, COLORREF color, int first, int end)
{
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush)
        return FALSE;
    bands->brushes[bands->bandCount] = brush;
    bands->bandRanges[bands->bandCount][0] = first;
    bands->bandRanges[bands->bandCount][1] = end;
    bands->bandCount++;
    return TRUE;
}

int GradientLayout(RECT area, GradientBands* bands)
{
    if (!bands)
        return 0;
    GradientClear(bands);
    bands->area = area;
    bands->height = area.bottom > area.top ? area.bottom - area.top : 0;
    // An area taller than the screen was at creation needs more room than the arrays have.
    if (!Reserve(bands, bands->height)) {
        bands->height = 0;
        return 0;
    }
    int rows = bands->height;
    int first = 0;
    COLORREF bandColor = rows > 0 ? RowColor(bands->topColor, bands->bottomColor, 0, rows) : 0;
    for (int row = 1; row <= rows; row++) {
        COLORREF color = row < rows ? RowColor(bands->topColor, bands->bottomColor, row, rows) : 0;
        if (row < rows && color == bandColor)
            continue;
        if (!AddBand(bands, bandColor, first, row)) {
            GradientClear(bands);
            bands->height = 0;
            return 0;
        }
        first = row;
        bandColor = color;
    }
    return 1;
}

int GradientPaint(HDC dc, GradientBands* bands)
{
    if (!bands || bands->height <= 0)
        return 0;
    for (int i = 0; i < bands->bandCount; i++) {
        RECT band = {bands->area.left, bands->area.top + bands->bandRanges[i][0], bands->area.right,
                     bands->area.top + bands->bandRanges[i][1] + 1};
        FillRect(dc, &band, bands->brushes[i]);
    }
    return 1;
}

int GradientClear(GradientBands* bands)
{
    if (!bands)
        return 0;
    for (int i = 0; i < bands->bandCount; i++) {
        DeleteObject(bands->brushes[i]);
        bands->brushes[i] = nullptr;
    }
    bands->bandCount = 0;
    return 1;
}

int GradientFree(GradientBands* bands)
{
    if (!bands)
        return 0;
    GradientClear(bands);
    free(bands->brushes);
    free(bands->bandRanges);
    free(bands);
    return 1;
}
