// CRoundMapDlg: the navigation pad, a round modal dialog of eight direction buttons around a centre
// button that runs on a thread of its own. It publishes its window in the shared item "RoundMap" while it
// is open and closes on a command, an outside press, a close request or Escape.
#pragma once
#include <windows.h>
#include "framework/Bitmap.h"
#include "framework/Dialog.h"
#include "framework/MemoryDC.h"
#include "tray/ImageButton.h"

class CRoundMapDlg : public CDialog {
public:
    CRoundMapDlg();
    ~CRoundMapDlg() override;

    // Centres the window on the screen point x, y (partly off-screen near an edge) and takes the
    // keyboard focus away from this thread.
    void CentreAt(int x, int y);
    // Writes 0 into "RoundMap" (no pad is open) while the item still holds this pad's window; a newer
    // pad's handle stays.
    void ClearRoundMap();
    // Paints the background picture at 0, 0.
    void Paint(HDC dc);
    // TRUE once the pad is ending (its modal loop told to end) or its window destroyed: the pad counts as
    // closed although its window and thread may still be finishing.
    BOOL IsWindowGone() const { return windowGone != 0; }
    // Ends the pad, marking it closed first. It hides CDialog::EndDialog so that every way of ending the
    // pad, the commands included, goes through it.
    BOOL EndDialog(INT_PTR result);

    // Posted by the frame on its way out: the pad ends and its window is destroyed, so the foreground goes
    // back only in owner mode (a close request would give it back in every mode).
    static constexpr UINT endPadMessage = WM_APP;

    BOOL ownerMode;
    POINT centre;   // the screen point the pad is centred on; the launcher moves it
    HWND previousForeground;
    SIZE backgroundSize;
    CImageButton directionButtons[8];
    CImageButton centreButton;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;
    void OnCancel() override;

    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    BOOL EraseBackground(HDC dc);
    LRESULT OnCloseQuimbel(WPARAM wParam, LPARAM lParam);
    LRESULT OnMovingQuimbel(WPARAM wParam, LPARAM lParam);
    LRESULT OnCallQuimbel(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndPad(WPARAM wParam, LPARAM lParam);

    // The nine commands (PadCommands.cpp).
    void OnCentre();
    void OnNew();
    void OnFind();
    void OnMailLink();
    void OnMailWebpage();
    void OnAppendFavorite();
    void OnRefresh();
    void OnSave();
    void OnOpen();

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

private:
    void LoadBackground();
    void ReleaseDrawing();
    void PublishWindow();
    void SetUpButtons();
    CBitmap background;
    CMemoryDC backgroundDC;   // holds the background picture while the window lives
    volatile LONG windowGone;
    HWND publishedWindow;   // what this pad wrote into "RoundMap", or null
};
