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
