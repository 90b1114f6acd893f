#include "tests/support/PixelRegion.h"
#include <algorithm>

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

// Copies source (window's client area as drawn) to place in target, through the window's shape.
static void CopyThroughShape(HWND window, HDC target, POINT place, HDC source, const RECT& client)
{
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, shape) != ERROR) {
        // The shape is in window coordinates; the client area may start inside a frame.
        RECT frame;
        POINT clientOrigin = {0, 0};
        GetWindowRect(window, &frame);
        ClientToScreen(window, &clientOrigin);
        OffsetRgn(shape, place.x - (clientOrigin.x - frame.left), place.y - (clientOrigin.y - frame.top));
        SelectClipRgn(target, shape);
    }
    DeleteObject(shape);
    BitBlt(target, place.x, place.y, client.right, client.bottom, source, 0, 0, SRCCOPY);
    SelectClipRgn(target, nullptr);
}

// Draws window's client area into surface at 0, 0, then its children over it. Each child draws into a
// surface of its own that starts as what lies beneath it (Wine's controls clip to their client rectangle
// in device units, so a moved origin would clip their drawing away).
static void DrawWithChildren(HWND window, HDC surface)
{
    SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface), 0);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface), PRF_CLIENT);
    HWND top = GetWindow(window, GW_CHILD);
    for (HWND child = top ? GetWindow(top, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV)) {
        RECT client;
        if (!IsWindowVisible(child) || !GetClientRect(child, &client) || client.right <= 0 || client.bottom <= 0)
            continue;
        POINT place = {0, 0};
        ClientToScreen(child, &place);
        ScreenToClient(window, &place);
        HDC childSurface = CreateCompatibleDC(surface);
        HBITMAP picture = CreateCompatibleBitmap(surface, client.right, client.bottom);
        if (childSurface && picture) {
            HGDIOBJ old = SelectObject(childSurface, picture);
            BitBlt(childSurface, 0, 0, client.right, client.bottom, surface, place.x, place.y, SRCCOPY);
            DrawWithChildren(child, childSurface);
            CopyThroughShape(child, surface, place, childSurface, client);
            SelectObject(childSurface, old);
        }
        if (picture)
            DeleteObject(picture);
        if (childSurface)
            DeleteDC(childSurface);
    }
}

Rendering RenderClient(HWND window, DWORD fill)
{
    Rendering result;
    RECT client;
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
        return result;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc && section && bits) {
        HGDIOBJ old = SelectObject(dc, section);
        const size_t count = static_cast<size_t>(client.right) * client.bottom;
        std::fill(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + count, fill);
        HDC drawn = CreateCompatibleDC(dc);
        HBITMAP picture = CreateCompatibleBitmap(dc, client.right, client.bottom);
        if (drawn && picture) {
            HGDIOBJ oldPicture = SelectObject(drawn, picture);
            BitBlt(drawn, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
            DrawWithChildren(window, drawn);
            CopyThroughShape(window, dc, POINT{0, 0}, drawn, client);
            SelectObject(drawn, oldPicture);
        }
        if (picture)
            DeleteObject(picture);
        if (drawn)
            DeleteDC(drawn);
        GdiFlush();
        const DWORD* from = static_cast<const DWORD*>(bits);
        result.width = client.right;
        result.height = client.bottom;
        result.pixels.assign(from, from + count);
        for (DWORD& pixel : result.pixels)
            pixel &= 0xFFFFFF;
        SelectObject(dc, old);
    }
    if (section)
        DeleteObject(section);
    if (dc)
        DeleteDC(dc);
    return result;
}
