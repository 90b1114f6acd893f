#include "shared/InstallFolder.h"
#include "shared/RegAccess.h"

BOOL ReadInstallFolder(char* folder, size_t folderSize)
{
    // CRegAccess copies at most 255 bytes with the terminating zero.
    if (!folder || folderSize < 255)
        return FALSE;
    folder[0] = '\0';
    CRegAccess registry;
    registry.SelectRoot(HKEY_LOCAL_MACHINE);
    if (!registry.OpenPath(productKey, FALSE) || !registry.QueryValueType(installFolderValue))
        return FALSE;
    registry.GetString(installFolderValue, "", folder);
    return TRUE;
}
