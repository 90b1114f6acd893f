// The installer end to end through the launcher stand-in and the wizard: an install into a fresh folder
// on a 4.10 system, a second one on 5.1, then the uninstaller the run put beside the files. Everything is
// read back as another program would: files, settings files, registry, shortcuts, the log's bytes.
#include "ChildProcess.h"
#include "InstallFixture.h"
#include "MessagePump.h"
#include "WizardDriver.h"
#include "setup/install/InstallNames.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

constexpr int idNext = 1002;
constexpr int idCancel = 1010;
constexpr int idFolder = 1018;
constexpr DWORD restartLater = 12;

const char* const mainNames[] = {"Orvel.mk", "BRUNE.hmt", "zelt32g.dll", "OSTREL.EXE", "VORRIN.DLL", "TAMSEL.DLL",
                                 "HESKAR.VXD", "PIMA.BMP", "PIMAMASK.BMP", "SOLDATA.DAT", "SOLDSET.DAT", "DRAVEN.EXE"};

std::string Script(const std::string& source, const char* section, const char* key)
{
    char text[MAX_PATH] = "";
    GetPrivateProfileStringA(section, key, "", text, sizeof(text), (source + "\\setupm.ini").c_str());
    return text;
}

// The animation's frames show (its folders' yellow on the screen): the AVI opened from setup.dll's own
// resources, since the launcher has no copy of it.
bool AnimationShows(HWND progress)
{
    HWND animation = FindWindowExA(progress, nullptr, "SysAnimate32", nullptr);
    RECT area;
    if (!animation || !GetWindowRect(animation, &area))
        return false;
    Screenshot shot = CaptureScreen(area);
    return std::count(shot.pixels.begin(), shot.pixels.end(), 0xF0C840u) > 20;
}

std::string Launcher(const char* version)
{
    std::string name = std::string("setuplauncher-") + version + ".exe";
    CopyBesideSelf("setuplauncher.exe", name.c_str());
    SetAppDefault(name.c_str(), nullptr, "Version", version);
    return name;
}

