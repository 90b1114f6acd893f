// The navigation pad as the main frame sees it: open or move it on "Open quimbel", release it when the
// frame goes away. The pad's own code lives in RoundMapDlg and PadLauncher.cpp.
#pragma once
#include <windows.h>

class CMainFrame;
class CRoundMapDlg;

// The open pad object, or null. Defined in TrayGlobals.cpp.
extern CRoundMapDlg* padDialog;
// Screen point at which the pad is (to be) centred. Defined in TrayGlobals.cpp.
extern POINT padPosition;

// The frame's "Open quimbel" handler: stops the watchdog, opens a pad on its own thread (recorded in
// frame->padThread) or moves the open one, then restarts the watchdog. A pad that is ending counts as
// closed: its message box is asked to close, and its thread is waited for only briefly (the caller also
// runs the low-level mouse hook), then left to end on its own.
void OpenOrMovePad(CMainFrame* frame);

// From the frame's destructor: closes an open pad's window and releases the pad object exactly once. A pad
// thread that does not end in time is left to end on its own and no longer reports to this frame.
void ReleasePad(CMainFrame* frame);
