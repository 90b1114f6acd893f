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

std::vector<DWORD> ReadPixels(HDC source, int x, int y, int width, int height)
{
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height, 0);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    void* bits = nullptr;
    HDC copy = CreateCompatibleDC(source);
    HBITMAP section = CreateDIBSection(copy, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section && bits) {
        HGDIOBJ old = SelectObject(copy, section);
        BitBlt(copy, 0, 0, width, height, source, x, y, SRCCOPY);
        GdiFlush();
        const DWORD* from = static_cast<const DWORD*>(bits);
        for (size_t i = 0; i < pixels.size(); i++)
            pixels[i] = from[i] & 0xFFFFFF;
        SelectObject(copy, old);
    }
    if (section)
        DeleteObject(section);
    DeleteDC(copy);
    return pixels;
}

Rendering RenderClient(HWND window, DWORD fill)
{
    Rendering result;
    RECT client;
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
        return result;
    // Drawn into one picture, then copied through the window's shape onto another of the fill colour.
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen), drawn = CreateCompatibleDC(screen);
    HBITMAP targetPicture = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HBITMAP drawnPicture = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    if (target && drawn && targetPicture && drawnPicture) {
        HGDIOBJ oldTarget = SelectObject(target, targetPicture), oldDrawn = SelectObject(drawn, drawnPicture);
        HBRUSH brush = CreateSolidBrush(RGB(fill >> 16 & 0xFF, fill >> 8 & 0xFF, fill & 0xFF));
        FillRect(target, &client, brush);
        DeleteObject(brush);
        BitBlt(drawn, 0, 0, client.right, client.bottom, target, 0, 0, SRCCOPY);
        DrawWithChildren(window, drawn);
        CopyThroughShape(window, target, POINT{0, 0}, drawn, client);
        result.width = client.right;
        result.height = client.bottom;
        result.pixels = ReadPixels(target, 0, 0, client.right, client.bottom);
        SelectObject(target, oldTarget);
        SelectObject(drawn, oldDrawn);
    }
    for (HBITMAP picture : {targetPicture, drawnPicture})
        if (picture)
            DeleteObject(picture);
    for (HDC dc : {target, drawn})
        if (dc)
            DeleteDC(dc);
    return result;
}
