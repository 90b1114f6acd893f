// Quelmar.exe from the outside: it starts the property program from the installation folder, binds the
// hook library and calls StartHook with its frame, lets one copy run, and closes itself when the property
// program ends. The property program is the stand-in PLINDOR.EXE (which logs its starts to plindor.log);
// the hook library is a stand-in "hoppet.dll" that logs its calls to hookcalls.log.
#include "tests/support/ChildProcess.h"
#include "tests/support/LaneFactor.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RegistryScratch.h"
#include "tests/support/ProcessWindow.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return lines;
    char line[512];
    while (fgets(line, sizeof line, file)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        lines.push_back(text);
    }
    fclose(file);
    return lines;
}

int CountStartingWith(const std::vector<std::string>& lines, const std::string& prefix)
{
    int count = 0;
    for (const std::string& line : lines)
        if (line.compare(0, prefix.size(), prefix) == 0)
            count++;
    return count;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += "  " + line + "\n";
    return text.empty() ? "  (nothing)\n" : text;
}

bool WaitForProcess(HANDLE process, DWORD timeout)
{
    return PumpUntil([process] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeout);
}

// The tray application's frame: its top-level window titled "Quelmar".
HWND QuelmarFrame(DWORD processId)
{
    return TopLevelWindowOf(processId, "Quelmar");
}

HWND PlindorWindow()
{
    return FindWindowA("PlindorStandIn", "Plindor");
}

class QuelmarStartup : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        root = std::string(temp) + "quelmar-startup-" + std::to_string(GetCurrentProcessId());
        app = root + "\\app";
        program = root + "\\prog";
        CreateDirectoryA(root.c_str(), nullptr);
        CreateDirectoryA(app.c_str(), nullptr);
        CreateDirectoryA(program.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "Quelmar.exe").c_str(), (program + "\\Quelmar.exe").c_str(), FALSE));
        plindorLog = app + "\\plindor.log";
        hookLog = app + "\\hookcalls.log";
        DeleteFileA(plindorLog.c_str());
        DeleteFileA(hookLog.c_str());
        ASSERT_EQ(nullptr, PlindorWindow()) << "a stand-in property program is still running";
    }

    void TearDown() override
    {
        for (HANDLE process : started) {
            if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0)
                TerminateProcess(process, 99);
            CloseHandle(process);
        }
        // Wait for the stand-in's process, not only its window: it logs its exit after the window is gone,
        // and a late line (or a log still open for it) would reach the next test.
        HWND plindor = PlindorWindow();
        if (plindor) {
            DWORD plindorId = 0;
            GetWindowThreadProcessId(plindor, &plindorId);
            HANDLE plindorProcess = OpenProcess(SYNCHRONIZE, FALSE, plindorId);
            PostMessage(plindor, WM_CLOSE, 0, 0);
            if (plindorProcess) {
                WaitForProcess(plindorProcess, 5000);
                CloseHandle(plindorProcess);
            }
        }
        PumpUntil([] { return PlindorWindow() == nullptr; }, 3000);
        const char* files[] = {"\\app\\PLINDOR.EXE", "\\app\\hoppet.dll", "\\app\\plindor.log",
                               "\\app\\hookcalls.log", "\\prog\\Quelmar.exe"};
        for (const char* file : files)
            DeleteFileA((root + file).c_str());
        RemoveDirectoryA(app.c_str());
        RemoveDirectoryA(program.c_str());
        RemoveDirectoryA(root.c_str());
    }

    void InstallPropertyProgram() { ASSERT_TRUE(CopyFileA((ProgramFolder() + "PLINDOR.EXE").c_str(), (app + "\\PLINDOR.EXE").c_str(), FALSE)); }

    void InstallHookLibrary(const char* builtName)
    {
        ASSERT_TRUE(CopyFileA((ProgramFolder() + builtName).c_str(), (app + "\\hoppet.dll").c_str(), FALSE));
    }

    void WriteInstallKey() { ASSERT_TRUE(installFolder.Set(app)); }

    void RemoveInstallKey() { installFolder.RemoveKey(); }

    // Starts the copy in prog\ with the given arguments and current directory.
    PROCESS_INFORMATION StartQuelmar(const std::string& arguments, const std::string& folder)
    {
        PROCESS_INFORMATION process = {};
        process.hProcess = StartProgram(program + "\\Quelmar.exe", arguments, folder.c_str(), &process.dwProcessId);
        EXPECT_TRUE(process.hProcess) << GetLastError();
        if (process.hProcess)
            started.push_back(process.hProcess);
        return process;
    }

    DWORD ExitCode(HANDLE process)
    {
        DWORD code = 12345;
        GetExitCodeProcess(process, &code);
        return code;
    }

    std::string root, app, program, plindorLog, hookLog;
    std::vector<HANDLE> started;
    InstallFolderValue installFolder;
};

}  // namespace

