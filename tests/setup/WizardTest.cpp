// The wizard driven like a user through the launcher stand-in: pages, captions and texts read back from
// the launcher's windows, clicks by message and with real mouse input, typed folders, the cancel question,
// and the launcher's result. Screenshots of the backdrop with each page are kept as artefacts.
#include <gtest/gtest.h>
#include <algorithm>
#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "ChildProcess.h"
#include "LaneFactor.h"
#include "MessagePump.h"
#include "tests/support/ScratchFolder.h"
#include "WizardDriver.h"
#include "setup/install/InstallNames.h"

namespace {

constexpr int idHeading = 1000;
constexpr int idBack = 1001;
constexpr int idNext = 1002;
constexpr int idCancel = 1010;
constexpr int idText1 = 1003;
constexpr int idText2 = 1004;
constexpr int idList = 1014;
constexpr int idRestartNow = 1016;
constexpr int idFolder = 1018;
constexpr int idBrowse = 1019;
constexpr int idRestartLater = 1020;
constexpr LRESULT longestPath = MAX_PATH - 1;

// The language files' extensions in the order of the language list.
const char* const extensions[] = {"chs", "cht", "CSY", "DAN", "deu", "nld", "enu", "FIN", "fra", "ELL",
                                  "HUN", "ita", "jpn", "kor", "NOR", "PLK", "PTG", "RUS", "esp", "SVE"};
constexpr int germanRow = 4;
constexpr int frenchRow = 8;

std::string Msg(const std::string& source, const char* ext, const char* key)
{
    return LanguageText(source, ext, "MSG", key);
}

std::string Dlg(const std::string& source, const char* ext, const char* key)
{
    return LanguageText(source, ext, "DLG", key);
}

std::string ScriptText(const std::string& source, const char* section, const char* key)
{
    char text[260] = "";
    GetPrivateProfileStringA(section, key, "", text, sizeof(text), (source + "\\setupm.ini").c_str());
    return text;
}

std::string FileBytes(const std::string& path)
{
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    char buffer[4096];
    size_t read;
    while ((read = fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.append(buffer, read);
    fclose(file);
    return bytes;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

// A launcher copy that Wine shows the given Windows version (null: the prefix's own).
std::string Launcher(const char* version)
{
    if (!version)
        return "setuplauncher.exe";
    std::string name = std::string("setuplauncher-") + version + ".exe";
    if (!CopyBesideSelf("setuplauncher.exe", name.c_str()))
        ADD_FAILURE() << "copying the launcher as " << name << ": error " << GetLastError();
    SetAppDefault(name.c_str(), nullptr, "Version", version);
    return name;
}

std::string ArtefactFolder()
{
    char folder[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("FERROWIN_SETUP_SHOTS", folder, sizeof(folder))) {
        std::string path = ProgramFolder() + "..\\artefacts";
        CreateDirectoryA(path.c_str(), nullptr);
        path += "\\setup";
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }
    return folder;
}

class SetupWizard : public ::testing::Test {
protected:
    SetupWizard() : scratch("wizard") {}
    void SetUp() override
    {
        // The demo hands in a source of its own.
        char sample[MAX_PATH] = "";
        if (!GetEnvironmentVariableA("FERROWIN_SETUP_SOURCE", sample, sizeof(sample)))
            lstrcpynA(sample, (ProgramFolder() + "..\\setupsource").c_str(), sizeof(sample));
        source = scratch.Path() + "\\source";
        ASSERT_TRUE(CopyTree(sample, source));
    }
    // What a pass that went through installed is undone by the uninstaller it put in place, then the rest
    // of the folder and the product's own keys: nothing outlives the test (Wine would start the Run value's
    // program at the next session).
    void TearDown() override
    {
        char programFiles[MAX_PATH] = "";
        DWORD size = sizeof(programFiles);
        RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                     RRF_RT_REG_SZ, nullptr, programFiles, &size);
        for (const std::string& folder : {std::string(programFiles) + "\\" + ScriptText(source, "Target", "Dir"),
                                          std::string(typedFolder), std::string(keyedFolder)}) {
            std::string uninstaller = folder + "\\" + uninstallerName;
            if (GetFileAttributesA(uninstaller.c_str()) != INVALID_FILE_ATTRIBUTES)
                RunChild(uninstaller, "", 30000);
            RemoveTree(folder);
        }
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, keyboardProductKey);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE,
                       (std::string(installCountKeyBase) + "\\" + ScriptText(source, "Title", "Main")).c_str());
    }
    // Presses Tab (Shift+Tab backwards) until the wizard's focus is on target; false when it never is.
    bool TabTo(WizardDriver& wizard, HWND target, bool backwards = false)
    {
        for (int press = 0; press < 16; ++press) {
            if (PumpUntil([&] { return wizard.Focus() == target; }, 300 * LaneFactor()))
                return true;
            if (backwards)
                keybd_event(VK_SHIFT, 0, 0, 0);
            WizardDriver::PressKey(VK_TAB);
            if (backwards)
                keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
        }
        return false;
    }
    static constexpr const char* typedFolder = "C:\\Ferrowin Typed";
    static constexpr const char* keyedFolder = "C:\\Ferrowin Keys";
    // Chooses a row of the language list by message, as a selection change of the list does.
    void ChooseLanguage(WizardDriver& wizard, int row)
    {
        HWND page = wizard.CurrentPage();
        HWND list = GetDlgItem(page, idList);
        Ask(list, LB_SETCURSEL, row);
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(idList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
    // The captions a language change sets, all matching that language's texts.
    bool CaptionsAre(WizardDriver& wizard, const char* ext)
    {
        return WizardDriver::Text(wizard.Backdrop()) == Msg(source, ext, "10") &&
               WizardDriver::Text(wizard.Frame()) == Msg(source, ext, "13") &&
               WizardDriver::ItemText(wizard.CurrentPage(), idHeading) == Msg(source, ext, "13") &&
               WizardDriver::Text(wizard.Button(idBack)) == Msg(source, ext, "1") &&
               WizardDriver::Text(wizard.Button(idNext)) == Msg(source, ext, "2") &&
               WizardDriver::Text(wizard.Button(idCancel)) == Msg(source, ext, "4");
    }
    const char* CurrentExtension(WizardDriver& wizard)
    {
        LRESULT row = Ask(GetDlgItem(wizard.CurrentPage(), idList), LB_GETCURSEL);
        return row >= 0 && row < 20 ? extensions[row] : "enu";
    }
    void Next(WizardDriver& wizard, PageKind expected)
    {
        WizardDriver::Click(wizard.Button(idNext));
        ASSERT_TRUE(wizard.WaitForPage(expected)) << "page " << static_cast<int>(wizard.CurrentKind());
    }
    void Back(WizardDriver& wizard, PageKind expected)
    {
        WizardDriver::Click(wizard.Button(idBack));
        ASSERT_TRUE(wizard.WaitForPage(expected)) << "page " << static_cast<int>(wizard.CurrentKind());
    }
    // Cancel, then the confirmation's Cancel: setup ends with 2.
    void CancelSetup(WizardDriver& wizard)
    {
        WizardDriver::Click(wizard.Button(idCancel));
        ASSERT_TRUE(wizard.WaitForConfirmation());
        WizardDriver::Click(GetDlgItem(wizard.Confirmation(), IDCANCEL));
        EXPECT_EQ(2u, wizard.WaitForResult());
    }
    // White pixels where the backdrop's title goes.
    static int TitleWhite(const Screenshot& shot, const RECT& client)
    {
        int white = 0;
        for (int y = client.top + 10; y < client.top + 50; ++y)
            for (int dx = 10; dx < 420; ++dx)
                white += shot.At(client.left + dx, y) == 0xFFFFFF;
        return white;
    }
    // Saves the screen and checks the backdrop's gradient at known rows and its white title.
    void CheckBackdropShot(WizardDriver& wizard, const char* name)
    {
        RECT client;
        GetClientRect(wizard.Backdrop(), &client);
        MapWindowPoints(wizard.Backdrop(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        // The launcher paints in its own time: the screen is read until the title's white is there.
        Screenshot shot;
        PumpUntil([&] {
            PaintNow(wizard.Backdrop());
            shot = CaptureScreen(screen);
            return TitleWhite(shot, client) > 300;
        }, 5000);
        SaveBitmap(shot, ArtefactFolder() + "\\" + name + ".bmp");
        int height = client.bottom - client.top;
        ASSERT_GT(height, 100);
        int x = client.right - 8;
        for (int row : {0, height / 3, 2 * height / 3, height - 1}) {
            // 255 + (0 - 255) * row / height in floating point, truncated as a whole.
            DWORD expected = static_cast<DWORD>(255 * (height - row) / height);
            if (client.top + row < screen.bottom) {
                EXPECT_EQ(expected, shot.At(x, client.top + row)) << name << " row " << row;
            }
        }
        int elsewhereWhite = 0;
        for (int y = client.top + 10; y < client.top + 50; ++y)
            for (int dx = 620; dx < client.right - client.left - 10; ++dx)
                elsewhereWhite += shot.At(client.left + dx, y) == 0xFFFFFF;
        EXPECT_GT(TitleWhite(shot, client), 300) << name;
        EXPECT_EQ(0, elsewhereWhite) << name;
    }
    ScratchFolder scratch;
    std::string source;
};

}

// One pass with real mouse and keyboard input, in German, on a system that reports 5.1: restart now
// gives 0x10006.
TEST_F(SetupWizard, RealInputPassInGermanRestartsOnXp)
{
    WizardDriver wizard(Launcher("winxp"), source);
    ASSERT_TRUE(wizard.Started()) << "error " << wizard.StartError();
    ASSERT_TRUE(wizard.WaitForWizard());
    ASSERT_EQ(PageKind::language, wizard.CurrentKind());
    EXPECT_FALSE(IsWindowEnabled(wizard.Button(idBack)));
    // Pages are the templates' child dialogs: WS_CHILD, DS_SETFONT, DS_3DLOOK, DS_CENTER, DS_SYSMODAL.
    for (HWND page = GetWindow(wizard.Frame(), GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT)) {
        if (WizardDriver::KindOf(page) != PageKind::none && GetDlgItem(page, idHeading)) {
            EXPECT_EQ(0x40000846u, static_cast<DWORD>(GetWindowLongA(page, GWL_STYLE)) & ~WS_VISIBLE);
        }
    }

    HWND list = GetDlgItem(wizard.CurrentPage(), idList);
    int itemHeight = static_cast<int>(Ask(list, LB_GETITEMHEIGHT));
    int top = static_cast<int>(Ask(list, LB_GETTOPINDEX));
    WizardDriver::MouseClickAt(list, 20, (germanRow - top) * itemHeight + itemHeight / 2);
    EXPECT_TRUE(PumpUntil([&] { return CaptionsAre(wizard, "deu"); }, 10000))
        << WizardDriver::Text(wizard.Frame()) << " / " << WizardDriver::Text(wizard.Button(idNext));
    CheckBackdropShot(wizard, "page0-language");

    WizardDriver::MouseClick(wizard.Button(idNext));
    ASSERT_TRUE(wizard.WaitForPage(PageKind::welcome));
    EXPECT_EQ(Dlg(source, "deu", "P1T"), WizardDriver::Text(wizard.Frame()));
    EXPECT_EQ(Dlg(source, "deu", "P1T"), WizardDriver::ItemText(wizard.CurrentPage(), idHeading));
    EXPECT_EQ(Dlg(source, "deu", "P11"), WizardDriver::ItemText(wizard.CurrentPage(), idText1));
    EXPECT_EQ("         " + ScriptText(source, "Product", "Product"),
              WizardDriver::ItemText(wizard.CurrentPage(), idText2));
    EXPECT_TRUE(IsWindowEnabled(wizard.Button(idBack)));
    CheckBackdropShot(wizard, "page1-welcome");

    WizardDriver::MouseClick(wizard.Button(idNext));
    ASSERT_TRUE(wizard.WaitForPage(PageKind::readme));
    EXPECT_EQ(Dlg(source, "deu", "P2T"), WizardDriver::Text(wizard.Frame()));
    std::string readme = FileBytes(source + "\\is-00001\\readme.deu");
    EXPECT_GT(readme.size(), 2000u);
    EXPECT_EQ(readme, WizardDriver::ItemText(wizard.CurrentPage(), idList));
    CheckBackdropShot(wizard, "page2-readme");

    WizardDriver::MouseClick(wizard.Button(idNext));
    ASSERT_TRUE(wizard.WaitForPage(PageKind::destination));
    HWND page = wizard.CurrentPage();
    std::string p31 = Dlg(source, "deu", "P31");
    ASSERT_NE(std::string::npos, p31.find("%P"));
    std::string filled = p31.replace(p31.find("%P"), 2, ScriptText(source, "Display Name", "Name"));
    EXPECT_EQ(filled, WizardDriver::ItemText(page, idText1));
    char programFiles[MAX_PATH] = "";
    DWORD size = sizeof(programFiles);
    RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                 RRF_RT_REG_SZ, nullptr, programFiles, &size);
    EXPECT_EQ(std::string(programFiles) + "\\" + ScriptText(source, "Target", "Dir"),
              WizardDriver::ItemText(page, idFolder));
    CheckBackdropShot(wizard, "page3-destination");
    // The typed folder replaces the whole field.
    WizardDriver::MouseClick(GetDlgItem(page, idFolder));
    WizardDriver::PressKey(VK_END);
    keybd_event(VK_SHIFT, 0, 0, 0);
    WizardDriver::PressKey(VK_HOME);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    WizardDriver::Type(typedFolder);
    EXPECT_TRUE(PumpUntil([&] { return WizardDriver::ItemText(page, idFolder) == typedFolder; }, 5000))
        << WizardDriver::ItemText(page, idFolder);

    WizardDriver::MouseClick(wizard.Button(idNext));
    ASSERT_TRUE(wizard.WaitForPage(PageKind::programFolder));
    EXPECT_EQ(Dlg(source, "deu", "P4T"), WizardDriver::Text(wizard.Frame()));
    CheckBackdropShot(wizard, "page4-program-folder");
    // The destination took the typed folder.
    WizardDriver::MouseClick(wizard.Button(idBack));
    ASSERT_TRUE(wizard.WaitForPage(PageKind::destination));
    EXPECT_EQ(typedFolder, WizardDriver::ItemText(wizard.CurrentPage(), idFolder));
    WizardDriver::MouseClick(wizard.Button(idNext));
    ASSERT_TRUE(wizard.WaitForPage(PageKind::programFolder));

    WizardDriver::MouseClick(wizard.Button(idNext));
    ASSERT_TRUE(wizard.WaitForPage(PageKind::ready));
    EXPECT_EQ(Dlg(source, "deu", "P51"), WizardDriver::ItemText(wizard.CurrentPage(), idText1));
    CheckBackdropShot(wizard, "page5-ready");

    WizardDriver::MouseClick(wizard.Button(idNext));
    ASSERT_TRUE(wizard.WaitForPage(PageKind::finish));
    page = wizard.CurrentPage();
    EXPECT_EQ(Dlg(source, "deu", "PFT"), WizardDriver::Text(wizard.Frame()));
    EXPECT_FALSE(IsWindowVisible(wizard.Button(idNext)));
    EXPECT_FALSE(IsWindowVisible(wizard.Button(idBack)));
    EXPECT_EQ(Msg(source, "deu", "7"), WizardDriver::Text(wizard.Button(idCancel)));
    EXPECT_EQ(BST_CHECKED, Ask(GetDlgItem(page, idRestartLater), BM_GETCHECK));
    EXPECT_EQ(BST_UNCHECKED, Ask(GetDlgItem(page, idRestartNow), BM_GETCHECK));
    EXPECT_EQ(Dlg(source, "deu", "PF4"), WizardDriver::ItemText(page, idRestartNow));
    CheckBackdropShot(wizard, "page6-finish");

    WizardDriver::MouseClick(GetDlgItem(page, idRestartNow));
    EXPECT_TRUE(PumpUntil([&] { return Ask(GetDlgItem(page, idRestartNow), BM_GETCHECK) == BST_CHECKED; }, 5000));
    WizardDriver::MouseClick(wizard.Button(idCancel));
    EXPECT_EQ(0x10006u, wizard.WaitForResult());
}

// Without the mouse: Tab and Shift+Tab reach the page's controls and the frame's buttons alike, the arrow
// keys choose a language, a mnemonic presses its button, a typed folder (at most a path long) becomes the
// destination, and Enter is Next on every page and Close on the last.
TEST_F(SetupWizard, KeyboardOnlyPass)
{
    WizardDriver wizard(Launcher(nullptr), source);
    ASSERT_TRUE(wizard.WaitForWizard());
    SetForegroundWindow(wizard.Frame());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == wizard.Frame(); }, 5000));
    HWND list = GetDlgItem(wizard.CurrentPage(), idList);
    ASSERT_TRUE(TabTo(wizard, list));
    WizardDriver::PressKey(VK_HOME);
    for (int row = 0; row < germanRow; ++row)
        WizardDriver::PressKey(VK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return CaptionsAre(wizard, "deu"); }, 10000));
    ASSERT_TRUE(TabTo(wizard, wizard.Button(idNext)));
    ASSERT_TRUE(TabTo(wizard, list, true));
    WizardDriver::PressKey(VK_RETURN);
    ASSERT_TRUE(wizard.WaitForPage(PageKind::welcome));
    // Alt and the marked letter of "&Weiter >".
    keybd_event(VK_MENU, 0, 0, 0);
    WizardDriver::PressKey('W');
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    ASSERT_TRUE(wizard.WaitForPage(PageKind::readme));
    WizardDriver::PressKey(VK_RETURN);
    ASSERT_TRUE(wizard.WaitForPage(PageKind::destination));
    HWND folder = GetDlgItem(wizard.CurrentPage(), idFolder);
    EXPECT_EQ(longestPath, Ask(folder, EM_GETLIMITTEXT));
    ASSERT_TRUE(TabTo(wizard, folder));   // tabbing in selects the whole field
    WizardDriver::Type(keyedFolder);
    EXPECT_TRUE(PumpUntil([&] { return WizardDriver::Text(folder) == keyedFolder; }, 5000)) << WizardDriver::Text(folder);
    for (PageKind kind : {PageKind::programFolder, PageKind::ready}) {
        WizardDriver::PressKey(VK_RETURN);
        ASSERT_TRUE(wizard.WaitForPage(kind));
    }
    WizardDriver::PressKey(VK_RETURN);
    ASSERT_TRUE(wizard.WaitForPage(PageKind::finish, 30000));
    ASSERT_TRUE(PumpUntil([&] { return wizard.Focus() == wizard.Button(idCancel); }, 5000));
    WizardDriver::PressKey(VK_RETURN);
    EXPECT_EQ(12u, wizard.WaitForResult());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((std::string(keyedFolder) + "\\OSTREL.EXE").c_str()));
}

