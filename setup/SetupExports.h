// The export of setup.dll. A launcher loads the library, calls DOINSTALL with the folder that holds the
// installation files, and acts on the result.
#pragma once
#include <windows.h>

// Result codes: 0 setup ended otherwise (or its texts could not be loaded), 2 cancelled, 6 finished and
// restart now (0x10006 on the systems that need the flag), 12 finished, restart later.
extern "C" int WINAPI DOINSTALL(const char* sourceFolder);
typedef int(WINAPI* DoInstallProc)(const char* sourceFolder);
