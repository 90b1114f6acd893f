// The shortcuts' names come from the install script and a language file: they are never used as a
// format. A path that does not fit its buffer skips that shortcut (not made, not logged).
#include "setup/install/CreateShortcuts.h"
#include "setup/install/AppendText.h"
#include "setup/engine/SourcePaths.h"
#include "setup/install/InstallNames.h"
#include "setup/install/ShellLinkWriter.h"
#include "setup/install/UninstallLog.h"
#include "shared/JoinPath.h"
#include "shared/MakeDirectoryPath.h"
#include "shared/RegAccess.h"
#include <string.h>

namespace {

// The group folder: the user's Start-menu programs folder and [Target] Folder, read afresh at every use.
BOOL GroupFolder(char* folder, size_t folderSize, const char* targetFolder)
{
    CRegAccess registry;
    registry.SelectRoot(HKEY_CURRENT_USER);
    registry.OpenPath(shellFoldersKeyPath, FALSE);
    char programs[MAX_PATH];
    registry.GetString(programsValueName, "", programs);
    return JoinPath(folder, folderSize, programs, targetFolder);
}

// The [Icons] key of entry n, its number in decimal (no printf: its runtime is not linked into setup.dll).
void KeyName(int n, char (&key)[16])
{
    char digits[16];
    int count = 0;
    unsigned value = static_cast<unsigned>(n);
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 && count < 15);
    for (int i = 0; i < count; ++i)
        key[i] = digits[count - 1 - i];
    key[count] = '\0';
}

struct IconEntry {
    char target[MAX_PATH];
    char name[MAX_PATH];
    char icon[MAX_PATH];    // empty: the target's own icon
};

// "target,name[,icon]": cut at the first comma, the rest at its next one. FALSE for a value without a
// comma, which is not an entry.
BOOL ParseIconEntry(const char* value, IconEntry& entry)
{
    const char* firstComma = strchr(value, ',');
    if (!firstComma)
        return FALSE;
    size_t targetLength = static_cast<size_t>(firstComma - value);
    memcpy(entry.target, value, targetLength);
    entry.target[targetLength] = '\0';
    const char* rest = firstComma + 1;
    const char* secondComma = strchr(rest, ',');
    size_t nameLength = secondComma ? static_cast<size_t>(secondComma - rest) : strlen(rest);
    memcpy(entry.name, rest, nameLength);
    entry.name[nameLength] = '\0';
    strcpy(entry.icon, secondComma ? secondComma + 1 : "");
    return TRUE;
}

void MakeShortcut(const InstallValues& values, SetupState& state, const IconEntry& entry)
{
    char name[MAX_PATH];
    if (!FillShortcutName(name, sizeof(name), entry.name, values.shortcutText))
        return;
    ShellLinkSpec spec;
    if (!JoinPath(spec.targetPath, sizeof(spec.targetPath), values.installDir, entry.target))
        return;
    strcpy(spec.description, name);
    if (strlen(values.installDir) >= sizeof(spec.workingDir))
        return;
    strcpy(spec.workingDir, values.installDir);
    if (entry.icon[0] != '\0') {
        if (!JoinPath(spec.iconPath, sizeof(spec.iconPath), values.installDir, entry.icon))
            return;
    } else {
        strcpy(spec.iconPath, spec.targetPath);
    }

    char group[MAX_PATH];
    char linkPath[MAX_PATH];
    if (!GroupFolder(group, sizeof(group), values.targetFolder) ||
        !JoinPath(linkPath, sizeof(linkPath), group, name) || !AppendText(linkPath, sizeof(linkPath), ".lnk"))
        return;

    CShellLinkWriter writer;
    if (!writer.Assign(spec))
        return;
    // Logged whether or not the save succeeded: the record names the file this entry stands for.
    writer.Save(linkPath);
    WriteLogRecord(state, linkPath);
}

}

BOOL FillShortcutName(char* name, size_t nameSize, const char* raw, const char* text)
{
    if (!name || nameSize == 0)
        return FALSE;
    name[0] = '\0';
    if (!raw)
        return FALSE;
    const char* place = strchr(raw, '%') ? strstr(raw, "%s") : nullptr;
    if (!place) {
        if (strlen(raw) >= nameSize)
            return FALSE;
        strcpy(name, raw);
        return TRUE;
    }
    size_t headLength = static_cast<size_t>(place - raw);
    if (headLength >= nameSize)
        return FALSE;
    memcpy(name, raw, headLength);
    name[headLength] = '\0';
    return AppendText(name, nameSize, text ? text : "") && AppendText(name, nameSize, place + 2);
}

void CreateShortcuts(const InstallValues& values, SetupState& state)
{
    char group[MAX_PATH];
    BOOL haveGroup = GroupFolder(group, sizeof(group), values.targetFolder);
    HRESULT com = CoInitialize(nullptr);
    if (haveGroup)
        MakeDirectoryPath(group, false);
    state.logRecordType = logShortcut;

    char script[MAX_PATH];
    if (haveGroup && JoinPath(script, sizeof(script), values.sourceDir, scriptFileName)) {
        for (int n = 1;; ++n) {
            char key[16];
            KeyName(n, key);
            char value[MAX_PATH];
            DWORD length = GetPrivateProfileStringA("Icons", key, "", value, sizeof(value), script);
            if (length == 0)
                break;
            IconEntry entry;
            // A value that filled the buffer may have been cut: its names would be other files.
            if (length >= sizeof(value) - 1 || !ParseIconEntry(value, entry))
                continue;
            MakeShortcut(values, state, entry);
        }
    }

    state.logRecordType = logGroupFolder;
    if (GroupFolder(group, sizeof(group), values.targetFolder))
        WriteLogRecord(state, group);
    // Only a successful initialisation is balanced (a thread already in another apartment model keeps it).
    if (SUCCEEDED(com))
        CoUninitialize();
}
