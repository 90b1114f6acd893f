// CFont: an owned font.
#pragma once
#include "framework/GdiObject.h"
#include <windows.h>

class CFont : public CGdiObject {
public:
    operator HFONT() const { return static_cast<HFONT>(handle); }

    // Each Create replaces (and deletes) a font held before; FALSE when no font was made.
    BOOL CreateFontIndirect(const LOGFONTA& logFont) { return Attach(::CreateFontIndirectA(&logFont)); }
    // A font of tenthsOfPoint / 10 points in face, sized for the resolution of dc (the screen's when null).
    BOOL CreatePointFont(int tenthsOfPoint, const char* face, HDC dc = nullptr);
    BOOL GetLogFont(LOGFONTA* logFont) const;
};
