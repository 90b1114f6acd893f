#include "setup/controls/StyledStatic.h"
#include <string.h>
#include <stdlib.h>
#include "framework/Bitmap.h"
#include "framework/MemoryDC.h"
#include "framework/SelectScope.h"

const MessageEntry CStyledStatic::messageEntries[] = {
    OnPaint(&CStyledStatic::Paint),
    OnPrintClient(&CStyledStatic::Paint),
    OnMessage(WM_SYSCOLORCHANGE, &CStyledStatic::OnSysColorChange),
};
const MessageMap CStyledStatic::messageMap = MakeMessageMap(&CWnd::messageMap, CStyledStatic::messageEntries);

constexpr LONG boldWeight = 700;
constexpr LONG normalWeight = 400;

CStyledStatic::CStyledStatic() : textColor(GetSysColor(COLOR_WINDOWTEXT)), logFont()
{
    faceBrush.CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
}

void CStyledStatic::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    HGDIOBJ current = reinterpret_cast<HGDIOBJ>(::SendMessage(hwnd, WM_GETFONT, 0, 0));
    // A control without a font of its own draws with the system font.
    if (!current)
        current = GetStockObject(SYSTEM_FONT);
    if (GetObjectA(current, sizeof logFont, &logFont) == sizeof logFont)
        RebuildFont();
}

void CStyledStatic::RebuildFont()
{
    font.DeleteObject();
    font.CreateFontIndirect(logFont);
}

void CStyledStatic::Repaint()
{
    if (!hwnd)
        return;
    RECT rect;
    GetWindowRect(&rect);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HWND parent = GetParent();
    if (parent) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        InvalidateRect(parent, &rect, TRUE);
        ::UpdateWindow(parent);
    }
}

CStyledStatic& CStyledStatic::SetLabelColor(COLORREF color)
{
    textColor = color;
    Repaint();
    return *this;
}

CStyledStatic& CStyledStatic::SetLabelText(const char* text)
{
    if (hwnd)
        SetWindowText(text ? text : "");
    Repaint();
    return *this;
}

CStyledStatic& CStyledStatic::SetLabelBold(BOOL bold)
{
    logFont.lfWeight = bold ? boldWeight : normalWeight;
    RebuildFont();
    Repaint();
    return *this;
}

CStyledStatic& CStyledStatic::SetLabelItalic(BOOL italic)
{
    logFont.lfItalic = static_cast<BYTE>(italic);
    RebuildFont();
    Repaint();
    return *this;
}

CStyledStatic& CStyledStatic::SetLabelPointSize(int points)
{
    CFont sized;
    LOGFONTA sizedLog;
    if (sized.CreatePointFont(points * 10, logFont.lfFaceName) && sized.GetLogFont(&sizedLog)) {
        logFont.lfHeight = sizedLog.lfHeight;
        logFont.lfWidth = sizedLog.lfWidth;
    }
    RebuildFont();
    Repaint();
    return *this;
}

UINT CStyledStatic::FormatForStyle(DWORD style, const char* text)
{
    UINT format;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format = DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format = DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_LEFTNOWORDWRAP:
        format = DT_LEFT;
        break;
    default:
        format = DT_LEFT | DT_WORDBREAK;
        break;
    }
    if (style & SS_CENTERIMAGE)
        format = text && strstr(text, "\r\n") ? DT_CENTER : DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    return format;
}

void CStyledStatic::Draw(HDC dc, const RECT& client)
{
    int length = hwnd ? ::GetWindowTextLengthA(hwnd) : 0;
    char* text = static_cast<char*>(calloc(static_cast<size_t>(length) + 1, 1));
    if (!text)
        return;
    if (hwnd)
        ::GetWindowTextA(hwnd, text, length + 1);
    int width = client.right - client.left;
    int height = client.bottom - client.top;

    CMemoryDC memory(dc);
    CBitmap bitmap;
    if (memory && bitmap.CreateCompatibleBitmap(dc, width, height)) {
        CSelectScope selectedBitmap(memory, bitmap);
        int previousMode = SetBkMode(memory, TRANSPARENT);
        COLORREF previousColor = SetTextColor(memory, textColor);
        CSelectScope selectedFont(memory, font);
        RECT area = {0, 0, width, height};
        FillRect(memory, &area, faceBrush);
        DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
        DrawTextA(memory, text, -1, &area, FormatForStyle(style, text));
        SetTextColor(memory, previousColor);
        SetBkMode(memory, previousMode);
        BitBlt(dc, client.left, client.top, width, height, memory, 0, 0, SRCCOPY);
    }
    free(text);
}

void CStyledStatic::Paint(HDC dc)
{
    RECT client;
    GetClientRect(&client);
    Draw(dc, client);
}

LRESULT CStyledStatic::OnSysColorChange(WPARAM, LPARAM)
{
    faceBrush.DeleteObject();
    faceBrush.CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    Repaint();
    return 0;
}
