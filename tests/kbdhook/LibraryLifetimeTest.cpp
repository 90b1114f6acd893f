// The library leaving a process: its timers go with it, and hooks of a keyboard application that ended
// without removing them do not keep a later InstallHook from installing.
#include "ChildProcess.h"
#include "KeyboardHarness.h"
#include "kbdhook/KeyboardPlatform.h"
#include "kbdhook/KeyboardExports.h"
#include <stdio.h>

namespace {

typedef std::vector<NoteRecord> Notes;

const char UnloadCopy[] = "vorrin_unload.dll";
const char InstallerProgram[] = "kbdinstaller.exe";
const LPARAM WindowsPress = (LPARAM)((0x5B << 16) | 0x01000001);
const LPARAM WindowsRelease = (LPARAM)(WindowsPress | 0xC0000000);
const LPARAM XRelease = (LPARAM)((0x2D << 16) | 0xC0000001);

// Runs routine on a thread of its own while this thread pumps (the hooks of this thread see that
// thread's input); its exit code, or STILL_ACTIVE when it did not end in time. It owns no data here.
DWORD RunThread(LPTHREAD_START_ROUTINE routine, LPVOID argument)
{
    HANDLE thread = CreateThread(NULL, 0, routine, argument, 0, NULL);
    if (!thread)
        return STILL_ACTIVE;
    PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 10000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return code;
}

// Another thread's first key after a quick tap, an X release, which replays the tap.
DWORD WINAPI ReplayTap(LPVOID procedure)
{
    return (DWORD)reinterpret_cast<HOOKPROC>(procedure)(HC_ACTION, 'X', XRelease);
}

class LibraryLifetime : public KeyboardHookTest {
protected:
    // A copy of the library that this process alone loads and frees, as the system does with a hooked
    // program's copy when the hooks go away.
    HOOKPROC LoadCopy()
    {
        copy = LoadLibraryA(UnloadCopy);
        copyData = FindDataSeg(copy);
        return copy ? (HOOKPROC)GetProcAddress(copy, "KeyboardProc") : NULL;
    }