TEST_F(QuelmarStartup, StartsThePropertyProgramInstallsTheHookAndClosesWhenItEnds)
{
    InstallPropertyProgram();
    InstallHookLibrary("fakehoppet.dll");
    WriteInstallKey();

    double launched = Now();
    PROCESS_INFORMATION quelmar = StartQuelmar("", root);
    ASSERT_TRUE(quelmar.hProcess);

    ASSERT_TRUE(PumpUntil([this] { return CountStartingWith(ReadLines(hookLog), "StartHook") > 0; }, 15000))
        << "hook library calls:\n" << Joined(ReadLines(hookLog));
    double hooked = Now();
    printf("start-up until StartHook: %.0f ms\n", hooked - launched);

    // The worker started the property program in the installation folder, before the hook was bound.
    HWND plindor = PlindorWindow();
    ASSERT_TRUE(plindor);
    std::vector<std::string> starts = ReadLines(plindorLog);
    ASSERT_EQ(1, CountStartingWith(starts, "start ")) << Joined(starts);
    std::string startFolder = starts[0].substr(starts[0].find(" in ") + 4);
    EXPECT_EQ(0, _stricmp(app.c_str(), startFolder.c_str())) << startFolder;

    // StartHook got the hidden frame, the window that receives "Open quimbel".
    HWND frame = QuelmarFrame(quelmar.dwProcessId);
    ASSERT_TRUE(frame);
    EXPECT_FALSE(IsWindowVisible(frame));
    char expected[64];
    snprintf(expected, sizeof expected, "StartHook %lx", HandleToUlong(frame));
    std::vector<std::string> calls = ReadLines(hookLog);
    EXPECT_EQ((std::vector<std::string>{"load", expected}), calls) << Joined(calls);

    // A second copy ends at the mutex without a window and without touching the hook; as the property
    // program's window is up, it first opens that program again (the stand-in's second copy ends at once).
    PROCESS_INFORMATION second = StartQuelmar("", root);
    ASSERT_TRUE(WaitForProcess(second.hProcess, 10000));
    EXPECT_EQ(0u, ExitCode(second.hProcess));
    EXPECT_EQ(frame, QuelmarFrame(quelmar.dwProcessId));
    EXPECT_TRUE(PumpUntil([this] { return CountStartingWith(ReadLines(plindorLog), "second copy") == 1; }, 5000))
        << Joined(ReadLines(plindorLog));
    EXPECT_EQ(calls, ReadLines(hookLog)) << "the second copy went through frame creation";
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(quelmar.hProcess, 0));

    // The property program ends: the tray application closes itself within one watchdog interval or so.
    DWORD plindorId = 0;
    GetWindowThreadProcessId(plindor, &plindorId);
    HANDLE plindorProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, plindorId);
    ASSERT_TRUE(plindorProcess);
    PostMessage(plindor, RegisterWindowMessageA("Plindor exit"), 7, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(plindorProcess, 5000));
    double plindorGone = Now();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(quelmar.hProcess, 5000));
    double quelmarGone = Now();
    double delay = quelmarGone - plindorGone;
    printf("close-down after the property program ended: %.1f ms (watchdog interval 30 ms)\n", delay);
    EXPECT_LT(delay, 2500.0 * LaneFactor());   // generous: a loaded machine delays the wait, not the watchdog
    EXPECT_EQ(7u, ExitCode(plindorProcess));
    CloseHandle(plindorProcess);

    EXPECT_EQ(0u, ExitCode(quelmar.hProcess));
    EXPECT_EQ((std::vector<std::string>{"load", expected, "StopHook", "unload"}), ReadLines(hookLog))
        << Joined(ReadLines(hookLog));
}

