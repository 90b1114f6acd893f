// CImageButton: an owner-drawn button with a bitmap per state (normal, pressed, hover, disabled,
// focused), shaped by a mask bitmap and drawn through it, with its own hover and press tracking, a
// tooltip, and check box or radio button behaviour when its template style asks for it.
#pragma once
#include <windows.h>
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/Rgn.h"

// The bitmap resource ids of a button's states and of its mask, 0 for none.
struct ImageButtonBitmaps {
    UINT normal;
    UINT pressed;
    UINT hover;
    UINT disabled;   // 0: the normal picture
    UINT focus;
    UINT mask;       // black: the button, white: transparent
};

class CImageButton : public CButton {
public:
    // What a click does to the check state, from the template's style.
    enum CheckBehaviour : int { pushButton = 0, checkBox = 2, radioButton = 4 };
    // How the pictures fill the button.
    enum ImageSizing : int {
        sizeToMask = 0,   // the button takes the mask's size and pictures are drawn 1:1
        stretchImages = 1,
        tileImages = 2,
    };
    enum ImageState : int { normalState, pressedState, hoverState, focusState, disabledState, stateCount };

    CImageButton();
    ~CImageButton() override;

    // With a mask the button gets the mask's shape; mask 0 keeps the shape and size it has. An edge is
    // drawn when edge is nonzero, a focus rectangle margin pixels inside when margin is positive.
    void SetBitmaps(const ImageButtonBitmaps& bitmaps, ImageSizing sizing, int edge, int margin);
    void SetTooltipText(const char* text);
    // The picture of a state, or null; states given the same resource share one picture.
    HBITMAP Image(ImageState state) const { return stateImages[state] ? static_cast<HBITMAP>(*stateImages[state]) : nullptr; }
    HBITMAP Mask() const { return maskImage; }
    // The shape made from the mask: held by the button, or by its window once the window took it.
    HRGN Shape() const { return shape.Region(); }

    // The private message that unchecks a radio button when another one of its group is checked.
    static constexpr UINT uncheckMessage = WM_USER + 0x100;

    BOOL checkState;
    CheckBehaviour checkMode;
    BYTE hovering;
    BYTE pressTracking;
    HWND tooltip;
    SHORT focusMargin;
    COLORREF textColour;
    SHORT drawEdge;
    ImageSizing sizingMode;

    void DrawItem(const DRAWITEMSTRUCT* item) override;

protected:
    void PreSubclassWindow() override;
    void PostNcDestroy() override;

    BOOL EraseBackground(HDC dc);
    void OnLButtonDown(UINT keys, POINT point);
    void OnLButtonUp(UINT keys, POINT point);
    void OnMouseMove(UINT keys, POINT point);
    void OnLButtonDblClk(UINT keys, POINT point);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnUncheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

private:
    void DeleteImages();
    void ToggleCheckFromUser();
    void RelayToTooltip(UINT message, UINT keys, POINT point);
    BOOL IsUnderPoint(POINT screenPoint) const;
    void DrawImage(HDC dc, const RECT& rect, HBITMAP image);
    void DrawCaption(HDC dc, const RECT& rect, BOOL pressed);

    CBitmap loadedImages[stateCount];          // one per distinct resource
    const CBitmap* stateImages[stateCount];    // into loadedImages, or null
    CBitmap maskImage;
    CRgn shape;
};
