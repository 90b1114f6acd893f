// The installer's one record of folders, language, system flags and run state, shared by every part of the
// installer for the length of a DOINSTALL call (language and destination are kept between calls).
#pragma once
#include <windows.h>
#include <stdio.h>
#include "shared/WindowsVersion.h"

struct SetupState {
    char sourceDir[MAX_PATH];     // as DOINSTALL was given it
    char installDir[MAX_PATH];    // the destination folder
    int languageIndex;            // row of the language table
    const char* languageExt;      // always the extension of row languageIndex
    int osV51;                    // set for 5.1, 5.0 and x.0 below 5: the restart result carries 0x10000
    int osV50;
    int osV40;
    volatile LONG workerBusy;     // 1 while the file-copy worker runs
    unsigned char logRecordType;  // type byte of the next uninstall-log record
    FILE* uninstallLog;           // open while the install run writes it
};

extern SetupState g_setup;

// The language the wizard starts with when the system's language is not in the table (English).
constexpr int defaultLanguageIndex = 6;

// Copies the source folder; FALSE, with sourceDir empty, for a null pointer or a folder that does not fit
// (a cut folder would name another one).
BOOL SetSourceDir(const char* folder);

// Clears the three system flags and sets the one the version calls for, if any.
void ClassifySystem(const WindowsVersion& version);

// Modal result of the backdrop -> DOINSTALL's result code.
int SetupResultCode(INT_PTR modalResult);

// The modal results the wizard ends with, and the flag DOINSTALL adds to a restart on the flagged systems.
constexpr INT_PTR resultCancelled = 2;
constexpr INT_PTR resultRestartNow = 6;
constexpr INT_PTR resultRestartLater = 12;
constexpr int restartOnNtFlag = 0x10000;
