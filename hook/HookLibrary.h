// What the mouse hook library keeps per process, for the hook procedures: the block
// "sharedmemoryforMouseState", the registered message numbers and the platform class of this process.
#pragma once
#include <windows.h>

class CSharedMemory;

// Which hook this process's Windows version calls for.
enum PlatformClass {
    platformOlderFamily,   // 4.10, 4.90, 3.51 and the like: the per-process WH_MOUSE hook
    platformLowLevel       // 4.0, 5.x and later: the low-level WH_MOUSE_LL hook
};

// The block opened while the library was loaded into this process; never null, but it may be not ready
// (every item operation then fails).
CSharedMemory* HookSharedMemory();

UINT OpenQuimbelMessage();    // "Open quimbel"
UINT CloseQuimbelMessage();   // "Close quimbel"
UINT CallQuimbelMessage();    // "Call quimbel l-btndown"

PlatformClass HookPlatformClass();

// The platform class of a GetVersion result: low byte major, next byte minor.
PlatformClass PlatformClassOf(DWORD version);
