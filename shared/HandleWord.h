// Window and hook handles kept in 32-bit words of shared sections and blocks. Handles are 32-bit
// significant on 64-bit Windows too; they widen back with sign extension, as the system's own
// conversions do, so a word read by a 64-bit process names the same handle a 32-bit one stored.
#pragma once
#include <windows.h>

template <typename Handle>
inline Handle HandleFromWord(DWORD word)
{
    return static_cast<Handle>(LongToHandle(static_cast<LONG>(word)));
}

template <typename Handle>
inline DWORD WordFromHandle(Handle handle)
{
    return HandleToUlong(handle);
}
