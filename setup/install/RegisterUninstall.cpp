#include "setup/install/RegisterUninstall.h"
#include "setup/install/InstallNames.h"
#include "setup/install/UninstallLog.h"
#include "shared/JoinPath.h"
#include "shared/RegAccess.h"

void RegisterUninstall(const InstallValues& values, SetupState& state)
{
    CRegAccess registry;
    registry.SelectRoot(HKEY_LOCAL_MACHINE);
    state.logRecordType = logUninstallKey;
    char uninstallKey[MAX_PATH];
    if (JoinPath(uninstallKey, sizeof(uninstallKey), uninstallKeyBase, values.product) &&
        registry.OpenPath(uninstallKey, TRUE)) {
        WriteLogRecord(state, uninstallKey);
        registry.PutString("DisplayName", values.product);
        char uninstaller[MAX_PATH];
        if (JoinPath(uninstaller, sizeof(uninstaller), values.installDir, uninstallerName))
            registry.PutString("UninstallString", uninstaller);
    }

    if (registry.OpenPath(keyboardProductKey, TRUE)) {
        registry.PutString("AppPath", values.installDir);
        registry.PutString("ProductName", values.product);
        registry.PutString("ProductKey", values.productKey);
    }
}
