// A stand-in for the mouse hook library, copied as "hoppet.dll" next to the property program: it records
// its loading and the tray application's calls in hookcalls.log beside itself. Built once with and once
// without StopHook.
#include <windows.h>
#include <stdio.h>
#include <string.h>

static HMODULE thisModule;

static void Record(const char* text)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(thisModule, path, sizeof path);
    char* slash = length && length < sizeof path ? strrchr(path, '\\') : nullptr;
    if (!slash || static_cast<size_t>(slash - path) + sizeof "\\hookcalls.log" > sizeof path)
        return;
    strcpy(slash, "\\hookcalls.log");
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    char line[96];
    int size = snprintf(line, sizeof line, "%s\r\n", text);
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
}

extern "C" __declspec(dllexport) int StartHook(HWND owner)
{
    char text[64];
    snprintf(text, sizeof text, "StartHook %lx", HandleToUlong(owner));
    Record(text);
    return 1;
}

#ifndef WITHOUT_STOP_HOOK
extern "C" __declspec(dllexport) int StopHook()
{
    Record("StopHook");
    return 0;
}
#endif

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
        Record("load");
    } else if (reason == DLL_PROCESS_DETACH) {
        Record("unload");
    }
    return TRUE;
}
