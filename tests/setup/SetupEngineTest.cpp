// The installer's engine against real files: install script values, language texts and their display-name
// place, the language table, the default destination from the registry, the system flags and result codes.
#include <gtest/gtest.h>
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include "RegistryScratch.h"
#include "tests/support/ScratchFolder.h"
#include "setup/engine/InstallScript.h"
#include "setup/engine/LanguageTable.h"
#include "setup/engine/SetupState.h"
#include "setup/engine/UiTexts.h"

namespace {

// HKEY_LOCAL_MACHINE of this process redirected to a scratch key, so the system's "programfilesDir" can be
// missing or set without touching the prefix the other tests share.
class LocalMachineOverride {
public:
    explicit LocalMachineOverride(bool withVersionKey, const char* programFiles = nullptr)
    {
        path = ScratchKeyName("hklm");
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr);
        if (withVersionKey) {
            HKEY version;
            RegCreateKeyExA(root, "Software\\Microsoft\\Windows\\CurrentVersion", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &version, nullptr);
            if (programFiles)
                RegSetValueExA(version, "ProgramFilesDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(programFiles),
                               static_cast<DWORD>(strlen(programFiles) + 1));
            RegCloseKey(version);
        }
        active = RegOverridePredefKey(HKEY_LOCAL_MACHINE, root) == ERROR_SUCCESS;
    }
    ~LocalMachineOverride()
    {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegCloseKey(root);
        DeleteKeyTree(HKEY_CURRENT_USER, path);
    }
    bool active = false;

private:
    HKEY root = nullptr;
    std::string path;
};

class SetupEngine : public ::testing::Test {
protected:
    SetupEngine() : source("engine") {}
    void SetUp() override
    {
        ASSERT_TRUE(SetSourceDir(source.Path().c_str()));
        g_setup.installDir[0] = '\0';
        g_setup.languageIndex = defaultLanguageIndex;
        g_setup.languageExt = LanguageExtension(defaultLanguageIndex);
    }
    void TearDown() override
    {
        FreeUiTexts();
        FreeInstallScript();
    }
    // A language file whose only DLG key is the given "P31" line (plus "PF1" alike).
    void LoadPlaceText(const std::string& text)
    {
        ASSERT_TRUE(source.Write("is-00001\\setuplan.enu", "[DLG]\r\nP31=" + text + "\r\nPF1=" + text + "\r\n"));
        ASSERT_TRUE(LoadUiTexts());
    }
    std::string Filled(UiTextId id)
    {
        char text[1024];
        FillDisplayName(id, text, sizeof(text));
        return text;
    }
    ScratchFolder source;
};

const std::string fullScript =
    "[Manufacture]\r\nManufacture=Ferrowin Ltd\r\n"
    "[Product]\r\nProduct=Ferrowin Keyboard\r\nVersion=1.2\r\nKey=FerrowinKB\r\nVER=7\r\n"
    "[Target]\r\nDir=Ferrowin\\Keyboard\r\nFolder=Ferrowin Keyboard\r\n"
    "[Display Name]\r\nName=Multimedia Keyboard\r\n"
    "[Title]\r\nCaptionBar=Keyboard Setup\r\nMain=FerrowinKeyboard\r\n"
    "[Uninstall]\r\nDisplayName=Ferrowin Keyboard\r\nKey=FerrowinKBUninst\r\n";

}

TEST_F(SetupEngine, ScriptValuesAreReadAndALongValueIsCutAt259)
{
    std::string longName(300, 'n');
    ASSERT_TRUE(source.Write("setupm.ini", fullScript + "[Display Name]\r\nName=" + longName + "\r\n"));
    LocalMachineOverride registry(true, "C:\\Programs");
    ASSERT_TRUE(registry.active);
    ReadInstallScript();
    EXPECT_STREQ("Ferrowin Ltd", ScriptValue(scriptManufacture));
    EXPECT_STREQ("Ferrowin Keyboard", ScriptValue(scriptProduct));
    EXPECT_STREQ("FerrowinKB", ScriptValue(scriptProductKey));
    EXPECT_STREQ("Ferrowin Keyboard", ScriptValue(scriptTargetFolder));
    EXPECT_STREQ("FerrowinKeyboard", ScriptValue(scriptTitleMain));
    EXPECT_STREQ("FerrowinKBUninst", ScriptValue(scriptUninstallKey));
    // The first [Display Name] section wins; its long twin is not read. A long value of its own is cut.
    EXPECT_STREQ("Multimedia Keyboard", ScriptValue(scriptDisplayName));
    ASSERT_TRUE(source.Write("setupm.ini", "[Display Name]\r\nName=" + longName + "\r\n"));
    ReadInstallScript();
    EXPECT_EQ(longName.substr(0, 259), ScriptValue(scriptDisplayName));
    EXPECT_STREQ("", ScriptValue(scriptProduct));
}

