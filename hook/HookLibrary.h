// What the mouse hook library keeps per process, for the hook procedures: the block
// "sharedmemoryforMouseState", the registered message numbers and the mouse platform of this process.
#pragma once
#include "hook/MousePlatform.h"
#include <windows.h>

class CSharedMemory;

// The block opened while the library was loaded into this process; never null, but it may be not ready
// (every item operation then fails).
CSharedMemory* HookSharedMemory();

UINT OpenQuimbelMessage();    // "Open quimbel"
UINT CloseQuimbelMessage();   // "Close quimbel"
UINT CallQuimbelMessage();    // "Call quimbel l-btndown"

// Which hook this process's Windows version calls for.
MousePlatform HookPlatform();
// Whether the horizontal repeat sends horizontal wheel input to windows without horizontal scroll bars.
bool HookHorizontalWheel();
