// Loading into and unloading from a process: the per-process state the hook procedures use.
#include "hook/HookLibrary.h"
#include "hook/HookShared.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"

namespace {

// Built by the module's constructors when the library is loaded into a process, gone when it unloads.
class HookProcessState {
public:
    HookProcessState()
        : openQuimbel(RegisterWindowMessageA(openQuimbelName)),
          closeQuimbel(RegisterWindowMessageA(closeQuimbelName)),
          callQuimbel(RegisterWindowMessageA(callQuimbelName)),
          block(OpenMouseStateBlock())
    {
    }
    ~HookProcessState() { delete block; }

    UINT openQuimbel;
    UINT closeQuimbel;
    UINT callQuimbel;
    CSharedMemory* block;
};

HookProcessState g_processState;
MousePlatform g_platform = platformLowLevel;
bool g_horizontalWheel = false;

// Stands in for the block when it could not even be allocated: never ready, so every item operation
// fails as it does for a block that could not be opened. Made with the module, before any hook runs.
CSharedMemory g_unopenedBlock(nullptr, 0);

}  // namespace

CSharedMemory* HookSharedMemory()
{
    return g_processState.block ? g_processState.block : &g_unopenedBlock;
}

UINT OpenQuimbelMessage() { return g_processState.openQuimbel; }

UINT CloseQuimbelMessage() { return g_processState.closeQuimbel; }

UINT CallQuimbelMessage() { return g_processState.callQuimbel; }

MousePlatform HookPlatform() { return g_platform; }

bool HookHorizontalWheel() { return g_horizontalWheel; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        // The first process to load the library after StopHook makes its module the hooks' module.
        if (!g_hookShared.instanceRecorded) {
            g_hookShared.hookInstance = instance;
            g_hookShared.instanceRecorded = 1;
        }
        // Decided once here, so that the hook procedures ask the system nothing more for it.
        WindowsVersion version = CurrentWindowsVersion();
        g_platform = MousePlatformOf(version);
        g_horizontalWheel = HorizontalWheelOf(version);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
