// The one place that says which module holds the program's resources (dialogs, bitmaps, icons, strings,
// animations): the program's own file unless WinMain or a library's DllMain names another, so that a
// library driven by someone else's program finds its own resources and not the caller's.
#pragma once
#include <windows.h>

// The module set last, or the program's own file when none was set.
HINSTANCE GetResourceModule();
// Set once at start-up, before any window exists; null goes back to the program's own file.
void SetResourceModule(HINSTANCE module);
