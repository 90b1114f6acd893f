#include "tray/ImageButton.h"
#include "framework/MemoryDC.h"
#include "tray/BitmapRegion.h"
#include <commctrl.h>
#include <algorithm>

const MessageEntry CImageButton::messageEntries[] = {
    OnEraseBackground(&CImageButton::EraseBackground),
    OnMouse(WM_LBUTTONDOWN, &CImageButton::OnLButtonDown),
    OnMouse(WM_LBUTTONUP, &CImageButton::OnLButtonUp),
    OnMouse(WM_MOUSEMOVE, &CImageButton::OnMouseMove),
    OnMouse(WM_LBUTTONDBLCLK, &CImageButton::OnLButtonDblClk),
    OnMessage(WM_KILLFOCUS, &CImageButton::OnKillFocus),
    OnMessage(WM_KEYDOWN, &CImageButton::OnKeyDown),
    OnMessage(WM_MOUSELEAVE, &CImageButton::OnMouseLeave),
    OnMessage(uncheckMessage, &CImageButton::OnUncheck),
    OnMessage(BM_SETCHECK, &CImageButton::OnSetCheck),
    OnMessage(BM_GETCHECK, &CImageButton::OnGetCheck),
};
const MessageMap CImageButton::messageMap = MakeMessageMap(&CButton::messageMap, CImageButton::messageEntries);

CImageButton::CImageButton()
    : checkState(FALSE), checkMode(pushButton), hovering(0), pressTracking(0), tooltip(nullptr), focusMargin(0),
      textColour(GetSysColor(COLOR_BTNTEXT)), drawEdge(0), sizingMode(stretchImages), stateImages()
{
}

CImageButton::~CImageButton()
{
    if (tooltip && ::IsWindow(tooltip))
        ::DestroyWindow(tooltip);
}

void CImageButton::DeleteImages()
{
    for (int state = 0; state < stateCount; state++) {
        loadedImages[state].DeleteObject();
        stateImages[state] = nullptr;
    }
    maskImage.DeleteObject();
}

void CImageButton::SetBitmaps(const ImageButtonBitmaps& bitmaps, ImageSizing sizing, int edge, int margin)
{
    DeleteImages();
    const UINT disabled = bitmaps.disabled ? bitmaps.disabled : bitmaps.normal;
    // A resource named for several states is loaded once.
    UINT ids[stateCount] = {};
    ids[normalState] = bitmaps.normal;
    ids[pressedState] = bitmaps.pressed;
    ids[hoverState] = bitmaps.hover;
    ids[focusState] = bitmaps.focus;
    ids[disabledState] = disabled;
    const HINSTANCE program = GetModuleHandle(nullptr);
    for (int state = 0; state < stateCount; state++) {
        for (int earlier = 0; earlier < state && !stateImages[state]; earlier++)
            if (ids[earlier] && ids[earlier] == ids[state])
                stateImages[state] = stateImages[earlier];
        if (!stateImages[state] && ids[state] && loadedImages[state].Load(program, ids[state], 0))
            stateImages[state] = &loadedImages[state];
    }

    sizingMode = sizing > tileImages ? tileImages : sizing < sizeToMask ? sizeToMask : sizing;
    drawEdge = static_cast<SHORT>(edge);
    focusMargin = static_cast<SHORT>(margin < 0 ? 0 : margin);

    if (!bitmaps.mask || !maskImage.Load(program, bitmaps.mask, 0))
        return;
    // A region the window holds is freed by the window when it gets the next one.
    HDC screen = hwnd ? ::GetDC(hwnd) : nullptr;
    shape.Attach(RegionFromMask(maskImage, RGB(255, 255, 255), screen));
    if (screen)
        ::ReleaseDC(hwnd, screen);
    if (hwnd)
        shape.GiveToWindow(hwnd, TRUE);

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
    shape.Reset();
    CButton::PostNcDestroy();
}

