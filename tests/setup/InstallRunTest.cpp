// The install run's steps without the wizard: files and the system-folder copy, settings files, registry
// values, shortcuts read back through the shell, and the uninstall log byte for byte.
#include "InstallFixture.h"
#include "setup/install/CopyWorker.h"
#include "setup/install/CreateShortcuts.h"
#include "setup/install/InstallNames.h"
#include "setup/install/UninstallLog.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <commctrl.h>

namespace {

std::string Join(const std::string& folder, const char* name)
{
    return folder + "\\" + name;
}

std::string WindowsSystemCopy()
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof(windows));
    return std::string(windows) + "\\system\\HESKAR.VXD";
}

std::string UninstallKey()
{
    return std::string(uninstallKeyBase) + "\\" + InstallFixture::product;
}

std::vector<LogRecordBytes> ExpectedLog(const InstallFixture& run, const std::vector<const char*>& files,
                                        bool systemCopy, const std::vector<std::string>& shortcuts)
{
    return CompleteRunLog(run.destination, std::vector<std::string>(files.begin(), files.end()),
                          systemCopy ? WindowsSystemCopy() : std::string(), shortcuts, run.group, UninstallKey());
}

const std::vector<const char*> allFiles = {"Orvel.mk", "BRUNE.hmt", "zelt32g.dll", "OSTREL.EXE", "VORRIN.DLL",
    "TAMSEL.DLL", "HESKAR.VXD", "PIMA.BMP", "PIMAMASK.BMP", "SOLDATA.DAT", "SOLDSET.DAT", "DRAVEN.EXE",
    "yarlan.dll", "zelt32s.dll"};

class InstallRun : public ::testing::Test {
protected:
    void TearDown() override { DeleteFileA(WindowsSystemCopy().c_str()); }
};

TEST(ShortcutName, FirstPercentSOnlyTakesTheText)
{
    char name[MAX_PATH];
    ASSERT_TRUE(FillShortcutName(name, sizeof(name), "%d %s %n %s %%", "Key %s"));
    EXPECT_STREQ("%d Key %s %n %s %%", name);
    ASSERT_TRUE(FillShortcutName(name, sizeof(name), "100% sure", "x"));
    EXPECT_STREQ("100% sure", name);
    ASSERT_TRUE(FillShortcutName(name, sizeof(name), "%s", nullptr));
    EXPECT_STREQ("", name);
    EXPECT_FALSE(FillShortcutName(name, 8, "ab%scd", "12345"));
    EXPECT_STREQ("", name);
}

TEST(UninstallLogFile, RecordsAreTypeTextZero)
{
    ScratchFolder scratch("log");
    SetupState state{};
    ASSERT_TRUE(CreateUninstallLog(state, scratch.Path().c_str()));
    WriteLogRecord(state, "C:\\a");
    EXPECT_EQ(LogBytes({{255, "C:\\a"}}), ReadFileBytes(Join(scratch.Path(), "uninst00.log"))) << "written at once";
    state.logRecordType = 252;
    WriteLogRecord(state, "");
    CloseUninstallLog(state);
    EXPECT_EQ(LogBytes({{255, "C:\\a"}, {252, ""}}), ReadFileBytes(Join(scratch.Path(), "uninst00.log")));
}

