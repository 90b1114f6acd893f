#include "setup/controls/EditEx.h"
#include "framework/Reflection.h"
#include <new>

const CRuntimeClass CEditEx::classCEditEx = {"CEditEx", sizeof(CEditEx), &CreateObjectOf<CEditEx>,
                                             &CEdit::classCEdit};
const CRuntimeClass* CEditEx::GetRuntimeClass() const { return &classCEditEx; }

// A read-only or disabled edit asks with WM_CTLCOLORSTATIC.
const MessageEntry CEditEx::messageEntries[] = {
    OnControlColour(Reflected(WM_CTLCOLOREDIT), &CEditEx::ReflectedControlColour),
    OnControlColour(Reflected(WM_CTLCOLORSTATIC), &CEditEx::ReflectedControlColour),
};
const MessageMap CEditEx::messageMap = MakeMessageMap(&CWnd::messageMap, CEditEx::messageEntries);

CEditEx::CEditEx()
    : backColor(GetSysColor(COLOR_WINDOW)), foreColor(GetSysColor(COLOR_WINDOWTEXT)), editFont(nullptr)
{
    CreateBackBrush();
}

CEditEx::~CEditEx()
{
    // The control must not draw with a font that is gone.
    if (editFont && hwnd && ::IsWindow(hwnd))
        ::SendMessage(hwnd, WM_SETFONT, 0, FALSE);
    delete editFont;
}

void CEditEx::CreateBackBrush()
{
    backBrush.Attach(::CreateSolidBrush(backColor));
}

COLORREF CEditEx::SetBackColor(COLORREF color)
{
    COLORREF previous = backColor;
    backColor = color;
    backBrush.DeleteObject();
    CreateBackBrush();
    if (hwnd)
        ::InvalidateRect(hwnd, nullptr, TRUE);
    return previous;
}

COLORREF CEditEx::SetForeColor(COLORREF color)
{
    COLORREF previous = foreColor;
    foreColor = color;
    if (hwnd)
        ::InvalidateRect(hwnd, nullptr, TRUE);
    return previous;
}

void CEditEx::SetEditFont(LONG height, LONG weight, BYTE pitchAndFamily, const char* face)
{
    LOGFONTA logFont = {};
    logFont.lfHeight = height;
    logFont.lfWeight = weight;
    logFont.lfPitchAndFamily = pitchAndFamily;
    // A face longer than LOGFONT holds is cut, never copied past the field.
    if (face)
        lstrcpynA(logFont.lfFaceName, face, LF_FACESIZE);

    CFont* font = new (std::nothrow) CFont;
    if (!font)
        return;
    font->CreateFontIndirect(logFont);
    CFont* previous = editFont;
    editFont = font;
    if (hwnd)
        ::SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(*font)), TRUE);
    delete previous;
}

HBRUSH CEditEx::ReflectedControlColour(HDC dc, HWND)
{
    SetTextColor(dc, foreColor);
    SetBkColor(dc, backColor);
    return backBrush;
}
