// The user's choice for the two horizontal-scroll buttons, read from the mouse property program's
// "VELDA.DAT" in the installation folder at every press (nothing is cached).
#pragma once
#include <windows.h>

enum ButtonSetting {
    settingFileMissing,   // the file cannot be opened: the press is swallowed without any action
    settingZero,          // the hook library scrolls horizontally itself
    settingNonzero        // the press is passed on
};

// button: 1 (scroll left) or 2 (scroll right).
ButtonSetting LookUpButtonSetting(int button);

// Where the setting byte of a button lies in "VELDA.DAT"; -1 for any other button.
LONG ButtonSettingOffset(int button);