TEST_F(InstallRun, CompleteRunThenSecondRun)
{
    InstallFixture run("complete");
    RegistryOverride registry(run.programs);
    for (const char* name : mainFiles)   // read-only, as on a CD
        SetFileAttributesA(Join(run.source, name).c_str(), FILE_ATTRIBUTE_READONLY);
    run.RunAll();
    for (const char* name : mainFiles)
        EXPECT_FALSE(GetFileAttributesA(Join(run.destination, name).c_str()) & FILE_ATTRIBUTE_READONLY) << name;

    for (const char* name : mainFiles)
        EXPECT_EQ(ReadFileBytes(Join(run.source, name)), ReadFileBytes(Join(run.destination, name))) << name;
    for (const char* name : languageFiles)
        EXPECT_EQ(ReadFileBytes(Join(run.source + "\\enu", name)), ReadFileBytes(Join(run.destination, name)));
    EXPECT_EQ(ReadFileBytes(Join(run.source, "HESKAR.VXD")), ReadFileBytes(WindowsSystemCopy()));
    EXPECT_EQ(ReadFileBytes(run.source + "\\is-00001\\uninst.enu"), ReadFileBytes(Join(run.destination, "uninst.un2")));
    EXPECT_EQ(ReadFileBytes(Join(run.source, "uninst00.exe")), ReadFileBytes(Join(run.destination, "uninst00.exe")));

    EXPECT_EQ("[Manufacture]\r\nManufacture=Ferrowin Test\r\n[Applications]\r\nMain=OSTREL.EXE\r\n"
              "IniFile=SETTING.INI\r\nDllFile=VORRIN.DLL\r\n[Strings]\r\nDriver_Remove_Title=Driver_Remove_Title\r\n"
              "Driver_Remove_Text=Driver_Remove_Text\r\nDriver_Removing_Text=Driver_Removing_Text\r\n",
              ReadFileBytes(Join(run.destination, "MouInfo.ini")));
    EXPECT_EQ("[Main]\r\nVER=1.2.3.4\r\n[Product]\r\nKey=FerrowinTestKey\r\n",
              ReadFileBytes(Join(run.destination, "SETTING.INI")));

    struct Expected { std::string key; const char* value; DWORD type; std::string data; };
    const std::string count1("\x01\0\0\0", 4);
    const Expected table[] = {
        {runKeyPath, "QXRT63KB", REG_SZ, run.destination + "\\Ostrel.exe"},
        {"Software\\T63Keyboard", "InstallName", REG_SZ, InstallFixture::titleMain},
        {"Software\\T63Keyboard", "SubInstallName", REG_SZ, InstallFixture::captionBar},
        {"SOFTWARE\\ZERUVIZIRE\\FerrowinTestMain", "INSTALLCOUNT", REG_DWORD, count1},
        {UninstallKey(), "DisplayName", REG_SZ, InstallFixture::product},
        {UninstallKey(), "UninstallString", REG_SZ, run.destination + "\\uninst00.exe"},
        {"Software\\T63Keyboard", "AppPath", REG_SZ, run.destination},
        {"Software\\T63Keyboard", "ProductName", REG_SZ, InstallFixture::product},
        {"Software\\T63Keyboard", "ProductKey", REG_SZ, InstallFixture::productKey},
    };
    for (const Expected& expected : table) {
        RegistryValue value = ReadMachineValue(expected.key.c_str(), expected.value);
        std::string data = expected.type == REG_SZ ? expected.data + std::string(1, '\0') : expected.data;
        EXPECT_EQ(expected.type, value.type) << expected.value;
        EXPECT_EQ(data, value.data) << expected.value;
    }

    ShortcutFields app = ReadShortcut(run.group + "\\Keyboard Application.lnk");
    ASSERT_TRUE(app.loaded);
    EXPECT_EQ(run.destination + "\\OSTREL.EXE", app.target);
    EXPECT_EQ(run.destination, app.workingDir);
    EXPECT_EQ(run.destination + "\\OSTREL.EXE", app.iconPath);
    EXPECT_EQ(0, app.iconIndex);
    EXPECT_EQ("Keyboard Application", app.description);
    ShortcutFields help = ReadShortcut(run.group + "\\Keyboard Help.lnk");
    ASSERT_TRUE(help.loaded);
    EXPECT_EQ(run.destination + "\\Orvel.mk", help.target);
    EXPECT_EQ(run.destination + "\\BRUNE.hmt", help.iconPath);
    EXPECT_EQ("Keyboard Help", help.description);

    std::string log = Join(run.destination, "uninst00.log");
    EXPECT_EQ(LogBytes(ExpectedLog(run, allFiles, true, {"Keyboard Application", "Keyboard Help"})), ReadFileBytes(log));

    // Second run: the log replaced, not appended to; the counter raised by one.
    SetupState again{};
    run.state = again;
    run.RunAll();
    EXPECT_EQ(LogBytes(ExpectedLog(run, allFiles, true, {"Keyboard Application", "Keyboard Help"})), ReadFileBytes(log));
    EXPECT_EQ(std::string("\x02\0\0\0", 4), ReadMachineValue("SOFTWARE\\ZERUVIZIRE\\FerrowinTestMain", "INSTALLCOUNT").data);
}

TEST_F(InstallRun, MissingSystemFileAndLanguageFolder)
{
    InstallFixture run("missing");
    RegistryOverride registry(run.programs);
    DeleteFileA(Join(run.source, "HESKAR.VXD").c_str());
    RemoveTree(run.source + "\\enu");
    run.RunAll();
    std::vector<const char*> files(allFiles.begin(), allFiles.end() - 2);
    files.erase(files.begin() + 6);
    EXPECT_FALSE(Exists(WindowsSystemCopy()));
    EXPECT_FALSE(Exists(Join(run.destination, "yarlan.dll")));
    EXPECT_EQ(LogBytes(ExpectedLog(run, files, false, {"Keyboard Application", "Keyboard Help"})),
              ReadFileBytes(Join(run.destination, "uninst00.log")));
}