TEST_F(SetupEngine, DefaultDestinationFromTheProgramFilesFolder)
{
    ASSERT_TRUE(source.Write("setupm.ini", fullScript));
    {
        LocalMachineOverride registry(true, "C:\\Programs");
        ASSERT_TRUE(registry.active);
        ReadInstallScript();
        EXPECT_STREQ("C:\\Programs\\Ferrowin\\Keyboard", g_setup.installDir);
    }
    {
        LocalMachineOverride registry(true);
        ReadInstallScript();
        EXPECT_STREQ("\\Ferrowin\\Keyboard", g_setup.installDir);
    }
    {
        // Without the system's key: the previous destination with [Product] Key, then [Target] Dir.
        LocalMachineOverride registry(false);
        strcpy(g_setup.installDir, "D:\\Old");
        ReadInstallScript();
        EXPECT_STREQ("D:\\Old\\FerrowinKB\\Ferrowin\\Keyboard", g_setup.installDir);
    }
}

TEST_F(SetupEngine, MissingScriptGivesEmptyValuesAndProgramFilesWithABackslash)
{
    LocalMachineOverride registry(true, "C:\\Programs");
    ReadInstallScript();
    for (int key = 0; key < scriptKeyCount; ++key)
        EXPECT_STREQ("", ScriptValue(static_cast<ScriptKey>(key))) << key;
    EXPECT_STREQ("C:\\Programs\\", g_setup.installDir);
}

TEST_F(SetupEngine, DestinationThatDoesNotFitIsRefused)
{
    std::string longDir(250, 'd');
    ASSERT_TRUE(source.Write("setupm.ini", "[Target]\r\nDir=" + longDir + "\r\n"));
    LocalMachineOverride registry(true, "C:\\Program Files");
    ReadInstallScript();
    EXPECT_STREQ("", g_setup.installDir);
}

TEST_F(SetupEngine, SourceFolderOf259CharactersReadsNothingAndOf260IsRefused)
{
    std::string folder = source.Path() + "\\";
    folder += std::string(259 - folder.size(), 'x');
    ASSERT_EQ(259u, folder.size());
    ASSERT_TRUE(SetSourceDir(folder.c_str()));
    ReadInstallScript();
    EXPECT_STREQ("", ScriptValue(scriptProduct));
    ASSERT_TRUE(LoadUiTexts());
    EXPECT_EQ(nullptr, UiText(msgBack));
    EXPECT_FALSE(SetSourceDir((folder + "y").c_str()));
    EXPECT_STREQ("", g_setup.sourceDir);
    EXPECT_FALSE(SetSourceDir(nullptr));
}

TEST_F(SetupEngine, LanguageTextsMissingEmptyAndLongKeys)
{
    std::string longText(400, 't');
    ASSERT_TRUE(source.Write("is-00001\\setuplan.enu",
                             "[MSG]\r\n1=< Back\r\n2=\r\n11=" + longText + "\r\n[DLG]\r\nP1T=Welcome\r\n"));
    ASSERT_TRUE(LoadUiTexts());
    EXPECT_STREQ("< Back", UiText(msgBack));
    EXPECT_EQ(nullptr, UiText(msgNext));   // empty
    EXPECT_EQ(nullptr, UiText(msgCancel)); // missing
    EXPECT_STREQ("", UiCaption(msgCancel));
    EXPECT_EQ(longText.substr(0, 259), UiText(msgTitle));
    EXPECT_STREQ("Welcome", UiText(dlgP1T));
    // A reload replaces every text: what the new file lacks is gone.
    ASSERT_TRUE(source.Write("is-00001\\setuplan.enu", "[MSG]\r\n2=Next >\r\n"));
    ASSERT_TRUE(LoadUiTexts());
    EXPECT_EQ(nullptr, UiText(msgBack));
    EXPECT_STREQ("Next >", UiText(msgNext));
}

