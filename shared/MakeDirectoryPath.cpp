// Folder creation with every missing parent. Failures on the way are ignored: only the final state counts.
#include "shared/RegAccess.h"
#include <string.h>

namespace {

BOOL IsFolder(const char* folder)
{
    DWORD attributes = GetFileAttributesA(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}

BOOL MakeDirectoryPath(const char* path, bool pathNamesFile)
{
    if (path == nullptr || path[0] == '\0')
        return FALSE;
    char partial[MAX_PATH];
    size_t length = strlen(path);
    if (length >= sizeof(partial))
        return FALSE;
    memcpy(partial, path, length + 1);

    // The first backslash after index 0 ends the drive (or the leading backslash's first name): not made.
    const char* first = strchr(path + 1, '\\');
    if (first != nullptr) {
        for (const char* next = strchr(first + 1, '\\'); next != nullptr; next = strchr(next + 1, '\\')) {
            size_t index = static_cast<size_t>(next - path);
            partial[index] = '\0';
            CreateDirectoryA(partial, nullptr);
            partial[index] = '\\';
        }
    }

    if (!pathNamesFile) {
        CreateDirectoryA(path, nullptr);
        return IsFolder(path);
    }

    const char* last = strrchr(path, '\\');
    if (last == nullptr)
        return IsFolder(".");
    // Keep the backslash itself so that a folder such as "C:\" or "\" is tested as the root it names.
    partial[last - path + 1] = '\0';
    return IsFolder(partial);
}
