#include "tray/ImageButton.h"
#include "tray/BitmapRegion.h"
#include <commctrl.h>
#include <algorithm>

const MessageEntry CImageButton::messageEntries[] = {
    OnMessage(WM_ERASEBKGND, &CImageButton::OnEraseBkgnd),
    OnMessage(WM_LBUTTONDOWN, &CImageButton::OnLButtonDown),
    OnMessage(WM_LBUTTONUP, &CImageButton::OnLButtonUp),
    OnMessage(WM_MOUSEMOVE, &CImageButton::OnMouseMove),
    OnMessage(WM_LBUTTONDBLCLK, &CImageButton::OnLButtonDblClk),
    OnMessage(WM_KILLFOCUS, &CImageButton::OnKillFocus),
    OnMessage(WM_KEYDOWN, &CImageButton::OnKeyDown),
    OnMessage(WM_MOUSELEAVE, &CImageButton::OnMouseLeave),
    OnMessage(uncheckMessage, &CImageButton::OnUncheck),
    OnMessage(BM_SETCHECK, &CImageButton::OnSetCheck),
    OnMessage(BM_GETCHECK, &CImageButton::OnGetCheck),
};
const MessageMap CImageButton::messageMap = MakeMessageMap(&CButton::messageMap, CImageButton::messageEntries);

CImageButton::CImageButton()
    : checkState(FALSE), checkMode(pushButton), hovering(0), pressTracking(0), tooltip(nullptr), normalImage(nullptr),
      pressedImage(nullptr), disabledImage(nullptr), maskImage(nullptr), hoverImage(nullptr),
      focusImage(nullptr), focusMargin(0), textColour(GetSysColor(COLOR_BTNTEXT)), shape(nullptr), drawEdge(0),
      sizingMode(stretchImages), shapeOwnedByWindow(FALSE)
{
}

CImageButton::~CImageButton()
{
    DeleteImages();
    if (shape && !shapeOwnedByWindow)
        DeleteObject(shape);
    if (tooltip && ::IsWindow(tooltip))
        ::DestroyWindow(tooltip);
}

void CImageButton::DeleteImages()
{
    // States given the same resource share one bitmap: each is deleted once.
    HBITMAP* images[] = {&normalImage, &pressedImage, &disabledImage, &maskImage, &hoverImage, &focusImage};
    for (size_t i = 0; i < sizeof images / sizeof images[0]; i++) {
        HBITMAP image = *images[i];
        if (!image)
            continue;
        for (size_t j = i; j < sizeof images / sizeof images[0]; j++)
            if (*images[j] == image)
                *images[j] = nullptr;
        DeleteObject(image);
    }
}

static HBITMAP LoadBitmapResource(UINT id)
{
    if (!id)
        return nullptr;
    return static_cast<HBITMAP>(LoadImage(GetModuleHandle(nullptr), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0, 0));
}

