// DebugCheck(condition): a state the code rules out. In the test trees a broken one stops the program
// (a breakpoint, which the test run reports as a crash); the product tree compiles the check away.
#pragma once
#include <windows.h>

#ifdef FERROWIN_DEBUG_CHECKS
inline void DebugCheck(bool holds)
{
    if (!holds)
        DebugBreak();
}
#else
inline void DebugCheck(bool) {}
#endif
