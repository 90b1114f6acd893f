// Linked into GoogleTest in the i686 lane only. GoogleTest echoes every failure and skip to a debugger
// with OutputDebugStringA, which raises a debug-print exception; under the emulated 32-bit Wine the program
// then dies moments later (another of its threads takes an illegal-instruction trap in qemu). The test
// results still go to the console; only the echo is dropped, by giving GoogleTest's import of the function
// this no-op instead of kernel32's.
#include <windows.h>

namespace {
void WINAPI QuietDebugString(LPCSTR)
{
}
}  // namespace

extern "C" {
void(WINAPI* g_outputDebugStringImport)(LPCSTR) __asm__("__imp__OutputDebugStringA@4") = QuietDebugString;
}
