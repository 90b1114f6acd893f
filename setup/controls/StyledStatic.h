// CStyledStatic: the text control of the installer's pages. Its text colour, weight, slant and point size
// are set at run time by chained setters, each of which repaints at once; it paints through one off-screen
// bitmap so that a chain of restyles does not flicker.
#pragma once
#include <windows.h>
#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/Static.h"

class CStyledStatic : public CStatic {
public:
    CStyledStatic();

    virtual CStyledStatic& SetLabelColor(COLORREF color);
    virtual CStyledStatic& SetLabelText(const char* text);
    virtual CStyledStatic& SetLabelBold(BOOL bold);
    virtual CStyledStatic& SetLabelItalic(BOOL italic);
    // Size in points at the screen's resolution; weight, slant and face stay as they are.
    virtual CStyledStatic& SetLabelPointSize(int points);

    COLORREF GetLabelColor() const { return textColor; }
    HFONT GetLabelFont() const { return font; }
    const LOGFONTA& GetLabelLogFont() const { return logFont; }

    // The DrawText format for a static control's style.
    static UINT FormatForStyle(DWORD style, const char* text);
    // Draws the label as it shows in the given client rectangle of dc.
    void Draw(HDC dc, const RECT& client);

protected:
    // Takes the control's font when the label is attached.
    void PreSubclassWindow() override;
    void Paint(HDC dc);
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);

    void RebuildFont();
    void Repaint();

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

    COLORREF textColor;
    CBrush faceBrush;
    LOGFONTA logFont;
    CFont font;
};
