// The uninstall log "uninst00.log" in the destination folder: a plain sequence of records (type byte,
// ANSI text, zero byte), created new on every run.
#pragma once
#include "setup/install/InstallInputs.h"

// Creates the log in installDir, replacing an old one, and sets the record type to installed files.
// FALSE when it cannot be made (the path does not fit, or a folder of that name is in the way): the run
// goes on and no records are written.
BOOL CreateUninstallLog(SetupState& state, const char* installDir);

// Appends logRecordType, the text's bytes and a zero byte; nothing when the log is not open.
void WriteLogRecord(SetupState& state, const char* text);

// Closes the log if it is open.
void CloseUninstallLog(SetupState& state);
