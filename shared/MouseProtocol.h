// The protocol between the tray application, the mouse hook library and the mouse's device software:
// the shared block, its items and the registered messages.
#pragma once
#include <windows.h>

class CSharedMemory;

constexpr char mouseStateBlock[] = "sharedmemoryforMouseState";
constexpr UINT mouseStateBlockSize = 512;

constexpr char itemMousePosition[] = "MousePosition";   // 8 bytes: x, y (signed 32-bit screen coordinates)
constexpr char itemMouseOwner[] = "MouseOwner";         // 4 bytes: nonzero opens the pad in owner mode
constexpr char itemRoundMap[] = "RoundMap";             // 4 bytes: window handle of the open pad, or 0

// Names of the registered messages.
constexpr char openQuimbelName[] = "Open quimbel";
constexpr char movingQuimbelName[] = "Moving quimbel";
constexpr char closeQuimbelName[] = "Close quimbel";
constexpr char callQuimbelName[] = "Call quimbel l-btndown";

// wParam of "Close quimbel" as the hook library posts it.
constexpr WPARAM closeQuimbelFromHook = 4;

// Adds each missing item, in order, and writes its initial value (zero). Runs in every process that
// opens the block; tolerates another process adding the same items at the same moment.
void InitMouseStateBlock(CSharedMemory* block, void* context);

// Opens (or creates) the block with the items above; the caller deletes it.
CSharedMemory* OpenMouseStateBlock();
