#include "framework/Font.h"

BOOL CFont::CreatePointFont(int tenthsOfPoint, const char* face, HDC dc)
{
    HDC measure = dc ? dc : GetDC(nullptr);
    int pixelsPerInch = measure ? GetDeviceCaps(measure, LOGPIXELSY) : 96;
    if (!dc && measure)
        ReleaseDC(nullptr, measure);

    LOGFONTA logFont = {};
    // A negative height asks for the character height (without internal leading): points as typographers
    // mean them. 720 = 72 points per inch, in tenths.
    logFont.lfHeight = -MulDiv(tenthsOfPoint, pixelsPerInch, 720);
    logFont.lfCharSet = DEFAULT_CHARSET;
    if (face)
        lstrcpynA(logFont.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirect(logFont);
}

BOOL CFont::GetLogFont(LOGFONTA* logFont) const
{
    return handle && logFont && GetObjectA(handle, sizeof(LOGFONTA), logFont) == sizeof(LOGFONTA);
}
