// The library leaving a process: its timers go with it, and hooks of a keyboard application that ended
// without removing them do not keep a later InstallHook from installing.
#include "ChildProcess.h"
#include "KeyboardHarness.h"
#include "PlatformClass.h"
#include "Vorrin.h"
#include <stdio.h>

namespace {

typedef std::vector<NoteRecord> Notes;

const char UnloadCopy[] = "vorrin_unload.dll";
const char InstallerProgram[] = "kbdinstaller.exe";
const LPARAM WindowsPress = (LPARAM)((0x5B << 16) | 0x01000001);
const LPARAM WindowsRelease = (LPARAM)(WindowsPress | 0xC0000000);

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

    // Freed within the Windows key's 50 ms.
    HOOKPROC procedure = LoadCopy();
    ASSERT_NE(nullptr, procedure);
    ASSERT_NE(nullptr, copyData);
    EXPECT_EQ(1, procedure(HC_ACTION, VK_LWIN, WindowsPress));
    const UINT_PTR winKeyTimer = copyData->winKeyTimer;
    ASSERT_NE(0u, winKeyTimer);
    EXPECT_TRUE(PumpUntil([] { return KeyHeld(VK_SHIFT); }, 30));
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

class StaleHooks : public KeyboardHookTest {
protected:
    // Runs the helper with both hooks (class 6) while this process keeps the library loaded.
    ChildResult RunInstaller(const char* test)
    {
        dataSeg->platformClass = PlatformXP;
        const std::string path = CopySelfAs(InstallerProgram);
        EXPECT_FALSE(path.empty());
        ChildResult result = RunChild(path, std::string("--gtest_filter=StaleHookInstaller.") + test, 30000, true);
        DeleteFileA(path.c_str());
        return result;
    }

    // Both hooks of this process report: the low-level one a function key, the per-process one Windows+E.
    void ExpectHooksReport()
    {
        Tap(0xFF, 0x40);
        Key(VK_LWIN, 0x5B, false, true);
        Tap('E', 0x12);
        Key(VK_LWIN, 0x5B, true, true);
        Settle();
        EXPECT_EQ((Notes{{4, 1}, {2, 182}}), notes);
    }
};

TEST_F(StaleHooks, InstallerThatEndedWithoutRemovingThemIsReplaced)
{
    if (_stricmp(OwnFileName().c_str(), InstallerProgram) == 0)
        GTEST_SKIP();
    const ChildResult child = RunInstaller("InstallAndVanish");
    ASSERT_TRUE(child.finished) << child.output;
    ASSERT_NE(std::string::npos, child.output.find("installed ")) << child.output;
    EXPECT_NE(0u, dataSeg->keyboardHook) << "the helper's handles stay behind";
    EXPECT_NE(0u, dataSeg->installingProcess);
    Install(PlatformXP);
    EXPECT_EQ(GetCurrentProcessId(), dataSeg->installingProcess);
    ExpectHooksReport();
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
    EXPECT_EQ(0u, dataSeg->installingProcess);
    Install(PlatformXP);
    ExpectHooksReport();
}

}  // namespace
