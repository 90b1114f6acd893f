// Installing and removing both keyboard hooks for all threads. Each hook handle is kept with the process
// and thread that set it: a hook ends with its thread, and only its own program removes it.
#include "kbdhook/DataSeg.h"
#include "kbdhook/KeyboardLibrary.h"
#include "kbdhook/KeyboardInstall.h"
#include "kbdhook/KeySynth.h"
#include "kbdhook/MiddleButton.h"
#include "kbdhook/KeyboardPlatform.h"
#include "kbdhook/KeyboardExports.h"
#include "kbdhook/WindowsKeyMacro.h"

namespace {

// The hooks this process set, to tell them from those of an ended process whose id it was given again.
HHOOK g_keyboardHookHere = nullptr;
HHOOK g_lowLevelHookHere = nullptr;

struct HookRecord {
    DWORD* handle;
    DWORD* process;
    DWORD* thread;
    HHOOK* here;
};

constexpr HookRecord keyboardHookRecord = {&g_dataSeg.keyboardHook, &g_dataSeg.keyboardHookProcess,
                                 &g_dataSeg.keyboardHookThread, &g_keyboardHookHere};
constexpr HookRecord lowLevelHookRecord = {&g_dataSeg.lowLevelKeyboardHook, &g_dataSeg.lowLevelHookProcess,
                                 &g_dataSeg.lowLevelHookThread, &g_lowLevelHookHere};

BOOL SetHere(const HookRecord& hook)
{
    return *hook.handle && *hook.process == GetCurrentProcessId() && *hook.handle == WordFromHandle(*hook.here);
}

// An object that cannot be opened for lack of rights still exists.
BOOL HasEnded(HANDLE object)
{
    if (!object)
        return GetLastError() != ERROR_ACCESS_DENIED;
    const BOOL ended = WaitForSingleObject(object, 0) == WAIT_OBJECT_0;
    CloseHandle(object);
    return ended;
}

// OpenThread exists from Windows Me and 2000 on; before, only the process tells.
BOOL ThreadHasEnded(DWORD thread)
{
    typedef HANDLE(WINAPI * OpenThreadFunction)(DWORD, BOOL, DWORD);
    const OpenThreadFunction openThread = reinterpret_cast<OpenThreadFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "OpenThread")));
    if (!thread || thread == GetCurrentThreadId() || !openThread)
        return FALSE;
    return HasEnded(openThread(SYNCHRONIZE, FALSE, thread));
}

enum OwnerState { ownerRuns, ownerThreadEnded, ownerProcessEnded };

// The system removes a process's hooks when it ends, but their handles stay in the shared words.
OwnerState StateOfOwner(const HookRecord& hook)
{
    const DWORD process = *hook.process;
    if (process == GetCurrentProcessId()) {
        if (!SetHere(hook))
            return ownerProcessEnded;
    } else if (!process || HasEnded(OpenProcess(SYNCHRONIZE, FALSE, process))) {
        return ownerProcessEnded;
    }
    return ThreadHasEnded(*hook.thread) ? ownerThreadEnded : ownerRuns;
}

void Forget(const HookRecord& hook)
{
    if (*hook.handle == WordFromHandle(*hook.here))
        *hook.here = nullptr;
    *hook.handle = 0;
    *hook.process = 0;
    *hook.thread = 0;
}

// Forgets a hook whose owner has ended; FALSE while its owner runs. Windows removes every hook of a thread
// when it ends; Wine keeps a global one until its process ends, so that one is removed here.
BOOL ForgetEnded(const HookRecord& hook)
{
    switch (StateOfOwner(hook)) {
    case ownerRuns:
        return FALSE;
    case ownerThreadEnded:
        UnhookWindowsHookEx(HandleFromWord<HHOOK>(*hook.handle));
        break;
    case ownerProcessEnded:
        break;
    }
    Forget(hook);
    return TRUE;
}

void InstallOne(const HookRecord& hook, int type, HOOKPROC procedure)
{
    if (*hook.handle && !ForgetEnded(hook))
        return;
    HHOOK handle = SetWindowsHookExA(type, procedure, g_instance, 0);
    if (!handle)
        return;
    *hook.here = handle;
    *hook.process = GetCurrentProcessId();
    *hook.thread = GetCurrentThreadId();
    *hook.handle = WordFromHandle(handle);
}

// A hook of another program that is still running stays: that program removes it.
BOOL RemoveOne(const HookRecord& hook)
{
    if (!*hook.handle)
        return FALSE;
    if (!SetHere(hook))
        return ForgetEnded(hook);
    UnhookWindowsHookEx(*hook.here);
    Forget(hook);
    return TRUE;
}

void InstallHooks()
{
    InstallOne(keyboardHookRecord, WH_KEYBOARD, KeyboardProc);
    DWORD delay = 10;
    switch (g_dataSeg.platformClass) {
    case platform2000:
    case platformXP:
        // A second low-level hook would report every special key twice and could never be removed.
        InstallOne(lowLevelHookRecord, WH_KEYBOARD_LL, KeyboardProcLow);
        delay = 100;
        break;
    case platformNT4:
        delay = 100;
        break;
    default:
        break;
    }
    // Two Scroll Lock taps leave its state as it was and put keyboard input through the new hooks.
    SynthesiseTap(VK_SCROLL);
    Sleep(delay);
    SynthesiseTap(VK_SCROLL);
}

// Whatever the removed hooks held down goes up: the events that would release it pass them no more.
void ReleaseHeldInput()
{
    AbandonWindowsKeyMacro();
    ReleaseMiddleButton();
}

}  // namespace

extern "C" void WINAPI InstallHook(BOOL install)
{
    if (install) {
        InstallHooks();
        return;
    }
    RemoveOne(keyboardHookRecord);
    RemoveOne(lowLevelHookRecord);
    ReleaseHeldInput();
}

void RemoveHooksOfThisProcess()
{
    BOOL removed = FALSE;
    if (SetHere(keyboardHookRecord))
        removed = RemoveOne(keyboardHookRecord) || removed;
    if (SetHere(lowLevelHookRecord))
        removed = RemoveOne(lowLevelHookRecord) || removed;
    if (removed)
        ReleaseHeldInput();
}
