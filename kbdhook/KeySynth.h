// Synthesised keyboard input: every key goes in with scan code 0 and no extra information, which is how
// the hook procedures recognise their own late Windows key.
#pragma once
#include <windows.h>

inline void SynthesiseKey(BYTE virtualKey, BOOL up)
{
    keybd_event(virtualKey, 0, up ? KEYEVENTF_KEYUP : 0, 0);
}

inline void SynthesiseTap(BYTE virtualKey)
{
    SynthesiseKey(virtualKey, FALSE);
    SynthesiseKey(virtualKey, TRUE);
}

// A key event that arrived too early, put back in behind what was synthesised before it, as it came.
inline void ReplayKey(BYTE virtualKey, BYTE scanCode, BOOL extended, BOOL up, ULONG_PTR extraInfo)
{
    keybd_event(virtualKey, scanCode, (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0),
                extraInfo);
}
