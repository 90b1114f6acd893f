// The tray application end to end with the product's 32-bit files: Quelmar.exe starts the stand-in
// property program, binds hoppet.dll and starts the hook with its frame; a held side button scrolls a
// window of this process; when the property program ends, the tray application stops the hook and ends.
// Real X input and the fixed names: part of a SERIAL program.
#include "ChildProcess.h"
#include "HookTestSupport.h"
#include "MessagePump.h"
#include "tests/support/ProcessWindow.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <string>

namespace {

const char installKey[] = "Software\\Ferrowin";
// Emulation margins: a start-up under qemu takes seconds, and input can still arrive a second late.
const DWORD startLimit = 30000;
const DWORD inputLimit = 10000;

HWND PlindorWindow()
{
    return FindWindowA("PlindorStandIn", "Plindor");
}

// The tray application's frame: its top-level window titled "Quelmar".
HWND FrameOf(DWORD processId)
{
    return TopLevelWindowOf(processId, "Quelmar");
}

// The words of hoppet.dll's shared section, as every process that loads the same file sees them.
const DWORD* SharedWords(HMODULE library)
{
    const BYTE* base = reinterpret_cast<const BYTE*>(library);
    auto headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section)
        if (memcmp(section->Name, ".HOOKDAT", 8) == 0)
            return reinterpret_cast<const DWORD*>(base + section->VirtualAddress);
    return nullptr;
}

bool Copy(const std::string& from, const std::string& to)
{
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

}  // namespace

TEST(TrayEndToEnd32, StartHookSideButtonScrollAndCloseDown)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string root = std::string(temp) + "tray-e2e-" + std::to_string(GetCurrentProcessId());
    const std::string app = root + "\\app", program = root + "\\prog";
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA(app.c_str(), nullptr);
    CreateDirectoryA(program.c_str(), nullptr);
    ASSERT_EQ(nullptr, PlindorWindow()) << "a stand-in property program is still running";
    ASSERT_TRUE(Copy(ProgramFolder() + "Quelmar.exe", program + "\\Quelmar.exe"));
    ASSERT_TRUE(Copy(ProgramFolder() + "hoppet.dll", app + "\\hoppet.dll"));
    ASSERT_TRUE(Copy(ProgramFolder() + "PLINDOR.EXE", app + "\\PLINDOR.EXE"));
    HANDLE settings = CreateFileA((app + "\\VELDA.DAT").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, settings);
    std::string zeros(2048, '\0');   // both side buttons scroll
    DWORD written = 0;
    WriteFile(settings, zeros.data(), 2048, &written, nullptr);
    CloseHandle(settings);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, installKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &key, nullptr));
    RegSetValueExA(key, "AppPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(app.c_str()), static_cast<DWORD>(app.size() + 1));
    RegCloseKey(key);

    // The same file as the tray application binds: its shared section shows the hook's state.
    HMODULE library = LoadLibraryA((app + "\\hoppet.dll").c_str());
    ASSERT_TRUE(library != nullptr);
    const DWORD* words = SharedWords(library);
    ASSERT_TRUE(words != nullptr);

    DWORD quelmarId = 0;
    HANDLE quelmar = StartProgram(program + "\\Quelmar.exe", "", root.c_str(), &quelmarId);
    ASSERT_TRUE(quelmar != nullptr);
    HWND frame = nullptr;
    const bool bound = PumpUntil([&] {
        frame = FrameOf(quelmarId);
        return frame && words[4] == HandleToUlong(frame) && (words[1] || words[2]);
    }, startLimit);
    EXPECT_TRUE(bound) << "owner word " << words[4] << ", hooks " << words[1] << " " << words[2];
    HWND plindor = PlindorWindow();
    EXPECT_TRUE(plindor != nullptr);

    if (bound) {
        ASSERT_TRUE(RegisterRecorderClasses());
        HWND target = MakeRecorder("FerrowinRecorder", WS_HSCROLL, 100, 100, 300, 200, nullptr);
        ASSERT_TRUE(target != nullptr);
        EXPECT_TRUE(MoveCursor(POINT{250, 180}));
        Drain();
        g_messageLog.Clear();
        EXPECT_TRUE(RunHostCommand("/usr/bin/xdotool mousemove 250 180 mousedown 9 sleep 0.5 mouseup 9"));
        EXPECT_TRUE(PumpUntil([target] { return CountOf(g_messageLog.Sequence({target}), WM_XBUTTONUP) != 0; },
                              inputLimit))
            << "the side button's release never arrived";
        Drain();
        ExpectSequence({target}, Held({Scrolls(SB_LINERIGHT)}, Button(WM_XBUTTONUP, XBUTTON2)));
        DestroyWindow(target);
    }

    // The property program ends: the tray application stops the hook and ends.
    if (plindor)
        PostMessageA(plindor, RegisterWindowMessageA("Plindor exit"), 0, 0);
    EXPECT_TRUE(PumpUntil([quelmar] { return WaitForSingleObject(quelmar, 0) == WAIT_OBJECT_0; }, startLimit))
        << "the tray application did not end";
    EXPECT_EQ(0u, words[1]);
    EXPECT_EQ(0u, words[2]);
    if (WaitForSingleObject(quelmar, 0) != WAIT_OBJECT_0)
        TerminateProcess(quelmar, 99);
    CloseHandle(quelmar);
    FreeLibrary(library);
    PumpUntil([] { return PlindorWindow() == nullptr; }, 5000);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, installKey);
    const char* files[] = {"\\app\\PLINDOR.EXE", "\\app\\hoppet.dll", "\\app\\VELDA.DAT", "\\app\\plindor.log",
                           "\\prog\\Quelmar.exe"};
    for (const char* file : files)
        DeleteFileA((root + file).c_str());
    RemoveDirectoryA(app.c_str());
    RemoveDirectoryA(program.c_str());
    RemoveDirectoryA(root.c_str());
}