TEST_F(QuelmarStartup, PropertyProgramMissingClosesAtTheFirstTick)
{
    InstallHookLibrary("fakehoppet.dll");
    WriteInstallKey();

    double launched = Now();
    PROCESS_INFORMATION quelmar = StartQuelmar("", root);
    ASSERT_TRUE(WaitForProcess(quelmar.hProcess, 15000));
    double ended = Now();
    double lifetime = ended - launched;
    printf("lifetime without the property program: %.0f ms\n", lifetime);
    // The worker pauses 2 s after trying to start it, the frame 1 s more; then the first tick closes it.
    EXPECT_GE(lifetime, 2900.0);
    EXPECT_LT(lifetime, 8000.0 * LaneFactor());
    EXPECT_EQ(0u, ExitCode(quelmar.hProcess));
    std::vector<std::string> calls = ReadLines(hookLog);
    ASSERT_EQ(4u, calls.size()) << Joined(calls);
    EXPECT_EQ(1, CountStartingWith(calls, "StartHook"));
    EXPECT_EQ("StopHook", calls[2]);
    EXPECT_TRUE(ReadLines(plindorLog).empty());
}

TEST_F(QuelmarStartup, InstallKeyMissingArgumentsWithBackslashLeaveTheFolder)
{
    // No "Software\Ferrowin": nothing is started and the worker leaves the current directory alone. The
    // arguments hold a backslash, so the program's own folder is not entered either: the hook library is
    // found in the folder the program was started in.
    RemoveInstallKey();
    InstallHookLibrary("fakehoppet.dll");

    double launched = Now();
    PROCESS_INFORMATION quelmar = StartQuelmar("C:\\data\\file.txt", app);
    ASSERT_TRUE(WaitForProcess(quelmar.hProcess, 15000));
    double ended = Now();
    double lifetime = ended - launched;
    printf("lifetime without the installation key: %.0f ms\n", lifetime);
    EXPECT_GE(lifetime, 900.0);
    EXPECT_LT(lifetime, 2900.0);   // no 2 s pause: no start was tried
    EXPECT_EQ(0u, ExitCode(quelmar.hProcess));
    std::vector<std::string> calls = ReadLines(hookLog);
    EXPECT_EQ(1, CountStartingWith(calls, "StartHook")) << Joined(calls);
    EXPECT_EQ(1, CountStartingWith(calls, "StopHook")) << Joined(calls);
}

TEST_F(QuelmarStartup, CommandLineNamingTheProgramEntersItsFolder)
{
    // The same start without arguments: the program's own folder (which has no hook library) becomes the
    // current directory, so the library beside the start folder is not found and nothing is hooked.
    RemoveInstallKey();
    InstallHookLibrary("fakehoppet.dll");
    PROCESS_INFORMATION quelmar = StartQuelmar("", app);
    ASSERT_TRUE(WaitForProcess(quelmar.hProcess, 15000));
    EXPECT_EQ(0u, ExitCode(quelmar.hProcess));
    EXPECT_TRUE(ReadLines(hookLog).empty()) << Joined(ReadLines(hookLog));
}

TEST_F(QuelmarStartup, HookLibraryWithoutStopHookIsNotStarted)
{
    RemoveInstallKey();
    InstallHookLibrary("fakehoppet-nostop.dll");
    PROCESS_INFORMATION quelmar = StartQuelmar("C:\\data\\file.txt", app);
    ASSERT_TRUE(WaitForProcess(quelmar.hProcess, 15000));
    EXPECT_EQ(0u, ExitCode(quelmar.hProcess));
    // Loaded and freed again, but StartHook never called.
    EXPECT_EQ((std::vector<std::string>{"load", "unload"}), ReadLines(hookLog)) << Joined(ReadLines(hookLog));
}