// Browse on the destination page: a cancel keeps the field, a chosen folder fills it and becomes the
// destination; each time the wizard is active again with the focus on Browse.
TEST_F(SetupWizard, BrowseKeepsOrTakesTheFolderAndGivesTheFocusBack)
{
    // Right under the drive's root, where Wine's browser reliably opens on it (see the folder browser test).
    std::string chosen = std::string("C:\\ferrowin-browse-") + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(chosen.c_str(), nullptr);
    WizardDriver wizard(Launcher(nullptr), source);
    ASSERT_TRUE(wizard.WaitForWizard());
    for (PageKind kind : {PageKind::welcome, PageKind::readme, PageKind::destination})
        Next(wizard, kind);
    HWND page = wizard.CurrentPage();
    HWND folder = GetDlgItem(page, idFolder);
    for (int button : {IDCANCEL, IDOK}) {
        // The browser opens on the field's folder; what OK gives back has no closing backslash.
        std::string before = button == IDOK ? chosen + "\\" : chosen + "\\not made";
        std::string after = button == IDOK ? chosen : before;
        Ask(folder, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(before.c_str()));
        SetForegroundWindow(wizard.Frame());
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == wizard.Frame(); }, 5000));
        WizardDriver::Click(GetDlgItem(page, idBrowse));
        HWND browser = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (browser = wizard.FolderBrowser()) != nullptr; }, 15000));
        EXPECT_FALSE(IsWindowEnabled(wizard.Frame()));
        WizardDriver::Click(GetDlgItem(browser, button));
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(browser); }, 10000));
        EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == wizard.Frame(); }, 5000)) << button;
        EXPECT_TRUE(PumpUntil([&] { return wizard.Focus() == GetDlgItem(page, idBrowse); }, 5000)) << button;
        EXPECT_EQ(after, WizardDriver::Text(folder)) << button;
    }
    Next(wizard, PageKind::programFolder);
    Back(wizard, PageKind::destination);
    EXPECT_EQ(chosen, WizardDriver::Text(folder)) << "the destination took the chosen folder";
    CancelSetup(wizard);
    RemoveDirectoryA(chosen.c_str());
}

