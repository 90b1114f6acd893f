#include "setup/install/RegisterProduct.h"
#include "setup/install/InstallNames.h"
#include "setup/install/UninstallLog.h"
#include "shared/JoinPath.h"
#include "shared/RegAccess.h"

void RegisterProduct(const InstallValues& values, SetupState& state)
{
    CRegAccess registry;
    registry.SelectRoot(HKEY_LOCAL_MACHINE);
    state.logRecordType = logRunValue;
    if (registry.OpenPath(runKeyPath, TRUE)) {
        char program[MAX_PATH];
        // A program path that does not fit is not written cut; the record names the value either way,
        // as it does when the write itself fails.
        if (JoinPath(program, sizeof(program), values.installDir, runProgramName))
            registry.PutString(runValueName, program);
        WriteLogRecord(state, runValueName);
    }

    if (registry.OpenPath(keyboardProductKey, TRUE)) {
        registry.PutString("InstallName", values.titleMain);
        registry.PutString("SubInstallName", values.captionBar);
    }

    char countKey[MAX_PATH];
    if (!JoinPath(countKey, sizeof(countKey), installCountKeyBase, values.titleMain))
        return;
    DWORD count = 1;
    if (registry.OpenPath(countKey, FALSE))
        count = registry.GetNumber(installCountValue, 0) + 1;
    else if (!registry.OpenPath(countKey, TRUE))
        return;
    registry.PutNumber(installCountValue, count);
}
