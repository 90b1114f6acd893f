// The uninstaller stand-in: an install undone from its log, and a malformed log that must not lead it
// outside the destination and group folders. The registry of the prefix is real here (the uninstaller is
// another process).
#include "ChildProcess.h"
#include "InstallFixture.h"
#include "setup/install/InstallNames.h"
#include <gtest/gtest.h>

namespace {

std::string Uninstaller()
{
    return ProgramFolder() + "uninst00.exe";
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

void SetRunValue(const char* name, const std::string& data)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, runKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &key, nullptr));
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
}

void DeleteRunValue(const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKeyPath, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
}

TEST(Uninstaller, UndoesWhatTheLogListsAndNothingElse)
{
    InstallFixture run("uninstall");
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof(windows));
    std::string systemCopy = std::string(windows) + "\\system\\HESKAR.VXD";
    SetRunValue("FerrowinOther", "C:\\other\\program.exe");
    ASSERT_TRUE(run.scratch.Write("dest\\Ferrowin\\Keyboard\\user notes.txt", "mine"));
    {
        RegistryOverride userOnly(run.programs, false);
        run.RunAll();
    }
    std::string uninstaller = run.destination + "\\uninst00.exe";
    ASSERT_TRUE(CopyFileA(Uninstaller().c_str(), uninstaller.c_str(), FALSE));
    ASSERT_TRUE(Exists(systemCopy));

    ChildResult result = RunChild(uninstaller, "", 30000);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(1u, result.exitCode) << result.output;   // the destination folder is not empty
    EXPECT_NE(std::string::npos, result.output.find("not removed destination folder")) << result.output;

    for (const char* name : {"Orvel.mk", "OSTREL.EXE", "DRAVEN.EXE", "zelt32s.dll", "uninst.un2", "uninst00.log"})
        EXPECT_FALSE(Exists(run.destination + "\\" + name)) << name;
    EXPECT_FALSE(Exists(systemCopy));
    EXPECT_FALSE(Exists(run.group));
    EXPECT_EQ(0u, ReadMachineValue(runKeyPath, runValueName).type);
    EXPECT_EQ(0u, ReadMachineValue((std::string(uninstallKeyBase) + "\\" + InstallFixture::product).c_str(),
                                   "DisplayName").type);
    // What the log does not list stays.
    for (const char* name : {"user notes.txt", "MouInfo.ini", "SETTING.INI", "uninst00.exe"})
        EXPECT_TRUE(Exists(run.destination + "\\" + name)) << name;
    EXPECT_EQ(REG_SZ, ReadMachineValue("Software\\T63Keyboard", "AppPath").type);
    EXPECT_EQ(REG_DWORD, ReadMachineValue("SOFTWARE\\ZERUVIZIRE\\FerrowinTestMain", "INSTALLCOUNT").type);
    EXPECT_EQ(REG_SZ, ReadMachineValue(runKeyPath, "FerrowinOther").type);

    DeleteRunValue("FerrowinOther");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\T63Keyboard");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ZERUVIZIRE\\FerrowinTestMain");
}

TEST(Uninstaller, MalformedLogIsReportedAndStaysInItsFolders)
{
    ScratchFolder scratch("malformed");
    std::string destination = scratch.Path() + "\\dest";
    std::string outside = scratch.Path() + "\\outside";
    for (const char* name : {"dest\\a.dll", "dest\\sub\\b.dll", "outside\\c.dll", "outside\\d.dll", "outside\\e.dll"})
        ASSERT_TRUE(scratch.Write(name, "x"));
    SetRunValue("FerrowinElsewhere", outside + "\\c.dll");
    std::string log = LogBytes({
        {255, destination + "\\a.dll"},
        {255, outside + "\\c.dll"},
        {255, destination + "\\..\\outside\\d.dll"},
        {255, destination + "\\sub/../../outside\\d.dll"},
        {7, destination + "\\sub\\b.dll"},
        {254, destination},
        {253, "FerrowinElsewhere"},
        {250, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    });
    log += std::string(1, '\xff') + outside + "\\e.dll";   // no terminating zero
    ASSERT_TRUE(scratch.Write("uninst00.log", log));

    ChildResult result = RunChild(Uninstaller(), Quoted(scratch.Path() + "\\uninst00.log"), 30000);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(1u, result.exitCode);
    EXPECT_NE(std::string::npos, result.output.find("unknown type 7")) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("no terminating zero")) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("removed file: " + destination + "\\a.dll")) << result.output;
    EXPECT_FALSE(Exists(destination + "\\a.dll"));
    for (const char* name : {"\\c.dll", "\\d.dll", "\\e.dll"})
        EXPECT_TRUE(Exists(outside + name)) << name;
    EXPECT_TRUE(Exists(destination + "\\sub\\b.dll"));
    EXPECT_EQ(REG_SZ, ReadMachineValue(runKeyPath, "FerrowinElsewhere").type);
    HKEY run;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKeyPath, 0, KEY_READ, &run));
    RegCloseKey(run);
    DeleteRunValue("FerrowinElsewhere");
}

}
