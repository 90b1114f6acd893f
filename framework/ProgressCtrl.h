// CProgressCtrl: the common controls' progress bar (16-bit range, which every system version has).
#pragma once
#include "framework/Wnd.h"
#include <windows.h>
#include <commctrl.h>

class CProgressCtrl : public CWnd {
public:
    CProgressCtrl() {}

    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

    void SetRange(short lower, short upper) { ::SendMessage(hwnd, PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
    // The previous position.
    int SetPos(int position) { return static_cast<int>(::SendMessage(hwnd, PBM_SETPOS, static_cast<WPARAM>(position), 0)); }
    int OffsetPos(int delta) { return static_cast<int>(::SendMessage(hwnd, PBM_DELTAPOS, static_cast<WPARAM>(delta), 0)); }
    int SetStep(int step) { return static_cast<int>(::SendMessage(hwnd, PBM_SETSTEP, static_cast<WPARAM>(step), 0)); }
    int StepIt() { return static_cast<int>(::SendMessage(hwnd, PBM_STEPIT, 0, 0)); }

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCProgressCtrl;
};
