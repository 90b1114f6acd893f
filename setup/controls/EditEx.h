// CEditEx: an edit control whose background colour, text colour and font are the program's choice. It
// answers its parent's colour message itself, through reflection.
#pragma once
#include <windows.h>
#include "framework/Brush.h"
#include "framework/Edit.h"
#include "framework/Font.h"

class CEditEx : public CEdit {
public:
    CEditEx();
    ~CEditEx() override;

    // Makes backBrush a solid brush of backColor.
    virtual void CreateBackBrush();

    // Each returns the colour in force before.
    COLORREF SetBackColor(COLORREF color);
    COLORREF SetForeColor(COLORREF color);
    // A font of height (LOGFONT units: negative for the character height), weight, pitch and family, and
    // face; replaces the font set before, which is deleted once the control no longer uses it.
    void SetEditFont(LONG height, LONG weight, BYTE pitchAndFamily, const char* face);

    COLORREF GetBackColor() const { return backColor; }
    COLORREF GetForeColor() const { return foreColor; }
    HFONT GetEditFont() const { return editFont ? static_cast<HFONT>(*editFont) : nullptr; }

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCEditEx;

protected:
    HBRUSH ReflectedControlColour(HDC dc, HWND control);

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

    CBrush backBrush;
    COLORREF backColor;
    COLORREF foreColor;
    CFont* editFont;
};
