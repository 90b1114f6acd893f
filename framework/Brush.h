// CBrush: an owned brush.
#pragma once
#include "framework/GdiObject.h"
#include <windows.h>

class CBrush : public CGdiObject {
public:
    CBrush() {}
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    operator HBRUSH() const { return static_cast<HBRUSH>(handle); }

    // Replaces (and deletes) a brush held before; FALSE when no brush was made.
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
};
