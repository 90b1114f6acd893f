// Process attach and detach of the keyboard hook library, and the one copy of DataSeg.
#include "DataSeg.h"
#include "KeyboardLibrary.h"
#include "KeyboardInstall.h"
#include "NamedBlock.h"
#include "KeyboardPlatform.h"
#include "ThreadTimer.h"
#include "WindowsKeyMacro.h"

DataSeg g_dataSeg __attribute__((section("DataSeg"), shared)) = {};
HINSTANCE g_instance = NULL;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        if (g_dataSeg.platformClass == PlatformOther)
            g_dataSeg.platformClass = CurrentKeyboardPlatform();
        g_instance = instance;
        if (!OpenNamedBlock()) {
            g_instance = NULL;
            return FALSE;
        }
        OpenThreadTimers();
        break;
    case DLL_PROCESS_DETACH:
        // Nothing of this library may stay reachable here: its timers, and hooks this process set.
        KillOwnTimers();
        RemoveHooksOfThisProcess();
        CloseThreadTimers();
        g_instance = NULL;
        CloseNamedBlock();
        break;
    }
    return TRUE;
}
