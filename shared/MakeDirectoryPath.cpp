// Folder creation with every missing parent. Failures on the way are ignored: only the final state counts.
#include "shared/MakeDirectoryPath.h"
#include <string.h>

namespace {

BOOL IsFolder(const char* folder)
{
    DWORD attributes = GetFileAttributesA(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The path is walked character by character (CharNext), so that the second byte of a double-byte
// character that happens to equal a backslash is not taken for a separator.
const char* NextBackslash(const char* from)
{
    for (const char* at = from; *at != '\0'; at = CharNextA(at))
        if (*at == '\\')
            return at;
    return nullptr;
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

    // The first backslash after the first character ends the drive (or, after a leading backslash, the
    // first name): that part is never made.
    const char* last = nullptr;
    const char* first = NextBackslash(CharNextA(path));
    if (first != nullptr) {
        last = first;
        for (const char* next = NextBackslash(first + 1); next != nullptr; next = NextBackslash(next + 1)) {
            size_t index = static_cast<size_t>(next - path);
            partial[index] = '\0';
            CreateDirectoryA(partial, nullptr);
            partial[index] = '\\';
            last = next;
        }
    }

    if (!pathNamesFile) {
        CreateDirectoryA(path, nullptr);
        return IsFolder(path);
    }

    if (last == nullptr && path[0] == '\\')
        last = path;
    if (last == nullptr)
        return IsFolder(".");
    // Keep the backslash itself so that a folder such as "C:\" or "\" is tested as the root it names.
    partial[last - path + 1] = '\0';
    return IsFolder(partial);
}
