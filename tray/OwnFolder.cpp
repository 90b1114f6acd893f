#include "tray/OwnFolder.h"
#include <string.h>

BOOL OwnFolderFromCommandLine(const char* commandLine, const char* moduleBase, char* folder, size_t folderSize)
{
    if (!commandLine || !moduleBase || !folder || folderSize == 0)
        return FALSE;
    const char* text = commandLine[0] == '"' ? commandLine + 1 : commandLine;

    // A command line longer than a path cannot be cut safely: leave the folder alone.
    char line[MAX_PATH];
    size_t length = strnlen(text, sizeof line);
    if (length >= sizeof line)
        return FALSE;
    memcpy(line, text, length + 1);

    char* slash = strrchr(line, '\\');
    if (!slash)
        return FALSE;
    *slash = '\0';
    char* name = slash + 1;
    char* dot = strchr(name, '.');
    if (!dot)
        return FALSE;
    *dot = '\0';

    char wanted[MAX_PATH];
    size_t wantedLength = strnlen(moduleBase, sizeof wanted);
    if (wantedLength >= sizeof wanted)
        return FALSE;
    memcpy(wanted, moduleBase, wantedLength + 1);
    CharUpperBuffA(name, static_cast<DWORD>(strlen(name)));
    CharUpperBuffA(wanted, static_cast<DWORD>(wantedLength));
    if (strcmp(name, wanted) != 0)
        return FALSE;

    size_t folderLength = strlen(line);
    if (folderLength >= folderSize)
        return FALSE;
    memcpy(folder, line, folderLength + 1);
    return TRUE;
}

BOOL OwnModuleBase(char* base, size_t baseSize)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return FALSE;
    const char* slash = strrchr(path, '\\');
    const char* name = slash ? slash + 1 : path;
    char* dot = strrchr(const_cast<char*>(name), '.');
    if (dot)
        *dot = '\0';
    size_t nameLength = strlen(name);
    if (nameLength >= baseSize)
        return FALSE;
    memcpy(base, name, nameLength + 1);
    return TRUE;
}

BOOL EnterOwnFolder()
{
    char base[MAX_PATH];
    char folder[MAX_PATH];
    if (!OwnModuleBase(base, sizeof base) ||
        !OwnFolderFromCommandLine(GetCommandLineA(), base, folder, sizeof folder))
        return FALSE;
    return SetCurrentDirectoryA(folder);
}