void CImageButton::SetBitmaps(const ImageButtonBitmaps& bitmaps, ImageSizing sizing, int edge, int margin)
{
    DeleteImages();
    const UINT disabled = bitmaps.disabled ? bitmaps.disabled : bitmaps.normal;
    // A resource named for several states is loaded once.
    const UINT ids[] = {bitmaps.normal, bitmaps.pressed, bitmaps.hover, bitmaps.focus, disabled};
    HBITMAP* images[] = {&normalImage, &pressedImage, &hoverImage, &focusImage, &disabledImage};
    for (size_t i = 0; i < sizeof ids / sizeof ids[0]; i++) {
        for (size_t j = 0; j < i && !*images[i]; j++)
            if (ids[j] && ids[j] == ids[i])
                *images[i] = *images[j];
        if (!*images[i])
            *images[i] = LoadBitmapResource(ids[i]);
    }

    sizingMode = sizing > tileImages ? tileImages : sizing < sizeToMask ? sizeToMask : sizing;
    drawEdge = static_cast<SHORT>(edge);
    focusMargin = static_cast<SHORT>(margin < 0 ? 0 : margin);

    if (!bitmaps.mask)
        return;
    maskImage = LoadBitmapResource(bitmaps.mask);
    if (!maskImage)
        return;
    // A region the window holds is freed by the window when it gets the next one.
    if (shape && !shapeOwnedByWindow)
        DeleteObject(shape);
    shape = nullptr;
    shapeOwnedByWindow = FALSE;
    HDC screen = hwnd ? ::GetDC(hwnd) : nullptr;
    shape = RegionFromMask(maskImage, RGB(255, 255, 255), screen);
    if (screen)
        ::ReleaseDC(hwnd, screen);
    if (shape && hwnd)
        shapeOwnedByWindow = SetWindowRgn(shape, TRUE) != 0;

    BITMAP size;
    if (sizingMode == sizeToMask && hwnd && GetObject(maskImage, sizeof size, &size))
        SetWindowPos(nullptr, 0, 0, size.bmWidth, size.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
}

void CImageButton::SetTooltipText(const char* text)
{
    if (!hwnd || !text)
        return;
    TOOLINFO tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = hwnd;
    tool.uId = 0;
    tool.lpszText = const_cast<char*>(text);
    if (tooltip) {
        ::SendMessage(tooltip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    tooltip = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, GetModuleHandle(nullptr), nullptr);
    if (!tooltip)
        return;
    ::GetClientRect(hwnd, &tool.rect);
    if (::SendMessage(tooltip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&tool)))
        ::SendMessage(tooltip, TTM_ACTIVATE, TRUE, 0);
}

void CImageButton::PreSubclassWindow()
{
    LONG style = GetWindowLong(hwnd, GWL_STYLE);
    // Low bits of the type: an auto check box (3) or an auto radio button (9).
    if ((style & BS_AUTOCHECKBOX) == BS_AUTOCHECKBOX)
        checkMode = checkBox;
    else if ((style & BS_AUTORADIOBUTTON) == BS_AUTORADIOBUTTON)
        checkMode = radioButton;
    else
        checkMode = pushButton;
    CButton::PreSubclassWindow();
    SetWindowLong(hwnd, GWL_STYLE, style | BS_OWNERDRAW);
}

// The window is gone: a region it held went with it, and the tooltip (owned by the dialog) is gone or goes
// now. A shape the window never took is still this button's to free.
void CImageButton::PostNcDestroy()
{
    if (tooltip && ::IsWindow(tooltip))
        ::DestroyWindow(tooltip);
    tooltip = nullptr;
    if (shape && !shapeOwnedByWindow)
        DeleteObject(shape);
    shape = nullptr;
    shapeOwnedByWindow = FALSE;
    CButton::PostNcDestroy();
}

void CImageButton::RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!tooltip)
        return;
    MSG msg = {hwnd, message, wParam, lParam, 0, {LOWORD(lParam), HIWORD(lParam)}};
    ::SendMessage(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

BOOL CImageButton::IsUnderPoint(POINT screenPoint) const
{
    return WindowFromPoint(screenPoint) == hwnd;
}

void CImageButton::ToggleCheckFromUser()
{
    if (checkMode == checkBox)
        ::SendMessage(hwnd, BM_SETCHECK, !checkState, 0);
    else if (checkMode == radioButton)
        ::SendMessage(hwnd, BM_SETCHECK, TRUE, 0);
}

LRESULT CImageButton::OnEraseBkgnd(WPARAM, LPARAM)
{
    return TRUE;
}

LRESULT CImageButton::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    RelayToTooltip(WM_LBUTTONDOWN, wParam, lParam);
    if (hovering) {
        TRACKMOUSEEVENT track = {sizeof track, TME_CANCEL | TME_LEAVE, hwnd, 0};
        if (_TrackMouseEvent(&track))
            hovering = 0;
    }
    LRESULT result = Default();
    pressTracking = 1;
    return result;
}