class InstallEndToEnd : public ::testing::Test {
protected:
    InstallEndToEnd() : scratch("endtoend"), programsFolder(scratch.Path() + "\\Programs") {}
    void SetUp() override
    {
        source = scratch.Path() + "\\source";
        ASSERT_TRUE(CopyTree(ProgramFolder() + "..\\setupsource", source));
        destination = scratch.Path() + "\\Fresh\\Keyboard";
        group = scratch.Path() + "\\Programs\\" + Script(source, "Target", "Folder");
        CreateDirectoryA((scratch.Path() + "\\Programs").c_str(), nullptr);
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, sizeof(windows));
        CreateDirectoryA((std::string(windows) + "\\system").c_str(), nullptr);
        systemCopy = std::string(windows) + "\\system\\HESKAR.VXD";
        uninstallKey = std::string(uninstallKeyBase) + "\\" + Script(source, "Product", "Product");
        countKey = std::string(installCountKeyBase) + "\\" + Script(source, "Title", "Main");
        // A fresh product: a counter left by an earlier install would not start at 1.
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, countKey.c_str());
    }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, countKey.c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, keyboardProductKey);
    }

    // Through every page with Next, the destination typed on its page; the progress dialog shows, its
    // caption that of the copy step and its animation playing. Cancel on the finish page ends setup with
    // the restart-later choice; with quitDuringCopy a WM_QUIT reaches the launcher's thread during the
    // copy step instead, and setup ends once the run is complete.
    void InstallWith(const char* version, bool quitDuringCopy = false)
    {
        WizardDriver wizard(Launcher(version), source);
        ASSERT_TRUE(wizard.WaitForWizard());
        for (PageKind kind : {PageKind::welcome, PageKind::readme, PageKind::destination}) {
            WizardDriver::Click(wizard.Button(idNext));
            ASSERT_TRUE(wizard.WaitForPage(kind));
        }
        SendMessageA(GetDlgItem(wizard.CurrentPage(), idFolder), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(destination.c_str()));
        for (PageKind kind : {PageKind::programFolder, PageKind::ready}) {
            WizardDriver::Click(wizard.Button(idNext));
            ASSERT_TRUE(wizard.WaitForPage(kind));
        }
        WizardDriver::Click(wizard.Button(idNext));
        HWND progress = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (progress = wizard.ProgressDialog()) != nullptr; }, 30000))
            << "no progress dialog";
        std::string copying = LanguageText(source, "enu", "MSG", "301");
        EXPECT_TRUE(PumpUntil([&] { return WizardDriver::Text(progress) == copying; }, 5000)) << WizardDriver::Text(progress);
        EXPECT_TRUE(PumpUntil([&] { return AnimationShows(progress); }, 10000));
        if (quitDuringCopy) {
            PostThreadMessageA(GetWindowThreadProcessId(progress, nullptr), WM_QUIT, 0, 0);
            EXPECT_EQ(0u, wizard.WaitForResult(60000)) << "DOINSTALL returns 0 for a setup ended by a quit";
            return;
        }
        ASSERT_TRUE(wizard.WaitForPage(PageKind::finish, 30000));
        EXPECT_FALSE(IsWindowVisible(wizard.Button(idNext)));
        WizardDriver::Click(wizard.Button(idCancel));
        EXPECT_EQ(restartLater, wizard.WaitForResult());
    }

    std::string Installed(const char* name) const { return destination + "\\" + name; }

    std::vector<LogRecordBytes> ExpectedLog() const
    {
        std::vector<std::string> files(std::begin(mainNames), std::end(mainNames));
        files.insert(files.end(), {"yarlan.dll", "zelt32s.dll"});
        return CompleteRunLog(destination, files, systemCopy, ShortcutNames(), group, uninstallKey);
    }

    // The sample's three entries; the third one's "%s" takes MSG "12" of the English texts.
    std::vector<std::string> ShortcutNames() const
    {
        std::string text = LanguageText(source, "enu", "MSG", "12");
        return {"Keyboard Application", "Keyboard Help", text + " Settings"};
    }

    ScratchFolder scratch;
    ProgramsFolder programsFolder;
    std::string source, destination, group, systemCopy, uninstallKey, countKey;
};