// Without a read-me the page is passed over forwards and backwards; Back to the language page disables
// Back and sets the captions again; Esc on a page is the Cancel button and leaves the page alive.
TEST_F(SetupWizard, ReadmeSkippedBothWaysBackResetsCaptionsEscAsksFirst)
{
    for (const char* ext : extensions)
        DeleteFileA((source + "\\is-00001\\readme." + ext).c_str());
    WizardDriver wizard(Launcher(nullptr), source);
    ASSERT_TRUE(wizard.WaitForWizard());
    const char* ext = CurrentExtension(wizard);
    Next(wizard, PageKind::welcome);
    Next(wizard, PageKind::destination);
    EXPECT_EQ(Dlg(source, ext, "P3T"), WizardDriver::Text(wizard.Frame()));
    Back(wizard, PageKind::welcome);
    Back(wizard, PageKind::language);
    EXPECT_FALSE(IsWindowEnabled(wizard.Button(idBack)));
    EXPECT_TRUE(CaptionsAre(wizard, ext));

    HWND page = wizard.CurrentPage();
    WizardDriver::MouseClick(GetDlgItem(page, idList));
    WizardDriver::PressKey(VK_ESCAPE);
    ASSERT_TRUE(wizard.WaitForConfirmation());
    HWND confirmation = wizard.Confirmation();
    EXPECT_EQ(Msg(source, ext, "20"), WizardDriver::Text(confirmation));
    EXPECT_EQ(Msg(source, ext, "23"), WizardDriver::ItemText(confirmation, 1000));
    EXPECT_EQ(Msg(source, ext, "21"), WizardDriver::ItemText(confirmation, IDOK));
    EXPECT_EQ(Msg(source, ext, "22"), WizardDriver::ItemText(confirmation, IDCANCEL));
    WizardDriver::Click(GetDlgItem(confirmation, IDOK));
    EXPECT_TRUE(PumpUntil([&] { return !wizard.Confirmation(); }, 5000));
    EXPECT_TRUE(IsWindow(page));
    EXPECT_EQ(page, wizard.CurrentPage());
    CancelSetup(wizard);
}