TEST_F(QuelmarStartup, SystemWithoutNotificationAreaEndsAtFrameCreation)
{
    // A copy under another name that Wine reports as Windows 3.1: the tray icon cannot be created, the
    // frame's creation fails, and the program ends before the worker is started.
    InstallPropertyProgram();
    InstallHookLibrary("fakehoppet.dll");
    WriteInstallKey();
    std::string oldCopy = program + "\\QuelOld.exe";
    ASSERT_TRUE(CopyFileA((program + "\\Quelmar.exe").c_str(), oldCopy.c_str(), FALSE));
    ASSERT_TRUE(SetAppDefault("QuelOld.exe", nullptr, "Version", "win31"));

    HANDLE process = StartProgram(oldCopy, "", root.c_str());
    ASSERT_TRUE(process);
    started.push_back(process);
    bool finished = WaitForProcess(process, 10000);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\QuelOld.exe");
    DeleteFileA(oldCopy.c_str());
    ASSERT_TRUE(finished);
    EXPECT_EQ(0u, ExitCode(process));
    EXPECT_TRUE(ReadLines(plindorLog).empty()) << Joined(ReadLines(plindorLog));
    EXPECT_TRUE(ReadLines(hookLog).empty()) << "the frame was created: " << Joined(ReadLines(hookLog));
}

// The popup menu window of a process, when one is open.
HWND MenuOf(DWORD processId)
{
    for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu;
         menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(menu, &owner);
        if (owner == processId && IsWindowVisible(menu))
            return menu;
    }
    return nullptr;
}

TEST_F(QuelmarStartup, TrayMenuExitClosesTheTrayApplicationOnly)
{
    InstallPropertyProgram();
    InstallHookLibrary("fakehoppet.dll");
    WriteInstallKey();
    PROCESS_INFORMATION quelmar = StartQuelmar("", root);
    ASSERT_TRUE(PumpUntil([this] { return CountStartingWith(ReadLines(hookLog), "StartHook") > 0; }, 15000));
    HWND frame = QuelmarFrame(quelmar.dwProcessId);
    ASSERT_TRUE(frame);
    const UINT iconNotify = RegisterWindowMessageA("MY_ICON_NOTIFY");
    const WPARAM trayMenuId = 130;

    // A notification for another icon id shows nothing.
    PostMessage(frame, iconNotify, trayMenuId + 1, WM_RBUTTONUP);
    EXPECT_FALSE(PumpUntil([&] { return MenuOf(quelmar.dwProcessId) != nullptr; }, 700));

    // A right click opens the menu on the frame; its last item, "Exit", closes the tray application.
    PostMessage(frame, iconNotify, trayMenuId, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = MenuOf(quelmar.dwProcessId)) != nullptr; }, 5000));
    PostMessage(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessage(menu, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitForProcess(quelmar.hProcess, 5000));
    EXPECT_EQ(0u, ExitCode(quelmar.hProcess));
    std::vector<std::string> calls = ReadLines(hookLog);
    EXPECT_EQ(1, CountStartingWith(calls, "StopHook")) << Joined(calls);
    // The property program is not the tray application's to end.
    EXPECT_TRUE(PlindorWindow() != nullptr);
}

TEST_F(QuelmarStartup, PropertyWindowPresentAtStartOpensTheProgramAgain)
{
    InstallPropertyProgram();
    WriteInstallKey();

    // Some window titled "Plindor" is up already. The stand-in ends at once when it sees one, so both the
    // re-open and the worker's start end immediately, and the tray application closes at its first tick.
    HWND present = CreateWindowExA(0, "STATIC", "Plindor", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(present);
    PROCESS_INFORMATION quelmar = StartQuelmar("", root);
    bool ended = WaitForProcess(quelmar.hProcess, 15000);
    DestroyWindow(present);
    ASSERT_TRUE(ended);
    EXPECT_EQ(0u, ExitCode(quelmar.hProcess));
    // Nothing waits for the re-opened copy, so under load it may log after the tray application ended.
    PumpUntil([this] { return CountStartingWith(ReadLines(plindorLog), "second copy") >= 2; }, 10000);
    std::vector<std::string> starts = ReadLines(plindorLog);
    EXPECT_EQ(2, CountStartingWith(starts, "second copy")) << Joined(starts);
    EXPECT_EQ(0, CountStartingWith(starts, "start ")) << Joined(starts);
}
