// Process attach and detach of the keyboard hook library, and the one copy of DataSeg.
#include "kbdhook/DataSeg.h"
#include "kbdhook/KeyboardLibrary.h"
#include "kbdhook/KeyboardInstall.h"
#include "kbdhook/NamedBlock.h"
#include "kbdhook/KeyboardPlatform.h"
#include "kbdhook/ThreadTimer.h"
#include "kbdhook/WindowsKeyMacro.h"

DataSeg g_dataSeg __attribute__((section("DataSeg"), shared)) = {};
HINSTANCE g_instance = nullptr;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        if (g_dataSeg.platformClass == platformOther)
            g_dataSeg.platformClass = CurrentKeyboardPlatform();
        g_instance = instance;
        if (!OpenNamedBlock()) {
            g_instance = nullptr;
            return FALSE;
        }
        OpenThreadTimers();
        break;
    case DLL_PROCESS_DETACH:
        // Nothing of this library may stay reachable here: its timers, and hooks this process set.
        KillOwnTimers();
        RemoveHooksOfThisProcess();
        CloseThreadTimers();
        g_instance = nullptr;
        CloseNamedBlock();
        break;
    }
    return TRUE;
}
