#include "setup/engine/SourcePaths.h"
#include "setup/engine/SetupState.h"
#include "shared/JoinPath.h"
#include <string.h>

BOOL ScriptPath(char* path, size_t pathSize)
{
    return JoinPath(path, pathSize, g_setup.sourceDir, scriptFileName);
}

BOOL LanguageFolderPath(char* path, size_t pathSize, const char* base, const char* extension)
{
    if (path && pathSize)
        path[0] = '\0';
    if (!base || !extension)
        return FALSE;
    // "is-00001\base.ext"; anything longer than a path cannot be joined anyway.
    char name[MAX_PATH];
    size_t folderLength = strlen(languageFolderName);
    size_t baseLength = strlen(base);
    size_t extensionLength = strlen(extension);
    if (folderLength + 1 + baseLength + 1 + extensionLength >= sizeof(name))
        return FALSE;
    char* end = name;
    memcpy(end, languageFolderName, folderLength);
    end += folderLength;
    *end++ = '\\';
    memcpy(end, base, baseLength);
    end += baseLength;
    *end++ = '.';
    memcpy(end, extension, extensionLength + 1);
    return JoinPath(path, pathSize, g_setup.sourceDir, name);
}
