// Process-wide values of the tray application (the open pad is in PadLauncher.h).
#pragma once
#include <windows.h>

class CSharedMemory;

// The block "sharedmemoryforMouseState", opened by the application object for the whole run.
extern CSharedMemory* sharedState;

// A pad thread may outlive the frame's wait for it and run on while the process's static destructors
// run: each pad thread holds the block from before it starts until its last use, and the application's
// release frees the block only when no pad thread holds it; otherwise the last one to let go frees it.
void HoldSharedState();
void DropSharedState();
void ReleaseSharedState();

// Start-up handshake with the worker; exists only while the frame handles WM_CREATE.
extern HANDLE startupEvent;
// What CreateProcess returned for the property program; hProcess is null when it was not started.
extern PROCESS_INFORMATION plindorProcess;

// Registered message numbers, obtained at program start.
extern UINT openQuimbelMessage;     // "Open quimbel"
extern UINT movingQuimbelMessage;   // "Moving quimbel"
extern UINT closeQuimbelMessage;    // "Close quimbel"
extern UINT callQuimbelMessage;     // "Call quimbel l-btndown"
extern UINT iconNotifyMessage;      // "MY_ICON_NOTIFY"

#define ICON_NOTIFY_MESSAGE "MY_ICON_NOTIFY"