    HMODULE copy = NULL;
    DataSeg* copyData = NULL;
};

TEST_F(LibraryLifetime, TimersAndShiftEndWithTheLibrary)
{
    if (_stricmp(OwnFileName().c_str(), InstallerProgram) == 0)
        GTEST_SKIP();
    ASSERT_TRUE(CopyBesideSelf("VORRIN.DLL", UnloadCopy));

    // Freed before the Windows key's timer fires (held back meanwhile).
    HOOKPROC procedure = LoadCopy();
    ASSERT_NE(nullptr, procedure);
    ASSERT_NE(nullptr, copyData);
    EXPECT_EQ(1, procedure(HC_ACTION, VK_LWIN, WindowsPress));
    const UINT_PTR winKeyTimer = copyData->winKeyTimer;
    ASSERT_NE(0u, winKeyTimer);
    DrainHoldingTimers();
    EXPECT_TRUE(KeyHeld(VK_SHIFT));
    ASSERT_TRUE(FreeLibrary(copy));
    ASSERT_EQ(nullptr, GetModuleHandleA(UnloadCopy));
    ASSERT_FALSE(KillTimer(NULL, winKeyTimer)) << "the 50 ms timer outlived the library";
    int timers = 0;
    Pump(200, &timers);
    EXPECT_EQ(0, timers);
    EXPECT_FALSE(KeyHeld(VK_SHIFT)) << "Shift left down";

    // Freed while a quick tap is watched.
    procedure = LoadCopy();
    ASSERT_NE(nullptr, procedure);
    EXPECT_EQ(1, procedure(HC_ACTION, VK_LWIN, WindowsPress));
    EXPECT_EQ(1, procedure(HC_ACTION, VK_LWIN, WindowsRelease));
    const UINT_PTR sequenceTimer = copyData->sequenceTimer;
    ASSERT_EQ(1u, copyData->winSequence);
    ASSERT_NE(0u, sequenceTimer);
    ASSERT_TRUE(FreeLibrary(copy));
    ASSERT_FALSE(KillTimer(NULL, sequenceTimer)) << "the 2000 ms timer outlived the library";
    Settle();
    EXPECT_FALSE(KeyHeld(VK_SHIFT)) << "Shift left down";
    EXPECT_FALSE(KeyHeld(VK_LWIN));
    DeleteFileA((ProgramFolder() + UnloadCopy).c_str());
}

// Quick tap here, replayed by another thread, a second quick tap here, then the library goes.
TEST_F(LibraryLifetime, EarlierTimerOfThisThreadEndsWithTheLibrary)
{
    ASSERT_TRUE(CopyBesideSelf("VORRIN.DLL", UnloadCopy));
    HOOKPROC procedure = LoadCopy();
    ASSERT_NE(nullptr, procedure);
    ASSERT_NE(nullptr, copyData);
    EXPECT_EQ(1, procedure(HC_ACTION, VK_LWIN, WindowsPress));
    EXPECT_EQ(1, procedure(HC_ACTION, VK_LWIN, WindowsRelease));
    const UINT_PTR firstTimer = copyData->sequenceTimer;
    ASSERT_NE(0u, firstTimer);
    EXPECT_EQ(1u, RunThread(ReplayTap, reinterpret_cast<LPVOID>(procedure)));
    ASSERT_EQ(0u, copyData->winSequence);
    EXPECT_EQ(1, procedure(HC_ACTION, VK_LWIN, WindowsPress));
    EXPECT_EQ(1, procedure(HC_ACTION, VK_LWIN, WindowsRelease));
    ASSERT_TRUE(FreeLibrary(copy));
    EXPECT_FALSE(KillTimer(NULL, firstTimer)) << "the first tap's timer outlived the library";
    Settle();
    EXPECT_FALSE(KeyHeld(VK_SHIFT));
    DeleteFileA((ProgramFolder() + UnloadCopy).c_str());
}

DWORD WINAPI QuickTap(LPVOID)
{
    KeyboardProc(HC_ACTION, VK_LWIN, WindowsPress);
    KeyboardProc(HC_ACTION, VK_LWIN, WindowsRelease);
    return 0;
}

// With a timer of its own that has the id of another thread's macro timer: 1 when that timer survived
// the replay, 0 when it was killed, 2 when no timer of that id could be made here.
DWORD WINAPI ReplayBesideTimerWithSameId(LPVOID macroTimer)
{
    UINT_PTR others[16];
    int count = 0;
    UINT_PTR same = 0;
    while (!same && count < 16) {
        const UINT_PTR timer = SetTimer(NULL, 0, 60000, NULL);
        if (!timer)
            break;
        if (timer == reinterpret_cast<UINT_PTR>(macroTimer))
            same = timer;
        else
            others[count++] = timer;
    }
    for (int i = 0; i < count; ++i)
        KillTimer(NULL, others[i]);
    if (!same)
        return 2;
    KeyboardProc(HC_ACTION, 'X', XRelease);
    return KillTimer(NULL, same) ? 1 : 0;
}

// Under Wine every thread numbers its timers alike, so a timer id means something on its thread only.
TEST_F(LibraryLifetime, TimerOfAnotherThreadWithTheMacroTimersIdIsLeftAlone)
{
    ASSERT_EQ(0u, RunThread(QuickTap, NULL));
    ASSERT_EQ(1u, dataSeg->winSequence);
    const DWORD result = RunThread(ReplayBesideTimerWithSameId, reinterpret_cast<LPVOID>(
                                                                    static_cast<UINT_PTR>(dataSeg->sequenceTimer)));
    if (result == 2)
        GTEST_SKIP() << "timer ids are not shared between threads here";
    EXPECT_EQ(1u, result) << "the replay killed another thread's timer";
    EXPECT_EQ(0u, dataSeg->winSequence);
}

// In kbdinstaller.exe: install the hooks and end without removing them, by a crash (no detach) or an
// ordinary exit.
TEST(StaleHookInstaller, InstallAndVanish)
{
    if (_stricmp(OwnFileName().c_str(), InstallerProgram) != 0)
        GTEST_SKIP() << "runs in the helper copy";
    InstallHook(TRUE);
    Pump(200);
    printf("installed %lu\n", (unsigned long)FindDataSeg(GetModuleHandleA("VORRIN.DLL"))->keyboardHook);
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 0);
}

TEST(StaleHookInstaller, InstallAndExit)
{
    if (_stricmp(OwnFileName().c_str(), InstallerProgram) != 0)
        GTEST_SKIP() << "runs in the helper copy";
    InstallHook(TRUE);
    Pump(200);
    printf("installed %lu\n", (unsigned long)FindDataSeg(GetModuleHandleA("VORRIN.DLL"))->keyboardHook);
    fflush(stdout);
}