void CImageButton::RelayToTooltip(UINT message, UINT keys, POINT point)
{
    if (!tooltip)
        return;
    MSG msg = {hwnd, message, keys, MAKELPARAM(point.x, point.y), 0, point};
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

BOOL CImageButton::EraseBackground(HDC)
{
    return TRUE;
}

void CImageButton::OnLButtonDown(UINT keys, POINT point)
{
    RelayToTooltip(WM_LBUTTONDOWN, keys, point);
    if (hovering) {
        TRACKMOUSEEVENT track = {sizeof track, TME_CANCEL | TME_LEAVE, hwnd, 0};
        if (_TrackMouseEvent(&track))
            hovering = 0;
    }
    Default();
    pressTracking = 1;
}

void CImageButton::OnLButtonUp(UINT keys, POINT point)
{
    if (checkMode != pushButton) {
        POINT screenPoint = point;
        ::ClientToScreen(hwnd, &screenPoint);
        if (IsUnderPoint(screenPoint))
            ToggleCheckFromUser();
    }
    RelayToTooltip(WM_LBUTTONUP, keys, point);
    pressTracking = 0;
    Default();
}

void CImageButton::OnMouseMove(UINT keys, POINT point)
{
    RelayToTooltip(WM_MOUSEMOVE, keys, point);
    if (pressTracking && GetCapture() == hwnd) {
        POINT screenPoint = point;
        ::ClientToScreen(hwnd, &screenPoint);
        BOOL pushed = IsUnderPoint(screenPoint);
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
    Default();
}

// A double click is a second press to this button.
void CImageButton::OnLButtonDblClk(UINT keys, POINT point)
{
    ::SendMessage(hwnd, WM_LBUTTONDOWN, keys, MAKELPARAM(point.x, point.y));
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
    CMemoryDC imageDC(dc);
    if (!imageDC.SelectBitmap(image))
        return;

    if (sizingMode == tileImages) {
        for (int y = rect.top; y < rect.bottom; y += size.bmHeight)
            for (int x = rect.left; x < rect.right; x += size.bmWidth)
                BitBlt(dc, x, y, std::min<int>(size.bmWidth, rect.right - x),
                       std::min<int>(size.bmHeight, rect.bottom - y), imageDC, 0, 0, SRCCOPY);
        return;
    }
    // Copies one picture into target at (x, y), 1:1 or stretched to the rectangle.
    auto place = [&](HDC target, int x, int y, HDC source, const BITMAP& sourceSize, DWORD rop) {
        if (sizingMode == stretchImages)
            StretchBlt(target, x, y, width, height, source, 0, 0, sourceSize.bmWidth, sourceSize.bmHeight, rop);
        else
            BitBlt(target, x, y, width, height, source, 0, 0, rop);
    };
    CBitmap buffer;   // declared first: it outlives the context it is selected into
    CMemoryDC maskDC, bufferDC;
    BITMAP maskSize;
    if (Mask() && GetObject(maskImage, sizeof maskSize, &maskSize) && maskDC.Create(dc) && maskDC.SelectBitmap(Mask()) &&
        bufferDC.Create(dc) && buffer.CreateCompatibleBitmap(dc, width, height) && bufferDC.SelectBitmap(buffer)) {
        // image XOR (old screen), AND mask, XOR image: the image where the mask is black, the old screen
        // where it is white; composed off-screen so the edges do not flicker.
        BitBlt(bufferDC, 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
        place(bufferDC, 0, 0, imageDC, size, SRCINVERT);
        place(bufferDC, 0, 0, maskDC, maskSize, SRCAND);
        place(bufferDC, 0, 0, imageDC, size, SRCINVERT);
        BitBlt(dc, rect.left, rect.top, width, height, bufferDC, 0, 0, SRCCOPY);
    } else {
        place(dc, rect.left, rect.top, imageDC, size, SRCCOPY);
    }
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
        if (Image(disabledState))
            DrawImage(dc, rect, Image(disabledState));
        else
            FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
        if (drawEdge)
            DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
    } else {
        if ((item->itemState & ODS_SELECTED) || checkState) {
            pressed = TRUE;
            if (Image(pressedState))
                DrawImage(dc, rect, Image(pressedState));
            else
                FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
            if (drawEdge)
                DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
        } else {
            if (!Image(normalState))
                FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
            else if (hovering && Image(hoverState))
                DrawImage(dc, rect, Image(hoverState));
            else if (focused && Image(focusState))
                DrawImage(dc, rect, Image(focusState));
            else
                DrawImage(dc, rect, Image(normalState));
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
