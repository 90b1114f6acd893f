// Process-wide values of the tray application (the open pad is in PadLauncher.h).
#pragma once
#include <windows.h>

class CSharedMemory;

// The block "sharedmemoryforMouseState", opened by the application object for the whole run.
extern CSharedMemory* g_sharedState;

// A pad thread may outlive the frame's wait for it and run on while the process's static destructors
// run: each pad thread holds the block from before it starts until its last use, and the application's
// release frees the block only when no pad thread holds it; otherwise the last one to let go frees it.
void HoldSharedState();
void DropSharedState();
void ReleaseSharedState();

// Start-up handshake with the worker; exists only while the frame handles WM_CREATE.
extern HANDLE g_startupEvent;
// What CreateProcess returned for the property program; hProcess is null when it was not started.
extern PROCESS_INFORMATION g_plindorProcess;

// The name of the tray icon's notification message.
constexpr const char* iconNotifyMessageName = "MY_ICON_NOTIFY";

// Registered message numbers, obtained at program start.
extern const UINT openQuimbelMessage;     // "Open quimbel"
extern const UINT movingQuimbelMessage;   // "Moving quimbel"
extern const UINT closeQuimbelMessage;    // "Close quimbel"
extern const UINT callQuimbelMessage;     // "Call quimbel l-btndown"
extern const UINT iconNotifyMessage;      // iconNotifyMessageName
