#include "shared/JoinPath.h"
#include <string.h>

BOOL JoinPath(char* path, size_t pathSize, const char* folder, const char* name)
{
    if (!path || pathSize == 0)
        return FALSE;
    path[0] = '\0';
    if (!folder || !name)
        return FALSE;
    size_t folderLength = strlen(folder);
    size_t nameLength = strlen(name);
    if (folderLength + 1 + nameLength >= pathSize)
        return FALSE;
    memcpy(path, folder, folderLength);
    path[folderLength] = '\\';
    memcpy(path + folderLength + 1, name, nameLength + 1);
    return TRUE;
}
