// CCancelConfirm: the question asked before setup is cancelled. OK keeps the wizard running, Cancel ends it.
#pragma once
#include <windows.h>
#include "framework/Dialog.h"

class CCancelConfirm : public CDialog {
public:
    explicit CCancelConfirm(HWND parent);

protected:
    BOOL OnInitDialog() override;
};