LRESULT CImageButton::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    if (checkMode != pushButton) {
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::ClientToScreen(hwnd, &point);
        if (IsUnderPoint(point))
            ToggleCheckFromUser();
    }
    RelayToTooltip(WM_LBUTTONUP, wParam, lParam);
    pressTracking = 0;
    return Default();
}

LRESULT CImageButton::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    RelayToTooltip(WM_MOUSEMOVE, wParam, lParam);
    if (pressTracking && GetCapture() == hwnd) {
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::ClientToScreen(hwnd, &point);
        BOOL pushed = IsUnderPoint(point);
        BOOL wasPushed = (GetState() & BST_PUSHED) != 0;
        if (pushed != wasPushed) {
            SetState(pushed);
            Invalidate(FALSE);
        }
    } else if (!hovering) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd, 0};
        if (_TrackMouseEvent(&track)) {
            hovering = 1;
            Invalidate(FALSE);
        }
    }
    return Default();
}

LRESULT CImageButton::OnLButtonDblClk(WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(hwnd, WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CImageButton::OnKillFocus(WPARAM, LPARAM)
{
    if (GetCapture() == hwnd) {
        ReleaseCapture();
        pressTracking = 0;
    }
    return Default();
}

LRESULT CImageButton::OnKeyDown(WPARAM wParam, LPARAM)
{
    if (checkMode != pushButton && wParam == VK_SPACE)
        ToggleCheckFromUser();
    return Default();
}

LRESULT CImageButton::OnMouseLeave(WPARAM, LPARAM)
{
    hovering = 0;
    Invalidate(FALSE);
    return 0;
}

LRESULT CImageButton::OnUncheck(WPARAM, LPARAM)
{
    if (checkState) {
        checkState = FALSE;
        Invalidate(FALSE);
    }
    return 0;
}

LRESULT CImageButton::OnSetCheck(WPARAM wParam, LPARAM)
{
    checkState = checkMode != pushButton && wParam != 0;
    if (checkMode == radioButton && checkState) {
        HWND dialog = ::GetParent(hwnd);
        // Bounded walk: a group whose walk never comes back to this button cannot loop for ever.
        HWND other = dialog ? GetNextDlgGroupItem(dialog, hwnd, FALSE) : nullptr;
        for (int guard = 0; other && other != hwnd && guard < 1024; guard++) {
            ::PostMessage(other, uncheckMessage, 0, 0);
            other = GetNextDlgGroupItem(dialog, other, FALSE);
        }
    }
    Invalidate(FALSE);
    return 0;
}

LRESULT CImageButton::OnGetCheck(WPARAM, LPARAM)
{
    return checkState;
}

void CImageButton::DrawImage(HDC dc, const RECT& rect, HBITMAP image)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAP size;
    if (width <= 0 || height <= 0 || !GetObject(image, sizeof size, &size))
        return;
    HDC imageDC = CreateCompatibleDC(dc);
    if (!imageDC)
        return;
    HGDIOBJ oldImage = SelectObject(imageDC, image);

    if (sizingMode == tileImages) {
        for (int y = rect.top; y < rect.bottom; y += size.bmHeight)
            for (int x = rect.left; x < rect.right; x += size.bmWidth)
                BitBlt(dc, x, y, std::min<int>(size.bmWidth, rect.right - x),
                       std::min<int>(size.bmHeight, rect.bottom - y), imageDC, 0, 0, SRCCOPY);
    } else {
        HDC maskDC = maskImage ? CreateCompatibleDC(dc) : nullptr;
        HDC bufferDC = maskDC ? CreateCompatibleDC(dc) : nullptr;
        HBITMAP buffer = bufferDC ? CreateCompatibleBitmap(dc, width, height) : nullptr;
        // Copies one picture into target at (x, y), 1:1 or stretched to the rectangle.
        auto place = [&](HDC target, int x, int y, HDC source, const BITMAP& sourceSize, DWORD rop) {
            if (sizingMode == stretchImages)
                StretchBlt(target, x, y, width, height, source, 0, 0, sourceSize.bmWidth, sourceSize.bmHeight, rop);
            else
                BitBlt(target, x, y, width, height, source, 0, 0, rop);
        };
        BITMAP maskSize;
        if (buffer && GetObject(maskImage, sizeof maskSize, &maskSize)) {
            // image XOR (old screen), AND mask, XOR image: the image where the mask is black, the old
            // screen where it is white; composed off-screen so the edges do not flicker.
            HGDIOBJ oldBuffer = SelectObject(bufferDC, buffer);
            HGDIOBJ oldMask = SelectObject(maskDC, maskImage);
            BitBlt(bufferDC, 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
            place(bufferDC, 0, 0, imageDC, size, SRCINVERT);
            place(bufferDC, 0, 0, maskDC, maskSize, SRCAND);
            place(bufferDC, 0, 0, imageDC, size, SRCINVERT);
            BitBlt(dc, rect.left, rect.top, width, height, bufferDC, 0, 0, SRCCOPY);
            SelectObject(maskDC, oldMask);
            SelectObject(bufferDC, oldBuffer);
        } else {
            place(dc, rect.left, rect.top, imageDC, size, SRCCOPY);
        }
        if (buffer)
            DeleteObject(buffer);
        if (bufferDC)
            DeleteDC(bufferDC);
        if (maskDC)
            DeleteDC(maskDC);
    }
    SelectObject(imageDC, oldImage);
    DeleteDC(imageDC);
}

void CImageButton::DrawCaption(HDC dc, const RECT& rect, BOOL pressed)
{
    char text[256];
    if (::GetWindowText(hwnd, text, sizeof text) <= 0)
        return;
    RECT area = rect;
    area.left += focusMargin + 2;
    area.right -= focusMargin + 2;
    if (pressed)
        OffsetRect(&area, 1, 1);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (IsWindowEnabled(hwnd)) {
        SetTextColor(dc, textColour);
        DrawText(dc, text, -1, &area, format);
    } else {
        // Embossed: highlight below, grey text one pixel up and left.
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawText(dc, text, -1, &area, format);
        OffsetRect(&area, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawText(dc, text, -1, &area, format);
    }
}

void CImageButton::DrawItem(const DRAWITEMSTRUCT* item)
{
    POINT cursor;
    if (pressTracking && GetCapture() == hwnd && GetCursorPos(&cursor)) {
        BOOL under = IsUnderPoint(cursor);
        BOOL pushed = (GetState() & BST_PUSHED) != 0;
        if (under && !pushed) {
            SetState(TRUE);
            return;
        }
        if (!under && pushed) {
            SetState(FALSE);
            return;
        }
    }

    HDC dc = item->hDC;
    RECT rect = item->rcItem;
    SetBkMode(dc, TRANSPARENT);
    const BOOL focused = (item->itemState & ODS_FOCUS) != 0;
    BOOL pressed = FALSE;
    if (item->itemState & ODS_DISABLED) {
        if (disabledImage)
            DrawImage(dc, rect, disabledImage);
        else
            FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
        if (drawEdge)
            DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
    } else {
        if ((item->itemState & ODS_SELECTED) || checkState) {
            pressed = TRUE;
            if (pressedImage)
                DrawImage(dc, rect, pressedImage);
            else
                FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
            if (drawEdge)
                DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
        } else {
            if (!normalImage)
                FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
            else if (hovering && hoverImage)
                DrawImage(dc, rect, hoverImage);
            else if (focused && focusImage)
                DrawImage(dc, rect, focusImage);
            else
                DrawImage(dc, rect, normalImage);
            if (drawEdge)
                DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
        }
        if (focused && focusMargin > 0) {
            RECT focusRect = rect;
            InflateRect(&focusRect, -focusMargin, -focusMargin);
            DrawFocusRect(dc, &focusRect);
        }
    }
    DrawCaption(dc, rect, pressed);
}
