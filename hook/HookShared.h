// The words the mouse hook library shares between every process it is loaded into (section ".HOOKDAT").
// Window and hook handles are stored as 32-bit words (shared/HandleWord.h widens them back).
#pragma once
#include "shared/HandleWord.h"
#include <windows.h>
#include <stddef.h>

struct HookShared {
    HINSTANCE hookInstance;     // module of both hooks
    DWORD mouseHook;            // WH_MOUSE handle, or 0
    DWORD lowLevelHook;         // WH_MOUSE_LL handle, or 0
    DWORD instanceRecorded;
    DWORD ownerWindow;          // StartHook's argument
    DWORD lowLevelMode;         // 1 while WH_MOUSE_LL is the active hook
    DWORD unused[7];
    DWORD scrollActive;         // a horizontal-scroll button is held
    DWORD scrollButton;         // 1 scrolls left, 2 right, 0 none
    DWORD scrollTarget;         // window under the cursor at the press
    DWORD scrollTargetParent;
    DWORD searchedParent;       // the bars below came from the parent's children
    DWORD horzBar1;
    DWORD vertBar1;
    DWORD horzBar2;
    DWORD vertBar2;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(offsetof(HookShared, mouseHook) == 4, "HOOKDAT layout");
static_assert(offsetof(HookShared, lowLevelHook) == 8, "HOOKDAT layout");
static_assert(offsetof(HookShared, instanceRecorded) == 12, "HOOKDAT layout");
static_assert(offsetof(HookShared, ownerWindow) == 16, "HOOKDAT layout");
static_assert(offsetof(HookShared, lowLevelMode) == 20, "HOOKDAT layout");
static_assert(offsetof(HookShared, scrollActive) == 52, "HOOKDAT layout");
static_assert(offsetof(HookShared, scrollButton) == 56, "HOOKDAT layout");
static_assert(offsetof(HookShared, scrollTarget) == 60, "HOOKDAT layout");
static_assert(offsetof(HookShared, scrollTargetParent) == 64, "HOOKDAT layout");
static_assert(offsetof(HookShared, searchedParent) == 68, "HOOKDAT layout");
static_assert(offsetof(HookShared, horzBar1) == 72, "HOOKDAT layout");
static_assert(offsetof(HookShared, vertBar1) == 76, "HOOKDAT layout");
static_assert(offsetof(HookShared, horzBar2) == 80, "HOOKDAT layout");
static_assert(offsetof(HookShared, vertBar2) == 84, "HOOKDAT layout");
static_assert(sizeof(HookShared) == 88, "HOOKDAT layout");
#endif

extern HookShared g_hookShared;
