#include "setup/controls/DrawTitleText.h"
#include <string.h>
#include "framework/Font.h"
#include "framework/SelectScope.h"

void DrawTitleText(HDC dc, int x, int y, const char* text, const char* face, int width, int height,
                   COLORREF color, int weight)
{
    if (!dc || !text)
        return;
    SetBkMode(dc, TRANSPARENT);

    LOGFONTA logFont = {};
    logFont.lfHeight = height;
    logFont.lfWidth = width;
    logFont.lfWeight = weight;
    logFont.lfItalic = 1;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = ANTIALIASED_QUALITY;
    logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    if (face)
        lstrcpynA(logFont.lfFaceName, face, LF_FACESIZE);
    CFont font;
    font.CreateFontIndirect(logFont);
    CSelectScope selected(dc, font);

    int length = static_cast<int>(strlen(text));
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &extent);
    RECT rect = {x, y, x + extent.cx, y + extent.cy};
    SetTextColor(dc, color);
    DrawTextA(dc, text, length, &rect, 0);
}