TEST_F(SetupEngine, DisplayNameFillsTheFirstPlaceOnly)
{
    ASSERT_TRUE(source.Write("setupm.ini", "[Display Name]\r\nName=Pad%s%n\r\n"));
    ReadInstallScript();
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"Install %P into this folder", "Install Pad%s%n into this folder"},
        {"%P", "Pad%s%n"},
        {"No place here, 100%", "No place here, 100%"},
        {"%P and %P", "Pad%s%n and %P"},
        {"%s and %n then %P %d", "%s and %n then Pad%s%n %d"},
        {"%%P", "%Pad%s%n"},
    };
    for (const auto& testCase : cases) {
        LoadPlaceText(testCase.text);
        EXPECT_EQ(testCase.shown, Filled(dlgP31)) << testCase.text;
        EXPECT_EQ(testCase.shown, Filled(dlgPF1)) << testCase.text;
    }
    // Only "P31" and "PF1" have the place; other texts show "%P" as it stands.
    ASSERT_TRUE(source.Write("is-00001\\setuplan.enu", "[DLG]\r\nP32=at %P\r\n"));
    ASSERT_TRUE(LoadUiTexts());
    EXPECT_EQ("at %P", Filled(dlgP32));
}

TEST_F(SetupEngine, FilledTextIsCutToItsBuffer)
{
    ASSERT_TRUE(source.Write("setupm.ini", "[Display Name]\r\nName=" + std::string(259, 'n') + "\r\n"));
    ReadInstallScript();
    LoadPlaceText(std::string(100, 'a') + "%P" + std::string(150, 'b'));
    char text[300];
    memset(text, '#', sizeof(text));
    FillDisplayName(dlgP31, text, 290);
    EXPECT_EQ(289u, strlen(text));
    EXPECT_EQ(std::string(100, 'a') + std::string(189, 'n'), text);
    EXPECT_EQ('#', text[290]);
    EXPECT_EQ(100u + 259u + 150u, Filled(dlgP31).size());
}

TEST_F(SetupEngine, SystemLanguageIdentifiers)
{
    EXPECT_EQ(4, LanguageIndexForLangId(3079, 6));
    EXPECT_EQ(6, LanguageIndexForLangId(1044, 6));
    EXPECT_EQ(11, LanguageIndexForLangId(1044, 11));
    EXPECT_EQ(6, LanguageIndexForLangId(1033, 6));
    EXPECT_EQ(19, LanguageIndexForLangId(2077, 6));
    EXPECT_EQ(14, LanguageIndexForLangId(2068, 6));
    EXPECT_STREQ("deu", LanguageExtension(4));
}

TEST_F(SetupEngine, SwedishLoadsTheSveFile)
{
    ASSERT_TRUE(source.Write("is-00001\\setuplan.enu", "[MSG]\r\n13=Language\r\n"));
    ASSERT_TRUE(source.Write("is-00001\\setuplan.SVE", "[MSG]\r\n13=Spr\xe5k\r\n"));
    ASSERT_TRUE(LoadUiTexts());
    EXPECT_STREQ("Language", UiText(msgLanguageTitle));
    ASSERT_STREQ("Swedish", languageTable[19].name);
    ASSERT_TRUE(SelectLanguage(19));
    EXPECT_EQ(19, g_setup.languageIndex);
    EXPECT_STREQ("SVE", g_setup.languageExt);
    EXPECT_STREQ("Spr\xe5k", UiText(msgLanguageTitle));
    // No selection (-1) and rows past the table change nothing.
    EXPECT_FALSE(SelectLanguage(-1));
    EXPECT_FALSE(SelectLanguage(languageCount));
    EXPECT_EQ(19, g_setup.languageIndex);
    EXPECT_STREQ("Spr\xe5k", UiText(msgLanguageTitle));
}

TEST_F(SetupEngine, SystemFlagsAndResultCodes)
{
    const struct {
        DWORD major, minor;
        int osV40, osV50, osV51;
        int restartResult;
    } cases[] = {
        {4, 0, 1, 0, 0, 0x10006}, {4, 10, 0, 0, 0, 6}, {4, 90, 0, 0, 0, 6}, {5, 0, 0, 1, 0, 0x10006},
        {5, 1, 0, 0, 1, 0x10006}, {5, 2, 0, 0, 0, 6}, {6, 1, 0, 0, 1, 0x10006},
    };
    for (const auto& testCase : cases) {
        ClassifySystem(WindowsVersion{testCase.major, testCase.minor, FALSE});
        EXPECT_EQ(testCase.osV40, g_setup.osV40) << testCase.major << "." << testCase.minor;
        EXPECT_EQ(testCase.osV50, g_setup.osV50) << testCase.major << "." << testCase.minor;
        EXPECT_EQ(testCase.osV51, g_setup.osV51) << testCase.major << "." << testCase.minor;
        EXPECT_EQ(testCase.restartResult, SetupResultCode(6)) << testCase.major << "." << testCase.minor;
        EXPECT_EQ(2, SetupResultCode(2));
        EXPECT_EQ(12, SetupResultCode(12));
        EXPECT_EQ(0, SetupResultCode(1));
        EXPECT_EQ(0, SetupResultCode(-1));
    }
}
