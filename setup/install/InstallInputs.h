// What the install steps read: texts the installer holds for the length of a run, taken from the setup
// state, the install script and the language texts; a missing one is an empty text (or null where said).
// What the steps share while the run goes on (workerBusy, logRecordType, uninstallLog) is the setup state's.
#pragma once
#include <windows.h>
#include "setup/engine/SetupState.h"

struct InstallValues {
    const char* sourceDir;      // the installation source
    const char* installDir;     // the destination folder
    const char* languageExt;    // extension of the chosen language
    const char* product;        // [Product] Product
    const char* productKey;     // [Product] Key
    const char* titleMain;      // [Title] Main
    const char* captionBar;     // [Title] CaptionBar
    const char* targetFolder;   // [Target] Folder: the program group's name
    const char* shortcutText;   // MSG "12", put into a shortcut name at its "%s"; null when absent
};
