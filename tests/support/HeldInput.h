// Input tests start with nothing held: a test that failed while it held a modifier key or a mouse button
// must not change what the next test sees.
#pragma once

// Releases every modifier key (both Shifts, Ctrls, Alts and Windows keys) and mouse button that the
// system reports as down; sends nothing for what is up.
void ReleaseHeldInput();
