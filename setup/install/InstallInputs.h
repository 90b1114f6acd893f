// What the install steps read from the setup state and what they share while the run goes on. The values
// are texts the installer holds for the length of a run; a missing one is an empty text (or null where
// said).
#pragma once
#include <windows.h>
#include <stdio.h>

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

// Shared between the copy worker and the progress dialog's thread; no lock: the dialog touches the log
// only after the worker has cleared workerBusy as its last action.
struct InstallRunState {
    volatile LONG workerBusy;     // 1 while the copy worker runs
    unsigned char logRecordType;  // type byte of the next log record
    FILE* uninstallLog;           // the open uninstall log, null when it is not open
};
