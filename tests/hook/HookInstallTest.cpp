// Installing the mouse hook as each Windows version sees it: helper processes (copies of this program
// with their own Windows version) load hoppet.dll and call StartHook and StopHook, while this process,
// which has the library loaded too, watches the words of the shared section. Installs real hooks and
// opens the fixed block name: runs alone.
#include "ChildProcess.h"
#include "hook/HookExports.h"
#include "hook/HookShared.h"
#include "shared/MouseProtocol.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <string>

namespace {

const DWORD waitLimit = 20000;

// The library's shared section as mapped into this process.
HookShared* SharedSectionOf(HMODULE module)
{
    BYTE* base = (BYTE*)module;
    IMAGE_NT_HEADERS* headers = (IMAGE_NT_HEADERS*)(base + ((IMAGE_DOS_HEADER*)base)->e_lfanew);
    IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section)
        if (memcmp(section->Name, ".HOOKDAT", 8) == 0 && section->Misc.VirtualSize >= sizeof(HookShared))
            return (HookShared*)(base + section->VirtualAddress);
    return nullptr;
}

std::string Tag(const char* what)
{
    char tag[96];
    sprintf(tag, "ferrowin_hooktest_%lu_%s", GetCurrentProcessId(), what);
    return tag;
}

// A copy of this program that Wine runs as the given Windows version.
std::string ProgramForVersion(const char* version)
{
    return CopySelfAsVersion(std::string("hook_install_") + version + ".exe", version);
}

struct Snapshot {
    DWORD mouseHook, lowLevelHook, instanceRecorded, ownerWindow, lowLevelMode;
};

Snapshot Take(const HookShared* shared)
{
    return {shared->mouseHook, shared->lowLevelHook, shared->instanceRecorded, shared->ownerWindow,
            shared->lowLevelMode};
}

// ---- helper process ----

// --hook TAG: StartHook with a first window, TAG_first, then (after TAG_next) with a second one, then
// (after TAG_stop) StopHook. Exit code 100 + StopHook's result, or below 100 on a failed step.
int ChildHook(const std::string& tag)
{
    HANDLE first = OpenEventA(EVENT_MODIFY_STATE, FALSE, (tag + "_first").c_str());
    HANDLE second = OpenEventA(EVENT_MODIFY_STATE, FALSE, (tag + "_second").c_str());
    HANDLE next = OpenEventA(SYNCHRONIZE, FALSE, (tag + "_next").c_str());
    HANDLE stop = OpenEventA(SYNCHRONIZE, FALSE, (tag + "_stop").c_str());
    if (!first || !second || !next || !stop)
        return 1;
    HMODULE library = LoadLibraryA("hoppet.dll");
    if (!library)
        return 2;
    StartHookFunction startHook = (StartHookFunction)GetProcAddress(library, "StartHook");
    StopHookFunction stopHook = (StopHookFunction)GetProcAddress(library, "StopHook");
    if (!startHook || !stopHook)
        return 3;
    HWND window1 = CreateWindowA("STATIC", (tag + "_window1").c_str(), 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND window2 = CreateWindowA("STATIC", (tag + "_window2").c_str(), 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    if (!window1 || !window2)
        return 4;
    if (startHook(window1) != 1)
        return 5;
    SetEvent(first);
    if (WaitForSingleObject(next, waitLimit) != WAIT_OBJECT_0)
        return 6;
    if (startHook(window2) != 1)
        return 7;
    SetEvent(second);
    if (WaitForSingleObject(stop, waitLimit) != WAIT_OBJECT_0)
        return 8;
    return 100 + stopHook();
}

// --instance: loads the library; 0 when this process's module became the hooks' module.
int ChildInstance()
{
    HMODULE library = LoadLibraryA("hoppet.dll");
    if (!library)
        return 2;
    HookShared* shared = SharedSectionOf(library);
    if (!shared)
        return 3;
    return shared->instanceRecorded == 1 && shared->hookInstance == (HINSTANCE)library ? 0 : 4;
}

class HookInstall : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        library = LoadLibraryA("hoppet.dll");
        shared = library ? SharedSectionOf(library) : nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(library != nullptr) << "hoppet.dll not found beside the test";
        ASSERT_TRUE(shared != nullptr) << "no .HOOKDAT section";
    }

    // Runs the --hook helper as the given Windows version and checks the section at each step.
    void CheckStartAndStop(const char* version, bool expectLowLevel)
    {
        SCOPED_TRACE(version);
        std::string exe = ProgramForVersion(version);
        ASSERT_FALSE(exe.empty());
        std::string tag = Tag(version);
        HANDLE first = CreateEventA(nullptr, TRUE, FALSE, (tag + "_first").c_str());
        HANDLE second = CreateEventA(nullptr, TRUE, FALSE, (tag + "_second").c_str());
        HANDLE next = CreateEventA(nullptr, TRUE, FALSE, (tag + "_next").c_str());
        HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, (tag + "_stop").c_str());
        HANDLE child = StartProgram(exe, "--hook " + tag);
        ASSERT_TRUE(child != nullptr);

        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, waitLimit));
        Snapshot afterFirst = Take(shared);
        HWND window1 = FindWindowA("Static", (tag + "_window1").c_str());
        EXPECT_TRUE(window1 != nullptr);
        EXPECT_EQ(HandleToUlong(window1), afterFirst.ownerWindow);
        if (expectLowLevel) {
            EXPECT_NE(0u, afterFirst.lowLevelHook) << "WH_MOUSE_LL installed";
            EXPECT_EQ(0u, afterFirst.mouseHook);
            EXPECT_EQ(1u, afterFirst.lowLevelMode);
        } else {
            EXPECT_NE(0u, afterFirst.mouseHook) << "WH_MOUSE installed";
            EXPECT_EQ(0u, afterFirst.lowLevelHook);
            EXPECT_EQ(0u, afterFirst.lowLevelMode);
        }

        SetEvent(next);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(second, waitLimit));
        Snapshot afterSecond = Take(shared);
        EXPECT_EQ(0, memcmp(&afterFirst, &afterSecond, sizeof afterFirst)) << "a second StartHook changes nothing";

        SetEvent(stop);
        // StopHook reports the removal of the per-process hook only.
        EXPECT_EQ(expectLowLevel ? 100u : 101u, WaitExit(child, waitLimit));
        Snapshot afterStop = Take(shared);
        EXPECT_EQ(0u, afterStop.mouseHook);
        EXPECT_EQ(0u, afterStop.lowLevelHook);
        EXPECT_EQ(0u, afterStop.ownerWindow);
        EXPECT_EQ(0u, afterStop.instanceRecorded);

        // The next process to load the library records its own module again.
        HANDLE instance = StartProgram(exe, "--instance");
        ASSERT_TRUE(instance != nullptr);
        EXPECT_EQ(0u, WaitExit(instance, waitLimit));
        EXPECT_EQ(1u, shared->instanceRecorded);

        CloseHandle(first);
        CloseHandle(second);
        CloseHandle(next);
        CloseHandle(stop);
        DeleteFileA(exe.c_str());
    }

    static HMODULE library;
    static HookShared* shared;
};

