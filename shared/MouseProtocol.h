// The protocol between the tray application, the mouse hook library and the mouse's device software:
// the shared block, its items and the registered messages.
#pragma once
#include <windows.h>

class CSharedMemory;

#define MOUSE_STATE_BLOCK      "sharedmemoryforMouseState"
#define MOUSE_STATE_BLOCK_SIZE 512

#define ITEM_MOUSE_POSITION "MousePosition"   // 8 bytes: x, y (signed 32-bit screen coordinates)
#define ITEM_MOUSE_OWNER    "MouseOwner"      // 4 bytes: nonzero opens the pad in owner mode
#define ITEM_ROUND_MAP      "RoundMap"        // 4 bytes: window handle of the open pad, or 0

#define MSG_OPEN_QUIMBEL    "Open quimbel"
#define MSG_MOVING_QUIMBEL  "Moving quimbel"
#define MSG_CLOSE_QUIMBEL   "Close quimbel"
#define MSG_CALL_QUIMBEL    "Call quimbel l-btndown"

// wParam of "Close quimbel" as the hook library posts it.
const WPARAM closeQuimbelFromHook = 4;

// Adds each missing item, in order, and writes its initial value (zero). Runs in every process that
// opens the block; tolerates another process adding the same items at the same moment.
void InitMouseStateBlock(CSharedMemory* block, void* context);

// Opens (or creates) the block with the items above; the caller deletes it.
CSharedMemory* OpenMouseStateBlock();
