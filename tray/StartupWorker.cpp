#include "tray/StartupWorker.h"
#include "tray/PrivilegeRule.h"
#include "tray/TrayGlobals.h"
#include "shared/InstallFolder.h"
#include "shared/JoinPath.h"
#include "shared/WindowsVersion.h"

BOOL EnablePrivilege(HANDLE token, const char* privilegeName)
{
    LUID luid;
    if (!LookupPrivilegeValueA(nullptr, privilegeName, &luid))
        return FALSE;

    // First ask for the privilege's present attributes, then set the enabled bit on them.
    TOKEN_PRIVILEGES request = {};
    request.PrivilegeCount = 1;
    request.Privileges[0].Luid = luid;
    request.Privileges[0].Attributes = 0;
    TOKEN_PRIVILEGES previous = {};
    DWORD previousSize = sizeof previous;
    SetLastError(0);
    if (!AdjustTokenPrivileges(token, FALSE, &request, sizeof request, &previous, &previousSize) ||
        GetLastError() != 0)
        return FALSE;

    previous.PrivilegeCount = 1;
    previous.Privileges[0].Luid = luid;
    previous.Privileges[0].Attributes |= SE_PRIVILEGE_ENABLED;
    SetLastError(0);
    if (!AdjustTokenPrivileges(token, FALSE, &previous, previousSize, nullptr, nullptr))
        return FALSE;
    return GetLastError() == 0;   // ERROR_NOT_ALL_ASSIGNED: the token lacks the privilege
}

BOOL PropertyProgramPath(const char* folder, char* path, size_t pathSize)
{
    return JoinPath(path, pathSize, folder, propertyProgram);
}

static BOOL EnableDebugPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return FALSE;
    BOOL enabled = EnablePrivilege(token, SE_DEBUG_NAME);
    CloseHandle(token);
    return enabled;
}

static void StartPropertyProgram()
{
    // Not installed: nothing to start, and the current directory stays.
    char folder[MAX_PATH];
    if (!ReadInstallFolder(folder, sizeof folder))
        return;

    char program[MAX_PATH];
    BOOL pathFits = PropertyProgramPath(folder, program, sizeof program);
    SetCurrentDirectoryA(folder);

    ZeroMemory(&g_plindorProcess, sizeof g_plindorProcess);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (pathFits && CreateProcessA(program, nullptr, nullptr, nullptr, FALSE, HIGH_PRIORITY_CLASS, nullptr,
                                   nullptr, &startup, &started))
        g_plindorProcess = started;
    Sleep(2000);
}

UINT StartupWorker(void*)
{
    if (SkipsPrivilege(CurrentWindowsVersion()) || EnableDebugPrivilege())
        StartPropertyProgram();
    SetEvent(g_startupEvent);
    return 0;
}