TEST_F(InstallRun, IconEntriesOfEveryShape)
{
    // Key "2" has no comma (skipped, the loop goes on), "4" is missing (the loop ends before "5").
    InstallFixture run("icons", {"1=DRAVEN.EXE,%d %s %n,PIMA.BMP", "2=no comma here", "3=OSTREL.EXE,Two",
                                 "5=Orvel.mk,Five"});
    RegistryOverride registry(run.programs);
    run.RunAll();
    std::string percent = "%d Keyboard %s %d %n";
    ShortcutFields three = ReadShortcut(run.group + "\\" + percent + ".lnk");
    ASSERT_TRUE(three.loaded);
    EXPECT_EQ(percent, three.description);
    EXPECT_EQ(run.destination + "\\PIMA.BMP", three.iconPath);
    EXPECT_FALSE(Exists(run.group + "\\Five.lnk"));
    EXPECT_EQ(LogBytes(ExpectedLog(run, allFiles, true, {percent, "Two"})),
              ReadFileBytes(Join(run.destination, "uninst00.log")));
}

TEST_F(InstallRun, ScriptWithoutIcons)
{
    InstallFixture run("noicons", {});
    RegistryOverride registry(run.programs);
    run.RunAll();
    EXPECT_TRUE(Exists(run.group));
    EXPECT_EQ(LogBytes(ExpectedLog(run, allFiles, true, {})), ReadFileBytes(Join(run.destination, "uninst00.log")));
}

TEST_F(InstallRun, LogInTheWayEveryStepStillRuns)
{
    InstallFixture run("logblocked");
    RegistryOverride registry(run.programs);
    ASSERT_TRUE(run.scratch.Write("dest\\Ferrowin\\Keyboard\\uninst00.log\\in the way", "x"));
    run.RunAll();
    EXPECT_EQ(nullptr, run.state.uninstallLog);
    EXPECT_EQ(ReadFileBytes(Join(run.source, "DRAVEN.EXE")), ReadFileBytes(Join(run.destination, "DRAVEN.EXE")));
    EXPECT_EQ(REG_SZ, ReadMachineValue(UninstallKey().c_str(), "DisplayName").type);
    EXPECT_TRUE(ReadShortcut(run.group + "\\Keyboard Help.lnk").loaded);
}

TEST_F(InstallRun, DestinationThatCannotBeMade)
{
    InstallFixture run("nodest");
    RegistryOverride registry(run.programs);
    ASSERT_TRUE(run.scratch.Write("dest\\Ferrowin", "a file where a folder belongs"));
    run.RunAll();
    EXPECT_FALSE(Exists(run.destination));
    EXPECT_EQ(REG_SZ, ReadMachineValue(runKeyPath, "QXRT63KB").type);
    EXPECT_EQ(REG_SZ, ReadMachineValue(UninstallKey().c_str(), "DisplayName").type);
}

TEST_F(InstallRun, PathsThatDoNotFitAreSkippedNotCut)
{
    InstallFixture run("longpath");
    RegistryOverride registry(run.programs);
    // A destination of 247 characters: "\" and a name of 11 characters still fit into 260 bytes, one of 12
    // ("uninst00.log", "PIMAMASK.BMP", "uninst00.exe") does not.
    std::string destination = run.scratch.Path() + "\\";
    destination += std::string(247 - destination.size(), 'd');
    run.values.installDir = destination.c_str();
    run.RunAll();
    EXPECT_TRUE(Exists(Join(destination, "DRAVEN.EXE")));
    EXPECT_TRUE(Exists(Join(destination, "zelt32g.dll")));
    const std::vector<std::string> installed = {"Orvel.mk", "BRUNE.hmt", "zelt32g.dll", "OSTREL.EXE", "VORRIN.DLL",
        "TAMSEL.DLL", "HESKAR.VXD", "PIMA.BMP", "SOLDATA.DAT", "SOLDSET.DAT", "DRAVEN.EXE", "yarlan.dll",
        "zelt32s.dll", "uninst.un2", "MouInfo.ini", "SETTING.INI"};
    std::vector<std::string> found;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((destination + "\\*").c_str(), &entry);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    do {
        if (std::string(entry.cFileName) != "." && std::string(entry.cFileName) != "..")
            found.push_back(entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    std::sort(found.begin(), found.end());
    std::vector<std::string> expected = installed;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, found);
}

}

TEST(InstallAnimation, OpensAndLoopsInTheAnimationControl)
{
    InitCommonControls();
    HWND animation = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_POPUP | ACS_TRANSPARENT, 0, 0, 100, 50, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, animation);
    EXPECT_TRUE(SendMessageA(animation, ACM_OPENA, reinterpret_cast<WPARAM>(GetModuleHandleA(nullptr)),
                             reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(131))));
    EXPECT_TRUE(SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, 0xFFFF)));
    EXPECT_TRUE(SendMessageA(animation, ACM_STOP, 0, 0));
    DestroyWindow(animation);
}
