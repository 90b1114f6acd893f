// The middle mouse button that the keyboard's middle key holds. The library remembers a press it
// synthesised, so that the button never stays down when the key's release can no longer reach it.
#pragma once
#include <windows.h>

// Synthesises the press or the release and remembers which one was last.
void SynthesiseMiddleButton(BOOL up);

// Releases the button if this library holds it down (the hooks are going away).
void ReleaseMiddleButton();

// With the library disabled, the middle key's release still releases a button the library pressed, and
// is swallowed like its press was. TRUE when the event was that release.
BOOL ReleaseMiddleButtonForKey(UINT virtualKey, DWORD scanCode, BOOL keyUp);
