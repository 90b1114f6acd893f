// Helper processes for tests: a copy of the running test program under another name, with Wine's
// per-program settings (Windows version, DLL overrides) for that name, run with a time-out.
#pragma once
#include <windows.h>
#include <string>

// The running program's full path.
std::string OwnPath();

// The folder of the running program, with a trailing backslash.
std::string ProgramFolder();

// Copies the running program to NAME (a file name in the same folder) and returns its full path.
std::string CopySelfAs(const char* name);

// A copy of the running program named NAME that Wine runs as Windows VERSION (its per-program setting);
// its full path, or empty when it could not be made.
std::string CopySelfAsVersion(const std::string& name, const char* version);

// Copies a file of the program's folder to another name in the same folder.
bool CopyBesideSelf(const char* from, const char* to);

// HKCU\Software\Wine\AppDefaults\<exeName>[\<subKey>] value = data; subKey may be null.
bool SetAppDefault(const char* exeName, const char* subKey, const char* value, const char* data);

struct ChildResult {
    bool finished = false;  // false: still running at the time-out (it was ended)
    DWORD exitCode = 0;
    std::string output;     // what it wrote to stdout and stderr
};

// Runs "path" args, waits at most timeoutMs. With pumpMessages this thread's messages are handled while
// it waits (a hook of the helper may run on this thread).
ChildResult RunChild(const std::string& path, const std::string& args, DWORD timeoutMs, bool pumpMessages = false);

// Starts "exe" arguments without waiting, in the given current folder when one is given; the process
// handle (null when it did not start), its id in *processId when asked for.
HANDLE StartProgram(const std::string& exe, const std::string& arguments, const char* folder = nullptr,
                    DWORD* processId = nullptr);

// Waits at most timeoutMs for the process to end, ends it with code 998 after that, and closes the handle;
// its exit code (999 when none could be read).
DWORD WaitExit(HANDLE process, DWORD timeoutMs);

// The running program's file name without its folder, e.g. "kbdhook_test.exe".
std::string OwnFileName();
