// The words the keyboard hook library shares between every process it is loaded into (section "DataSeg").
// Hook handles and timer identifiers are kept as 32-bit words; nothing here is locked.
#pragma once
#include "shared/HandleWord.h"
#include <windows.h>
#include <stddef.h>

struct DataSeg {
    DWORD platformClass;        // KeyboardPlatform value, computed by the first process that loads the library
    DWORD winKeyDown;           // the Windows key went down and a Shift press was synthesised
    DWORD winSequence;          // the Windows key was released quickly; the following keys are watched
    DWORD winSequenceFresh;     // in winSequence, no Up-arrow press seen yet
    DWORD winKeyTimer;          // 50 ms thread timer started on the Windows-key press
    DWORD sequenceTimer;        // 2000 ms thread timer started on the quick release
    DWORD keyboardHook;         // WH_KEYBOARD handle, or 0
    DWORD lowLevelKeyboardHook; // WH_KEYBOARD_LL handle, or 0
    DWORD leftAltDown;          // classes 2 and 5: the last Alt event came from the left Alt key
    // Words the library added for its own bookkeeping; the ones above keep their places.
    DWORD keyboardHookProcess;  // process that set keyboardHook, or 0
    DWORD sequenceStart;        // GetTickCount() of the quick release that started winSequence
    DWORD keyboardHookThread;   // thread that set keyboardHook (the hook ends with it)
    DWORD lowLevelHookProcess;  // process that set lowLevelKeyboardHook, or 0
    DWORD lowLevelHookThread;   // thread that set lowLevelKeyboardHook
    DWORD winKeyTimerThread;    // thread of winKeyTimer: timer ids are only meaningful on their thread
    DWORD sequenceTimerThread;  // thread of sequenceTimer
    DWORD middleButtonDown;     // the library synthesised a middle-button press and not yet its release
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(offsetof(DataSeg, platformClass) == 0, "DataSeg layout");
static_assert(offsetof(DataSeg, winKeyDown) == 4, "DataSeg layout");
static_assert(offsetof(DataSeg, winSequence) == 8, "DataSeg layout");
static_assert(offsetof(DataSeg, winSequenceFresh) == 12, "DataSeg layout");
static_assert(offsetof(DataSeg, winKeyTimer) == 16, "DataSeg layout");
static_assert(offsetof(DataSeg, sequenceTimer) == 20, "DataSeg layout");
static_assert(offsetof(DataSeg, keyboardHook) == 24, "DataSeg layout");
static_assert(offsetof(DataSeg, lowLevelKeyboardHook) == 28, "DataSeg layout");
static_assert(offsetof(DataSeg, leftAltDown) == 32, "DataSeg layout");
static_assert(offsetof(DataSeg, keyboardHookProcess) == 36, "DataSeg layout");
static_assert(offsetof(DataSeg, sequenceStart) == 40, "DataSeg layout");
static_assert(offsetof(DataSeg, keyboardHookThread) == 44, "DataSeg layout");
static_assert(offsetof(DataSeg, lowLevelHookProcess) == 48, "DataSeg layout");
static_assert(offsetof(DataSeg, lowLevelHookThread) == 52, "DataSeg layout");
static_assert(offsetof(DataSeg, winKeyTimerThread) == 56, "DataSeg layout");
static_assert(offsetof(DataSeg, sequenceTimerThread) == 60, "DataSeg layout");
static_assert(offsetof(DataSeg, middleButtonDown) == 64, "DataSeg layout");
static_assert(sizeof(DataSeg) == 68, "DataSeg layout");
#endif

extern DataSeg g_dataSeg;
