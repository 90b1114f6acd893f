// The copy worker. Only a successful copy is logged, so the log lists exactly what was installed; a path
// that does not fit its buffer is neither copied nor logged.
#include "setup/install/CopyWorker.h"
#include "setup/install/AppendText.h"
#include "setup/engine/SourcePaths.h"
#include "setup/install/InstallNames.h"
#include "setup/install/SettingsFiles.h"
#include "setup/install/UninstallLog.h"
#include "shared/JoinPath.h"
#include "shared/MakeDirectoryPath.h"
#include <process.h>

const char* const mainFiles[12] = {
    "Orvel.mk", "BRUNE.hmt", "zelt32g.dll", "OSTREL.EXE", "VORRIN.DLL", "TAMSEL.DLL",
    "HESKAR.VXD", "PIMA.BMP", "PIMAMASK.BMP", "SOLDATA.DAT", "SOLDSET.DAT", "DRAVEN.EXE",
};
const char* const languageFiles[2] = {"yarlan.dll", "zelt32s.dll"};

namespace {

constexpr unsigned workerStackSize = 65536;

bool Exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Clears the read-only attribute of an existing file; false when it was not read-only or stays so.
bool MakeWritable(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
}

// Copies source to target (an existing target is replaced) and logs loggedPath when the file is in place.
// A copy takes its source's attributes, so one from read-only media would be read-only and the next
// install could not replace it: no copy stays read-only, and a read-only target in the way is made
// writable and copied over once more. A target that still cannot be replaced (in use) is the product's
// all the same: it is logged, so the uninstaller removes it.
void CopyAndLog(SetupState& state, const char* source, const char* target, const char* loggedPath)
{
    bool copied = CopyFileA(source, target, FALSE) || (MakeWritable(target) && CopyFileA(source, target, FALSE));
    if (copied)
        MakeWritable(target);
    if (copied || (Exists(source) && Exists(target)))
        WriteLogRecord(state, loggedPath);
}

void CopyMainFiles(const InstallValues& values, SetupState& state)
{
    for (const char* name : mainFiles) {
        char source[MAX_PATH];
        char target[MAX_PATH];
        if (!JoinPath(source, sizeof(source), values.sourceDir, name) ||
            !JoinPath(target, sizeof(target), values.installDir, name))
            continue;
        MakeDirectoryPath(target, true);
        CopyAndLog(state, source, target, target);
    }
}

void CopyToSystemFolder(const InstallValues& values, SetupState& state)
{
    char windows[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windows, sizeof(windows));
    if (length == 0 || length >= sizeof(windows))
        return;
    char source[MAX_PATH];
    char system[MAX_PATH];
    char target[MAX_PATH];
    if (JoinPath(source, sizeof(source), values.sourceDir, systemCopyName) &&
        JoinPath(system, sizeof(system), windows, systemFolderName) &&
        JoinPath(target, sizeof(target), system, systemCopyName))
        CopyAndLog(state, source, target, target);
}

void CopyLanguageFiles(const InstallValues& values, SetupState& state)
{
    char languageSource[MAX_PATH];
    if (!JoinPath(languageSource, sizeof(languageSource), values.sourceDir, values.languageExt))
        return;
    for (const char* name : languageFiles) {
        char source[MAX_PATH];
        char target[MAX_PATH];
        if (JoinPath(source, sizeof(source), languageSource, name) &&
            JoinPath(target, sizeof(target), values.installDir, name))
            CopyAndLog(state, source, target, target);
    }
}

// The uninstaller's texts of the chosen language, then the uninstaller itself, which is logged under the
// log's own path so that the uninstaller removes its log.
void CopyUninstaller(const InstallValues& values, SetupState& state)
{
    state.logRecordType = logInstalledFile;
    char folder[MAX_PATH];
    char source[MAX_PATH];
    char target[MAX_PATH];
    if (JoinPath(folder, sizeof(folder), values.sourceDir, languageFolderName) &&
        JoinPath(source, sizeof(source), folder, uninstallerTextBase) &&
        AppendText(source, sizeof(source), ".") && AppendText(source, sizeof(source), values.languageExt) &&
        JoinPath(target, sizeof(target), values.installDir, uninstallerTextInstalled))
        CopyAndLog(state, source, target, target);

    char log[MAX_PATH];
    if (JoinPath(source, sizeof(source), values.sourceDir, uninstallerName) &&
        JoinPath(target, sizeof(target), values.installDir, uninstallerName) &&
        JoinPath(log, sizeof(log), values.installDir, uninstallLogName))
        CopyAndLog(state, source, target, log);
}

}

void RunCopySteps(const InstallValues& values, SetupState& state)
{
    InterlockedExchange(&state.workerBusy, 1);
    MakeDirectoryPath(values.installDir, false);
    CreateUninstallLog(state, values.installDir);
    CopyMainFiles(values, state);
    CopyToSystemFolder(values, state);
    CopyLanguageFiles(values, state);
    CopyUninstaller(values, state);
    state.logRecordType = logInstallDir;
    WriteLogRecord(state, values.installDir);
    WriteSettingsFiles(values);
    // Last: the dialog's thread takes the log over once it reads 0.
    InterlockedExchange(&state.workerBusy, 0);
}

unsigned __stdcall CopyWorker(void* job)
{
    CopyWorkerJob* copyJob = static_cast<CopyWorkerJob*>(job);
    RunCopySteps(*copyJob->values, *copyJob->state);
    return 0;
}

HANDLE StartCopyWorker(CopyWorkerJob* job)
{
    InterlockedExchange(&job->state->workerBusy, 1);
    uintptr_t thread = _beginthreadex(nullptr, workerStackSize, CopyWorker, job, 0, nullptr);
    if (thread == 0) {
        CopyWorker(job);
        return nullptr;
    }
    return reinterpret_cast<HANDLE>(thread);
}
