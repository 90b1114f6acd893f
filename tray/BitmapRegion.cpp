#include "tray/BitmapRegion.h"
#include <stdlib.h>
#include <string.h>

namespace {

// RGNDATA in a growing buffer: the rectangles of one batch and their bounding box.
class RectangleBatch {
public:
    RectangleBatch() : data(nullptr), capacity(0), count(0) {}
    ~RectangleBatch() { free(data); }

    BOOL Add(LONG left, LONG top, LONG right, LONG bottom)
    {
        if (count == capacity && !Grow())
            return FALSE;
        RECT* rects = reinterpret_cast<RECT*>(data->Buffer);
        rects[count++] = RECT{left, top, right, bottom};
        RECT& bound = data->rdh.rcBound;
        if (left < bound.left) bound.left = left;
        if (top < bound.top) bound.top = top;
        if (right > bound.right) bound.right = right;
        if (bottom > bound.bottom) bound.bottom = bottom;
        return TRUE;
    }

    DWORD Count() const { return count; }

    // Turns the batch into a region and ORs it into result (the first batch becomes the result); the
    // batch starts again empty. FALSE when a region could not be made.
    BOOL FlushInto(HRGN* result)
    {
        if (!data && !Grow())
            return FALSE;
        data->rdh.dwSize = sizeof(RGNDATAHEADER);
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nCount = count;
        data->rdh.nRgnSize = count * sizeof(RECT);
        HRGN part = ExtCreateRegion(nullptr, sizeof(RGNDATAHEADER) + count * sizeof(RECT), data);
        Reset();
        if (!part)
            return FALSE;
        if (!*result) {
            *result = part;
            return TRUE;
        }
        BOOL combined = CombineRgn(*result, *result, part, RGN_OR) != ERROR;
        DeleteObject(part);
        return combined;
    }

private:
    static constexpr DWORD growth = 100;

    BOOL Grow()
    {
        DWORD newCapacity = capacity + growth;
        RGNDATA* grown = static_cast<RGNDATA*>(realloc(data, sizeof(RGNDATAHEADER) + newCapacity * sizeof(RECT)));
        if (!grown)
            return FALSE;
        BOOL fresh = data == nullptr;
        data = grown;
        capacity = newCapacity;
        if (fresh)
            Reset();
        return TRUE;
    }

    void Reset()
    {
        count = 0;
        memset(&data->rdh, 0, sizeof data->rdh);
        data->rdh.rcBound = RECT{0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
    }

    RGNDATA* data;
    DWORD capacity;
    DWORD count;
};

}  // namespace

HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF transparent)
{
    if (!bitmap)
        return nullptr;
    BITMAP info;
    if (!GetObject(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    const LONG width = info.bmWidth, height = info.bmHeight;

    HDC copyDC = CreateCompatibleDC(nullptr);
    if (!copyDC)
        return nullptr;
    HDC sourceDC = CreateCompatibleDC(copyDC);
    if (!sourceDC) {
        DeleteDC(copyDC);
        return nullptr;
    }

    // Top-down 32-bit copy: row y of the picture is row y of the section.
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(copyDC, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                       nullptr, 0);
    HRGN result = nullptr;
    if (section && bits) {
        HGDIOBJ oldCopy = SelectObject(copyDC, section);
        HGDIOBJ oldSource = SelectObject(sourceDC, bitmap);
        BOOL copied = oldSource && BitBlt(copyDC, 0, 0, width, height, sourceDC, 0, 0, SRCCOPY);
        GdiFlush();
        if (copied) {
            // Pixels are B, G, R, unused: compare the three colour bytes only.
            const DWORD key = (GetRValue(transparent) << 16) | (GetGValue(transparent) << 8) | GetBValue(transparent);
            const DWORD* row = static_cast<const DWORD*>(bits);
            RectangleBatch batch;
            BOOL ok = TRUE;
            for (LONG y = 0; y < height && ok; y++, row += width) {
                for (LONG x = 0; x < width && ok; x++) {
                    if ((row[x] & 0xFFFFFF) == key)
                        continue;
                    LONG x0 = x;
                    while (x < width && (row[x] & 0xFFFFFF) != key)
                        x++;
                    ok = batch.Add(x0, y, x, y + 1);
                    if (ok && batch.Count() == regionBatchSize)
                        ok = batch.FlushInto(&result);
                }
            }
            if (ok)
                ok = batch.FlushInto(&result);
            if (!ok && result) {
                DeleteObject(result);
                result = nullptr;
            }
        }
        if (oldSource)
            SelectObject(sourceDC, oldSource);
        SelectObject(copyDC, oldCopy);
    }
    if (section)
        DeleteObject(section);
    DeleteDC(sourceDC);
    DeleteDC(copyDC);
    return result;
}

HRGN RegionFromMask(HBITMAP bitmap, COLORREF transparent, HDC reference)
{
    if (!bitmap)
        return nullptr;
    BITMAP info;
    if (!GetObject(bitmap, sizeof info, &info))
        return nullptr;
    HDC maskDC = CreateCompatibleDC(reference);
    if (!maskDC)
        return nullptr;
    HGDIOBJ old = SelectObject(maskDC, bitmap);
    if (!old) {
        DeleteDC(maskDC);
        return nullptr;
    }

    constexpr DWORD growth = 40;
    DWORD capacity = growth, count = 0;
    RECT* rects = static_cast<RECT*>(malloc(capacity * sizeof(RECT)));
    BOOL ok = rects != nullptr;
    const COLORREF key = transparent & 0xFFFFFF;
    for (LONG y = 0; y < info.bmHeight && ok; y++) {
        for (LONG x = 0; x < info.bmWidth && ok; x++) {
            if ((GetPixel(maskDC, x, y) & 0xFFFFFF) == key)
                continue;
            LONG x0 = x;
            while (x < info.bmWidth && (GetPixel(maskDC, x, y) & 0xFFFFFF) != key)
                x++;
            if (count == capacity) {
                RECT* grown = static_cast<RECT*>(realloc(rects, (capacity + growth) * sizeof(RECT)));
                if (!grown) {
                    ok = FALSE;
                    break;
                }
                rects = grown;
                capacity += growth;
            }
            rects[count++] = RECT{x0, y, x, y + 1};
        }
    }
    SelectObject(maskDC, old);
    DeleteDC(maskDC);

    HRGN result = ok ? CreateRectRgn(0, 0, 0, 0) : nullptr;
    for (DWORD i = 0; result && i < count; i++) {
        HRGN part = CreateRectRgnIndirect(&rects[i]);
        if (!part || CombineRgn(result, result, part, RGN_OR) == ERROR) {
            DeleteObject(result);
            result = nullptr;
        }
        if (part)
            DeleteObject(part);
    }
    free(rects);
    return result;
}
