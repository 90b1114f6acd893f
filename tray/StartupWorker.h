// The start-up worker: enables the debug privilege, starts the property program from the installation
// folder and signals g_startupEvent on every path, so the main thread's wait always ends.
#pragma once
#include <windows.h>

// The mouse property program's file, in the installation folder.
constexpr const char* propertyProgram = "PLINDOR.EXE";

// Thread procedure (a CWinThread); the argument is the main frame and is not used.
UINT StartupWorker(void* frame);

// Enables one privilege on a token opened with TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY; FALSE when the
// privilege is unknown or the token does not hold it.
BOOL EnablePrivilege(HANDLE token, const char* privilegeName);

// Builds "<folder>\PLINDOR.EXE"; FALSE when it does not fit in pathSize.
BOOL PropertyProgramPath(const char* folder, char* path, size_t pathSize);
