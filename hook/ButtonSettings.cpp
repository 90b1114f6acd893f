// Button-settings lookup: registry for the folder, then one byte of the file.
#include "hook/ButtonSettings.h"
#include "shared/RegAccess.h"
#include "shared/JoinPath.h"

namespace {

const char settingsKey[] = "Software\\Ferrowin";
const char settingsFile[] = "VELDA.DAT";

// Folder of at most 254 characters, a backslash, the file name and the terminating zero.
const size_t settingsPathSize = 255 + 1 + sizeof(settingsFile);

}

LONG ButtonSettingOffset(int button)
{
    switch (button) {
    case 1: return 1128;
    case 2: return 1132;
    default: return -1;
    }
}

ButtonSetting LookUpButtonSetting(int button)
{
    LONG offset = ButtonSettingOffset(button);
    if (offset < 0)
        return settingNonzero;

    char folder[256] = "";
    CRegAccess registry;
    registry.SelectRoot(HKEY_LOCAL_MACHINE);
    if (registry.OpenPath(settingsKey, FALSE))
        registry.GetString("AppPath", "", folder);

    char path[settingsPathSize];
    if (!JoinPath(path, sizeof path, folder, settingsFile))
        return settingFileMissing;

    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return settingFileMissing;

    BYTE setting = 0;
    DWORD bytesRead = 0;
    BOOL read = SetFilePointer(file, offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
                ReadFile(file, &setting, 1, &bytesRead, nullptr);
    CloseHandle(file);
    // A file too short to hold the byte counts as "pass on": a damaged file must not eat the user's clicks.
    if (!read || bytesRead != 1)
        return settingNonzero;
    return setting == 0 ? settingZero : settingNonzero;
}
