// setuplauncher SOURCE_DIR: the stand-in for the outside setup launcher. Loads setup.dll from its own
// folder, calls DOINSTALL with the source folder, prints the result in decimal and hex and exits with it.
#include "setup/SetupExports.h"
#include <windows.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: setuplauncher SOURCE_DIR\n");
        return 255;
    }
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    char* slash = length && length < sizeof(path) ? strrchr(path, '\\') : nullptr;
    if (!slash || static_cast<size_t>(slash - path) + sizeof("\\setup.dll") > sizeof(path)) {
        fprintf(stderr, "setuplauncher: cannot name its own folder\n");
        return 255;
    }
    strcpy(slash, "\\setup.dll");
    HMODULE library = LoadLibraryA(path);
    if (!library) {
        fprintf(stderr, "setuplauncher: cannot load %s (error %lu)\n", path, GetLastError());
        return 255;
    }
    DoInstallProc doInstall = reinterpret_cast<DoInstallProc>(GetProcAddress(library, "DOINSTALL"));
    if (!doInstall) {
        fprintf(stderr, "setuplauncher: setup.dll has no DOINSTALL\n");
        FreeLibrary(library);
        return 255;
    }
    int result = doInstall(argv[1]);
    printf("DOINSTALL returned %d (0x%X)\n", result, static_cast<unsigned>(result));
    fflush(stdout);
    FreeLibrary(library);
    return result;
}
