#include "setup/install/UninstallLog.h"
#include "setup/install/InstallNames.h"
#include "shared/JoinPath.h"
#include <string.h>

BOOL CreateUninstallLog(SetupState& state, const char* installDir)
{
    CloseUninstallLog(state);
    state.logRecordType = logInstalledFile;
    char path[MAX_PATH];
    if (!JoinPath(path, sizeof(path), installDir, uninstallLogName))
        return FALSE;
    state.uninstallLog = fopen(path, "wb");
    return state.uninstallLog != nullptr;
}

void WriteLogRecord(SetupState& state, const char* text)
{
    if (!state.uninstallLog)
        return;
    const char* record = text ? text : "";
    fputc(state.logRecordType, state.uninstallLog);
    fwrite(record, 1, strlen(record), state.uninstallLog);
    fputc(0, state.uninstallLog);
    // On disk at once: a run that is ended or crashes before the log is closed still leaves what it did.
    fflush(state.uninstallLog);
}

void CloseUninstallLog(SetupState& state)
{
    if (state.uninstallLog) {
        fclose(state.uninstallLog);
        state.uninstallLog = nullptr;
    }
}
