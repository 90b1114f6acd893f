// The uninstaller stand-in: an install undone from its log, and a malformed log that must not lead it
// outside the destination and group folders. The registry of the prefix is real here (the uninstaller is
// another process).
#include "ChildProcess.h"
#include "InstallFixture.h"
#include "setup/install/InstallNames.h"
#include <gtest/gtest.h>
#include <stdio.h>

namespace {

std::string Uninstaller()
{
    return ProgramFolder() + "uninst00.exe";
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    bool written = file && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return file && fclose(file) == 0 && written;
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
    SetFileAttributesA((run.destination + "\\Orvel.mk").c_str(), FILE_ATTRIBUTE_READONLY);

    ProgramsFolder programs(run.programs);
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

// Only the log's own folder, a group folder in the Start-menu programs folder and this destination's
// uninstall key are its to touch, whatever the records say.
TEST(Uninstaller, MalformedLogIsReportedAndStaysInItsFolders)
{
    ScratchFolder scratch("malformed");
    std::string destination = scratch.Path() + "\\dest";
    std::string outside = scratch.Path() + "\\outside";
    for (const char* name : {"dest\\a.dll", "dest\\sub\\b.dll", "outside\\c.dll", "outside\\d.dll", "outside\\e.dll",
                             "outside\\f.lnk"})
        ASSERT_TRUE(scratch.Write(name, "x"));
    SetFileAttributesA((destination + "\\a.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    SetRunValue("FerrowinElsewhere", outside + "\\c.dll");
    std::string otherProduct = std::string(uninstallKeyBase) + "\\FerrowinOtherProduct";
    HKEY other;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, otherProduct.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &other, nullptr));
    RegSetValueExA(other, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\other\\uninst.exe"), 20);
    RegCloseKey(other);
    ProgramsFolder programs(scratch.Path() + "\\Programs");
    std::string log = LogBytes({
        {255, destination + "\\a.dll"},
        {255, outside + "\\c.dll"},
        {255, destination + "\\..\\outside\\d.dll"},
        {255, destination + "\\sub/../../outside\\d.dll"},
        {7, destination + "\\sub\\b.dll"},
        {254, outside},
        {254, destination},
        {253, "FerrowinElsewhere"},
        {251, outside + "\\f.lnk"},
        {252, outside},
        {250, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {250, otherProduct},
    });
    log += std::string(1, '\xff') + outside + "\\e.dll";   // no terminating zero
    ASSERT_TRUE(scratch.Write("dest\\uninst00.log", log));
    // Without a record naming the log's folder nothing is removed, whatever else the log lists.
    ASSERT_TRUE(scratch.Write("other\\g.dll", "x"));
    ASSERT_TRUE(scratch.Write("other\\uninst00.log", LogBytes({{255, scratch.Path() + "\\other\\g.dll"}, {254, destination}})));
    ASSERT_TRUE(scratch.Write("empty\\uninst00.log", ""));

    ChildResult result = RunChild(Uninstaller(), Quoted(destination + "\\uninst00.log"), 30000);
    ChildResult foreign = RunChild(Uninstaller(), Quoted(scratch.Path() + "\\other\\uninst00.log"), 30000);
    ChildResult empty = RunChild(Uninstaller(), Quoted(scratch.Path() + "\\empty\\uninst00.log"), 30000);
    ASSERT_TRUE(result.finished && foreign.finished && empty.finished);
    EXPECT_EQ(1u, result.exitCode);
    for (const char* report : {"unknown type 7", "no terminating zero", "not the folder of the log",
                               "not in the Start-menu programs folder", "does not uninstall this destination"})
        EXPECT_NE(std::string::npos, result.output.find(report)) << report << "\n" << result.output;
    EXPECT_NE(std::string::npos, result.output.find("removed file: " + destination + "\\a.dll")) << result.output;
    EXPECT_FALSE(Exists(destination + "\\a.dll")) << "read-only, and removed all the same";
    for (const char* name : {"\\c.dll", "\\d.dll", "\\e.dll", "\\f.lnk"})
        EXPECT_TRUE(Exists(outside + name)) << name;
    EXPECT_TRUE(Exists(destination + "\\sub\\b.dll"));
    EXPECT_EQ(REG_SZ, ReadMachineValue(runKeyPath, "FerrowinElsewhere").type);
    EXPECT_EQ(REG_SZ, ReadMachineValue(otherProduct.c_str(), "UninstallString").type);
    HKEY run;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKeyPath, 0, KEY_READ, &run));
    RegCloseKey(run);
    EXPECT_EQ(1u, foreign.exitCode) << foreign.output;
    EXPECT_TRUE(Exists(scratch.Path() + "\\other\\g.dll"));
    EXPECT_EQ(1u, empty.exitCode) << empty.output;
    DeleteRunValue("FerrowinElsewhere");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, otherProduct.c_str());
}

// A destination at a drive's root (the test prefix's C:): its files go, the root stays.
TEST(Uninstaller, DestinationAtADrivesRoot)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof(windows));
    std::string root(windows, 3);
    std::string file = root + "ferrowin-root-" + std::to_string(GetCurrentProcessId()) + ".dll";
    std::string log = root + uninstallLogName;
    ASSERT_TRUE(WriteBytes(file, "x"));
    ASSERT_TRUE(WriteBytes(log, LogBytes({{255, file}, {254, root}})));
    ChildResult result = RunChild(Uninstaller(), Quoted(log), 30000);
    DeleteFileA(log.c_str());
    DeleteFileA(file.c_str());
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(0u, result.exitCode) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("removed file: " + file)) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("kept destination folder: " + root)) << result.output;
}

}