DWORD WINAPI InstallAndEnd(LPVOID)
{
    InstallHook(TRUE);
    Pump(200);
    return 0;
}

class StaleHooks : public KeyboardHookTest {
protected:
    // Runs the helper with both hooks (class 6) while this process keeps the library loaded.
    ChildResult RunInstaller(const char* test)
    {
        dataSeg->platformClass = platformXP;
        const std::string path = CopySelfAs(InstallerProgram);
        EXPECT_FALSE(path.empty());
        ChildResult result = RunChild(path, std::string("--gtest_filter=StaleHookInstaller.") + test, 30000, true);
        DeleteFileA(path.c_str());
        return result;
    }

    // Both hooks of this process report: the low-level one a function key, the per-process one Windows+E.
    void ExpectHooksReport(const Notes& expected = Notes{{4, 1}, {2, 182}})
    {
        Tap(0xFF, 0x40);
        Key(VK_LWIN, 0x5B, false, true);
        Tap('E', 0x12);
        Key(VK_LWIN, 0x5B, true, true);
        Settle();
        EXPECT_EQ(expected, notes);
    }
};

TEST_F(StaleHooks, InstallerThatEndedWithoutRemovingThemIsReplaced)
{
    if (_stricmp(OwnFileName().c_str(), InstallerProgram) == 0)
        GTEST_SKIP();
    const ChildResult child = RunInstaller("InstallAndVanish");
    ASSERT_TRUE(child.finished) << child.output;
    ASSERT_NE(std::string::npos, child.output.find("installed ")) << child.output;
    const DWORD helperHook = dataSeg->keyboardHook;
    EXPECT_NE(0u, helperHook) << "the helper's handles stay behind";
    EXPECT_NE(0u, dataSeg->keyboardHookProcess);
    Install(platformXP);
    EXPECT_EQ(GetCurrentProcessId(), dataSeg->keyboardHookProcess);
    ExpectHooksReport();
    // Windows removes the hooks of an ended process; Wine keeps a terminated one's per-process hook.
    UnhookWindowsHookEx(HandleFromWord<HHOOK>(helperHook));
}

TEST_F(StaleHooks, InstallerThatExitsTakesItsHooksAlong)
{
    if (_stricmp(OwnFileName().c_str(), InstallerProgram) == 0)
        GTEST_SKIP();
    const ChildResult child = RunInstaller("InstallAndExit");
    ASSERT_TRUE(child.finished) << child.output;
    ASSERT_NE(std::string::npos, child.output.find("installed ")) << child.output;
    EXPECT_EQ(0u, dataSeg->keyboardHook);
    EXPECT_EQ(0u, dataSeg->lowLevelKeyboardHook);
    EXPECT_EQ(0u, dataSeg->keyboardHookProcess);
    Install(platformXP);
    ExpectHooksReport();
}

// Hooks end with the thread that set them (Wine keeps the per-process one: no second one may stay).
TEST_F(StaleHooks, HooksOfAThreadThatEndedAreReplaced)
{
    dataSeg->platformClass = platformXP;
    ASSERT_EQ(0u, RunThread(InstallAndEnd, NULL));
    EXPECT_NE(0u, dataSeg->keyboardHook) << "the thread's handles stay behind";
    Install(platformXP);
    ExpectHooksReport();
    InstallHook(FALSE);
    Settle();
    ClearRecords();
    ExpectHooksReport(Notes{});
}

// This program set the per-process hook, the helper only the low-level one.
TEST_F(StaleHooks, AnotherProgramsExitLeavesThisProgramsHook)
{
    if (_stricmp(OwnFileName().c_str(), InstallerProgram) == 0)
        GTEST_SKIP();
    Install(platformOther);
    const DWORD mine = dataSeg->keyboardHook;
    ASSERT_NE(0u, mine);
    const ChildResult child = RunInstaller("InstallAndExit");
    ASSERT_TRUE(child.finished) << child.output;
    EXPECT_EQ(mine, dataSeg->keyboardHook);
    EXPECT_EQ(0u, dataSeg->lowLevelKeyboardHook) << "the helper's hook went with it";
    Install(platformXP);
    EXPECT_EQ(mine, dataSeg->keyboardHook);
    ExpectHooksReport();
}

}  // namespace
