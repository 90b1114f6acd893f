// CSetupBackdrop: the full-screen window behind the wizard, a blue-to-black gradient with the product's
// title in white. It runs modally (DoModal) for the whole setup, owns the wizard frame, and its result is
// what the wizard ended with.
#pragma once
#include <windows.h>
#include "framework/Dialog.h"
#include "setup/controls/GradientBands.h"
#include "setup/wizard/WizardFrame.h"

class CSetupBackdrop : public CDialog {
public:
    CSetupBackdrop();
    ~CSetupBackdrop() override;

    // The backdrop's picture on dc: the gradient over the client area and the title.
    void Paint(HDC dc);

    static constexpr COLORREF topColor = RGB(0, 0, 255);
    static constexpr COLORREF bottomColor = RGB(0, 0, 0);
    static constexpr COLORREF titleColor = RGB(255, 255, 255);
    static constexpr int titleX = 10;
    static constexpr int titleY = 10;

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCSetupBackdrop;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    BOOL EraseBackground(HDC dc);
    LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowWizard(WPARAM wParam, LPARAM lParam);

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

private:
    void PaintBands(HDC dc);

    HICON icon;
    GradientBands* bands;
    CWizardFrame frame;
};