TEST_F(InstallEndToEnd, InstallTwiceThenUninstall)
{
    DWORD previousCount = 0;
    InstallWith("win98");

    for (const char* name : mainNames)
        EXPECT_EQ(ReadFileBytes(source + "\\" + name), ReadFileBytes(Installed(name))) << name;
    for (const char* name : {"yarlan.dll", "zelt32s.dll"})
        EXPECT_EQ(ReadFileBytes(source + "\\enu\\" + name), ReadFileBytes(Installed(name))) << name;
    EXPECT_EQ(ReadFileBytes(source + "\\is-00001\\uninst.enu"), ReadFileBytes(Installed("uninst.un2")));
    EXPECT_EQ(ReadFileBytes(source + "\\uninst00.exe"), ReadFileBytes(Installed("uninst00.exe")));
    EXPECT_EQ(ReadFileBytes(source + "\\HESKAR.VXD"), ReadFileBytes(systemCopy));

    EXPECT_EQ("[Manufacture]\r\nManufacture=" + Script(source, "Manufacture", "Manufacture") +
                  "\r\n[Applications]\r\nMain=" + Script(source, "Applications", "Main") +
                  "\r\nIniFile=" + Script(source, "Applications", "IniFile") +
                  "\r\nDllFile=" + Script(source, "Applications", "DllFile") +
                  "\r\n[Strings]\r\nDriver_Remove_Title=Driver_Remove_Title\r\nDriver_Remove_Text=Driver_Remove_Text\r\n"
                  "Driver_Removing_Text=Driver_Removing_Text\r\n",
              ReadFileBytes(Installed("MouInfo.ini")));
    EXPECT_EQ("[Main]\r\nVER=" + Script(source, "Product", "VER") + "\r\n[Product]\r\nKey=" +
                  Script(source, "Product", "Key") + "\r\n",
              ReadFileBytes(Installed("SETTING.INI")));

    struct Expected { std::string key; const char* value; std::string data; };
    const Expected strings[] = {
        {runKeyPath, runValueName, Installed("Ostrel.exe")},
        {keyboardProductKey, "InstallName", Script(source, "Title", "Main")},
        {keyboardProductKey, "SubInstallName", Script(source, "Title", "CaptionBar")},
        {uninstallKey, "DisplayName", Script(source, "Product", "Product")},
        {uninstallKey, "UninstallString", Installed("uninst00.exe")},
        {keyboardProductKey, "AppPath", destination},
        {keyboardProductKey, "ProductName", Script(source, "Product", "Product")},
        {keyboardProductKey, "ProductKey", Script(source, "Product", "Key")},
    };
    for (const Expected& expected : strings) {
        RegistryValue value = ReadMachineValue(expected.key.c_str(), expected.value);
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type) << expected.value;
        EXPECT_EQ(expected.data + std::string(1, '\0'), value.data) << expected.value;
    }
    RegistryValue count = ReadMachineValue(countKey.c_str(), installCountValue);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), count.type);
    EXPECT_EQ(std::string("\x01\0\0\0", 4), count.data);

    const std::string icons[] = {"OSTREL.EXE", "BRUNE.hmt", "PIMA.BMP"};
    const std::string targets[] = {"OSTREL.EXE", "Orvel.mk", "DRAVEN.EXE"};
    for (size_t n = 0; n < 3; ++n) {
        std::string name = ShortcutNames()[n];
        ShortcutFields link = ReadShortcut(group + "\\" + name + ".lnk");
        ASSERT_TRUE(link.loaded) << name;
        EXPECT_EQ(Installed(targets[n].c_str()), link.target);
        EXPECT_EQ(destination, link.workingDir);
        EXPECT_EQ(Installed(icons[n].c_str()), link.iconPath);
        EXPECT_EQ(0, link.iconIndex);
        EXPECT_EQ(name, link.description);
    }
    EXPECT_EQ(LogBytes(ExpectedLog()), ReadFileBytes(Installed("uninst00.log")));

    // Second installation, ended by a quit during the copy step: the run still completes once, the log
    // replaced, the counter raised by one.
    memcpy(&previousCount, count.data.data(), sizeof(previousCount));
    InstallWith("winxp", true);
    EXPECT_EQ(LogBytes(ExpectedLog()), ReadFileBytes(Installed("uninst00.log")));
    DWORD raised = previousCount + 1;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&raised), 4), ReadMachineValue(countKey.c_str(), installCountValue).data);

    // The uninstaller removes what the log lists and nothing else.
    ASSERT_TRUE(scratch.Write("Fresh\\Keyboard\\user notes.txt", "mine"));
    ChildResult result = RunChild(Installed("uninst00.exe"), "", 30000);
    ASSERT_TRUE(result.finished);
    for (const LogRecordBytes& record : ExpectedLog()) {
        if (record.type == logInstalledFile || record.type == logShortcut || record.type == logGroupFolder) {
            EXPECT_FALSE(Exists(record.text)) << record.text << "\n" << result.output;
        }
    }
    EXPECT_EQ(0u, ReadMachineValue(runKeyPath, runValueName).type);
    EXPECT_EQ(0u, ReadMachineValue(uninstallKey.c_str(), "DisplayName").type);
    for (const char* name : {"user notes.txt", "MouInfo.ini", "SETTING.INI", "uninst00.exe"})
        EXPECT_TRUE(Exists(Installed(name))) << name;
    EXPECT_EQ(REG_DWORD, ReadMachineValue(countKey.c_str(), installCountValue).type);
    EXPECT_EQ(REG_SZ, ReadMachineValue(keyboardProductKey, "AppPath").type);
}

}