HMODULE HookInstall::library;
HookShared* HookInstall::shared;

TEST_F(HookInstall, LoadingOpensTheMouseStateBlock)
{
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, mouseStateBlock);
    ASSERT_TRUE(mapping != nullptr);
    const BYTE* view = (const BYTE*)MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_TRUE(view != nullptr);
    DWORD count, size;
    memcpy(&count, view, 4);
    memcpy(&size, view + 4, 4);
    EXPECT_EQ(3u, count);
    EXPECT_EQ(512u, size);
    const struct {
        DWORD offset;
        const char* name;
        DWORD size;
    } items[] = {{8, itemMousePosition, 8}, {100, itemMouseOwner, 4}, {188, itemRoundMap, 4}};
    for (const auto& item : items) {
        WCHAR name[40] = {};
        MultiByteToWideChar(CP_ACP, 0, item.name, -1, name, 40);
        EXPECT_EQ(0, memcmp(view + item.offset, name, sizeof name)) << item.name;
        DWORD valueSize;
        memcpy(&valueSize, view + item.offset + 80, 4);
        EXPECT_EQ(item.size, valueSize) << item.name;
    }
    UnmapViewOfFile(view);
    CloseHandle(mapping);
}

TEST_F(HookInstall, OlderFamilyInstallsThePerProcessHook)
{
    CheckStartAndStop("win98", false);
    CheckStartAndStop("winme", false);
    // 95 reports 4.0 like NT 4.0, but has no low-level hooks.
    CheckStartAndStop("win95", false);
}

TEST_F(HookInstall, NtFamilyInstallsTheLowLevelHook)
{
    CheckStartAndStop("nt40", true);
    CheckStartAndStop("win2k", true);
    CheckStartAndStop("winxp", true);
}

TEST_F(HookInstall, StopHookWithoutAHook)
{
    StopHookFunction stopHook = (StopHookFunction)GetProcAddress(library, "StopHook");
    ASSERT_TRUE(stopHook != nullptr);
    EXPECT_EQ(0, stopHook());
    EXPECT_EQ(0u, shared->instanceRecorded);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && strcmp(argv[1], "--hook") == 0)
        return ChildHook(argv[2]);
    if (argc >= 2 && strcmp(argv[1], "--instance") == 0)
        return ChildInstance();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