// A read-me that cannot be opened for writing (read-only media, or another program reading it) is still
// shown.
TEST_F(SetupWizard, ReadmeThatCannotBeWrittenIsShown)
{
    WizardDriver wizard(Launcher(nullptr), source);
    ASSERT_TRUE(wizard.WaitForWizard());
    const char* ext = CurrentExtension(wizard);
    std::string readme = source + "\\is-00001\\readme." + ext;
    HANDLE reader = CreateFileA(readme.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    Next(wizard, PageKind::welcome);
    Next(wizard, PageKind::readme);
    EXPECT_EQ(FileBytes(readme), WizardDriver::ItemText(wizard.CurrentPage(), idList));
    CloseHandle(reader);
    CancelSetup(wizard);
}

// A change of language renames the backdrop (and repaints its title), the wizard, the heading and the
// three buttons at once; the next page is in the new language.
TEST_F(SetupWizard, LanguageChangeUpdatesEverythingAtOnce)
{
    WizardDriver wizard(Launcher(nullptr), source);
    ASSERT_TRUE(wizard.WaitForWizard());
    RECT title;
    GetClientRect(wizard.Backdrop(), &title);
    MapWindowPoints(wizard.Backdrop(), nullptr, reinterpret_cast<POINT*>(&title), 2);
    title.left += 10;
    title.top += 10;
    title.right = title.left + 420;
    title.bottom = title.top + 40;
    // The English title as painted (the launcher paints in its own time).
    Screenshot before;
    ASSERT_TRUE(PumpUntil([&] {
        PaintNow(wizard.Backdrop());
        before = CaptureScreen(title);
        return std::count(before.pixels.begin(), before.pixels.end(), 0xFFFFFFu) > 300;
    }, 5000));
    ChooseLanguage(wizard, frenchRow);
    EXPECT_TRUE(PumpUntil([&] { return CaptionsAre(wizard, "fra"); }, 10000));
    EXPECT_EQ(frenchRow, Ask(GetDlgItem(wizard.CurrentPage(), idList), LB_GETCURSEL));
    EXPECT_TRUE(PumpUntil([&] { return CaptureScreen(title).pixels != before.pixels; }, 5000));
    Next(wizard, PageKind::welcome);
    EXPECT_EQ(Dlg(source, "fra", "P1T"), WizardDriver::Text(wizard.Frame()));
    EXPECT_EQ(Dlg(source, "fra", "P11"), WizardDriver::ItemText(wizard.CurrentPage(), idText1));
    CancelSetup(wizard);
}

// The program-folder list shows only the folders of the Start-menu programs folder, sorted; an empty
// edit keeps the script's folder, a typed one replaces it, a chosen list entry fills the edit.
TEST_F(SetupWizard, ProgramFolderListAndEdit)
{
    ScratchFolder programs("programs");
    for (const char* folder : {"Zeta", "alpha", "Mid"})
        CreateDirectoryA((programs.Path() + "\\" + folder).c_str(), nullptr);
    ASSERT_TRUE(programs.Write("Shortcut.lnk", "x"));
    ASSERT_TRUE(programs.Write("desktop.ini", "x"));
    const char* shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, shellFolders, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    char previous[MAX_PATH] = "";
    DWORD size = sizeof(previous);
    bool hadValue = RegQueryValueExA(key, "Programs", nullptr, nullptr, reinterpret_cast<BYTE*>(previous), &size) ==
                    ERROR_SUCCESS;
    RegSetValueExA(key, "Programs", 0, REG_SZ, reinterpret_cast<const BYTE*>(programs.Path().c_str()),
                   static_cast<DWORD>(programs.Path().size() + 1));

    WizardDriver wizard(Launcher(nullptr), source);
    ASSERT_TRUE(wizard.WaitForWizard());
    for (PageKind kind : {PageKind::welcome, PageKind::readme, PageKind::destination, PageKind::programFolder})
        Next(wizard, kind);
    HWND page = wizard.CurrentPage();
    EXPECT_EQ((std::vector<std::string>{"alpha", "Mid", "Zeta"}), WizardDriver::ListItems(GetDlgItem(page, idList)));
    std::string scriptFolder = ScriptText(source, "Target", "Folder");
    EXPECT_EQ(scriptFolder, WizardDriver::ItemText(page, idFolder));
    EXPECT_EQ(longestPath, Ask(GetDlgItem(page, idFolder), EM_GETLIMITTEXT));

    Ask(GetDlgItem(page, idFolder), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    Next(wizard, PageKind::ready);
    Back(wizard, PageKind::programFolder);
    EXPECT_EQ(scriptFolder, WizardDriver::ItemText(page, idFolder));

    Ask(GetDlgItem(page, idFolder), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Typed Group"));
    Next(wizard, PageKind::ready);
    Back(wizard, PageKind::programFolder);
    EXPECT_EQ("Typed Group", WizardDriver::ItemText(page, idFolder));

    HWND list = GetDlgItem(page, idList);
    Ask(list, LB_SETCURSEL, 1);
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(idList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    EXPECT_TRUE(PumpUntil([&] { return WizardDriver::ItemText(page, idFolder) == "Mid"; }, 5000));
    CancelSetup(wizard);

    if (hadValue)
        RegSetValueExA(key, "Programs", 0, REG_SZ, reinterpret_cast<const BYTE*>(previous),
                       static_cast<DWORD>(strlen(previous) + 1));
    else
        RegDeleteValueA(key, "Programs");
    RegCloseKey(key);
}

// Finishing: restart now on a 4.10 system gives 6, restart later gives 12.
TEST_F(SetupWizard, FinishResults)
{
    for (bool restartNow : {true, false}) {
        WizardDriver wizard(Launcher(restartNow ? "win98" : nullptr), source);
        ASSERT_TRUE(wizard.WaitForWizard());
        for (PageKind kind : {PageKind::welcome, PageKind::readme, PageKind::destination, PageKind::programFolder,
                              PageKind::ready, PageKind::finish})
            Next(wizard, kind);
        if (restartNow) {
            HWND button = GetDlgItem(wizard.CurrentPage(), idRestartNow);
            WizardDriver::Click(button);
            ASSERT_TRUE(PumpUntil([&] { return Ask(button, BM_GETCHECK) == BST_CHECKED; }, 5000));
        }
        WizardDriver::Click(wizard.Button(idCancel));
        EXPECT_EQ(restartNow ? 6u : 12u, wizard.WaitForResult());
    }
}

// A language file that cannot be read: the wizard still shows, with empty captions.
TEST_F(SetupWizard, UnreadableLanguageFileGivesEmptyCaptions)
{
    for (const char* ext : extensions)
        DeleteFileA((source + "\\is-00001\\setuplan." + ext).c_str());
    WizardDriver wizard(Launcher(nullptr), source);
    ASSERT_TRUE(wizard.WaitForWizard());
    EXPECT_EQ("", WizardDriver::Text(wizard.Backdrop()));
    EXPECT_EQ("", WizardDriver::Text(wizard.Frame()));
    EXPECT_EQ("", WizardDriver::ItemText(wizard.CurrentPage(), idHeading));
    for (int id : {idBack, idNext, idCancel})
        EXPECT_EQ("", WizardDriver::Text(wizard.Button(id))) << id;
    Next(wizard, PageKind::welcome);
    EXPECT_EQ("", WizardDriver::Text(wizard.Frame()));
    CancelSetup(wizard);
}
