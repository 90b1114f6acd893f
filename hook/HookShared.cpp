#include "hook/HookShared.h"

// One copy for every process the library is loaded into.
HookShared g_hookShared __attribute__((section(".HOOKDAT"), shared)) = {};
