// The Windows-key macros seen by the per-process hook: Windows+E, and a quick Windows-key tap followed by
// Up and Enter. While the Windows key is down a synthesised Shift is held; every way out releases it.
#pragma once
#include <windows.h>

// Returns TRUE when the key event belongs to a macro and is swallowed. repeat: the key was already down.
BOOL HandleWindowsKeyMacro(UINT virtualKey, BYTE scanCode, BOOL keyUp, BOOL repeat);

// Drops a macro in progress (the hooks are going away) and releases the synthesised Shift.
void AbandonWindowsKeyMacro();

// A quick tap watched for 2 s or longer ends at the next key event either hook sees, whether or not the
// expiry timer of the thread that started it ever fires: Shift goes up. Call only while winSequence is
// set; TRUE when it ended the sequence, and the event is then to be put back in behind the release.
BOOL EndOldSequence();

// The library leaves this process: kills the timers this thread set here, ending a macro they belong to.
void KillOwnTimers();
