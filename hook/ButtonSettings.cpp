// Button-settings lookup: registry for the folder, then one byte of the file.
#include "hook/ButtonSettings.h"
#include "shared/InstallFolder.h"
#include "shared/JoinPath.h"

namespace {

constexpr char settingsFile[] = "VELDA.DAT";

// Folder of at most 254 characters, a backslash, the file name and the terminating zero.
constexpr size_t settingsPathSize = 255 + 1 + sizeof(settingsFile);

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

    // A missing key or value leaves the folder empty: the file is then looked for at the drive's root.
    char folder[256];
    ReadInstallFolder(folder, sizeof folder);

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
