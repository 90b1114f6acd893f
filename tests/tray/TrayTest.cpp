// The tray icon object against a recording stand-in for the shell, and the start-up's small rules:
// platform classification, the own-folder check of the command line, the program path, the privilege step.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "tests/support/HelperThread.h"
#include "tests/support/MessageLog.h"
#include "tests/support/MessagePump.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "tray/OwnFolder.h"
#include "tray/PrivilegeRule.h"
#include "tray/StartupWorker.h"
#include "tray/SystemTray.h"
#include "tray/resource.h"

namespace {

CWinApp testApp;

// What the shell was asked to do.
struct NotifyCall {
    DWORD action;
    UINT flags;
    bool operator==(const NotifyCall& o) const { return action == o.action && flags == o.flags; }
};
std::vector<NotifyCall> notifyCalls;
NOTIFYICONDATAA lastNotify;
BOOL addSucceeds = TRUE;

BOOL WINAPI RecordNotify(DWORD action, NOTIFYICONDATAA* data)
{
    notifyCalls.push_back({action, data->uFlags});
    lastNotify = *data;
    return action == NIM_ADD ? addSucceeds : TRUE;
}

std::string Describe(const std::vector<NotifyCall>& calls)
{
    std::string text;
    for (const NotifyCall& c : calls)
        text += "  action " + std::to_string(c.action) + " flags " + std::to_string(c.flags) + "\n";
    return text;
}

#define EXPECT_CALLS(expected)                                                                              \
    EXPECT_EQ(expected, notifyCalls) << "expected:\n" << Describe(expected) << "seen:\n" << Describe(notifyCalls)

void PrintTo(const NotifyCall& c, std::ostream* out)
{
    *out << "action " << c.action << " flags " << c.flags;
}

// Stands in for the main frame: records every message it receives.
class CMainRecorder : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        g_messageLog.Record(hwnd, message, wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

const UINT notifyMessage = WM_APP + 40;

// The popup menu's loop, worked by keys, as its owner sees it; then what is posted once it has ended.
std::vector<ExpectedMessage> MenuLoop(std::vector<ExpectedMessage> then)
{
    std::vector<ExpectedMessage> rows = Rows({Activation(), {
        {WM_ENTERMENULOOP, sent | wparam, TRUE},
        {WM_SETCURSOR, sent | optional},
        {WM_INITMENU, sent},
        {WM_INITMENUPOPUP, sent},
        {WM_ENTERIDLE, sent | optional | repeated},
        {WM_MENUSELECT, sent | optional | repeated},
        {WM_ENTERIDLE, sent | optional | repeated},
        {WM_UNINITMENUPOPUP, sent | optional},
        {WM_MENUSELECT, sent | wparam | lparam, MAKEWPARAM(0, 0xFFFF), 0},
        {WM_EXITMENULOOP, sent | wparam, TRUE},
    }});
    rows.insert(rows.end(), then.begin(), then.end());
    return rows;
}

class SystemTrayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSystemTray::notifyIcon = RecordNotify;
        notifyCalls.clear();
        addSucceeds = TRUE;
        ASSERT_TRUE(MessageLog::WatchQueue());
        g_messageLog.Clear();
        const char* className = CWnd::RegisterFrameworkClass(0);
        ASSERT_TRUE(main.CreateEx(0, className, "main", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
        testApp.mainWnd = &main;
        g_messageLog.Clear();
    }
    void TearDown() override
    {
        testApp.mainWnd = nullptr;
        CSystemTray::notifyIcon = Shell_NotifyIconA;
    }
    CMainRecorder main;
};

}  // namespace

TEST_F(SystemTrayTest, CreateFillsTheRecordAndAddsTheIcon)
{
    CSystemTray tray;
    EXPECT_TRUE(tray.SetDefaultItem(0, TRUE));   // the initial values: nothing to load
    std::string longTip(100, 't');
    ASSERT_TRUE(tray.Create(&main, notifyMessage, longTip.c_str(), LoadIcon(nullptr, IDI_APPLICATION), IDR_TRAY_MENU));
    EXPECT_TRUE(tray.enabled);
    EXPECT_FALSE(tray.hidden);
    EXPECT_CALLS((std::vector<NotifyCall>{{NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP}}));
    EXPECT_EQ(static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE), lastNotify.cbSize);
    EXPECT_EQ(main.hwnd, lastNotify.hWnd);
    EXPECT_EQ(static_cast<UINT>(IDR_TRAY_MENU), lastNotify.uID);
    EXPECT_EQ(notifyMessage, lastNotify.uCallbackMessage);
    EXPECT_EQ(std::string(63, 't'), std::string(lastNotify.szTip));   // bounded: 63 characters and the end

    // Its own window: invisible 10 x 10 popup of a class with style 0.
    ASSERT_TRUE(tray.hwnd);
    EXPECT_FALSE(IsWindowVisible(tray.hwnd));
    EXPECT_EQ(static_cast<LONG>(WS_POPUP), GetWindowLong(tray.hwnd, GWL_STYLE) & (WS_POPUP | WS_VISIBLE | WS_CHILD));
    RECT rect;
    GetWindowRect(tray.hwnd, &rect);
    EXPECT_EQ(10, rect.right - rect.left);
    EXPECT_EQ(10, rect.bottom - rect.top);
    EXPECT_EQ(0u, GetClassLong(tray.hwnd, GCL_STYLE));
}

TEST_F(SystemTrayTest, WithoutOwnerTheIconTalksToItsOwnWindow)
{
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(nullptr, notifyMessage, "Quimbel", nullptr, IDR_TRAY_MENU));
    EXPECT_EQ(tray.hwnd, lastNotify.hWnd);
    // Its window procedure turns the notification into the default command for the main window.
    EXPECT_EQ(1, SendMessage(tray.hwnd, notifyMessage, IDR_TRAY_MENU, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(SameSequence(Rows({Activation(), {Sent(WM_COMMAND, ID_LAUNCH_MOUSE_PROPERTY, 0)}}), g_messageLog.Sequence({main.hwnd})));
}

TEST_F(SystemTrayTest, RefusedIconFailsCreate)
{
    addSucceeds = FALSE;
    CSystemTray tray;
    EXPECT_FALSE(tray.Create(&main, notifyMessage, "Quimbel", nullptr, IDR_TRAY_MENU));
    EXPECT_FALSE(tray.enabled);
    notifyCalls.clear();
    tray.Hide();
    tray.Remove();
    EXPECT_TRUE(notifyCalls.empty());
}

TEST_F(SystemTrayTest, HideOnceRemoveOnceDestructorRemovesWhatIsLeft)
{
    {
        CSystemTray tray;
        ASSERT_TRUE(tray.Create(&main, notifyMessage, "Quimbel", nullptr, IDR_TRAY_MENU));
        tray.Hide();
        tray.Hide();
        tray.Remove();   // still a delete call: the shell reports failure, the icon counts as removed
        tray.Remove();
        EXPECT_FALSE(tray.enabled);
        EXPECT_TRUE(tray.hidden);
    }
    EXPECT_CALLS((std::vector<NotifyCall>{{NIM_ADD, 7}, {NIM_DELETE, NIF_ICON}, {NIM_DELETE, 0}}));

    notifyCalls.clear();
    HWND own;
    {
        CSystemTray tray;
        ASSERT_TRUE(tray.Create(&main, notifyMessage, "Quimbel", nullptr, IDR_TRAY_MENU));
        own = tray.hwnd;
    }
    EXPECT_CALLS((std::vector<NotifyCall>{{NIM_ADD, 7}, {NIM_DELETE, 0}}));
    EXPECT_FALSE(IsWindow(own));
}

TEST_F(SystemTrayTest, SetDefaultItemChecksTheMenu)
{
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(&main, notifyMessage, "Quimbel", nullptr, IDR_TRAY_MENU));
    EXPECT_TRUE(tray.SetDefaultItem(ID_APP_EXIT, FALSE));
    EXPECT_EQ(static_cast<UINT>(ID_APP_EXIT), tray.defaultItem);
    EXPECT_FALSE(tray.defaultByPosition);

    CSystemTray noMenu;
    ASSERT_TRUE(noMenu.Create(&main, notifyMessage, "Quimbel", nullptr, 4321));
    EXPECT_FALSE(noMenu.SetDefaultItem(2, TRUE));
    EXPECT_EQ(2u, noMenu.defaultItem);   // stored all the same
}

TEST_F(SystemTrayTest, DoubleClickRunsTheDefaultItem)
{
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(&main, notifyMessage, "Quimbel", nullptr, IDR_TRAY_MENU));
    tray.SetDefaultItem(0, TRUE);
    EXPECT_EQ(1, tray.HandleNotification(IDR_TRAY_MENU, WM_LBUTTONDBLCLK));
    tray.SetDefaultItem(ID_APP_EXIT, FALSE);
    EXPECT_EQ(1, tray.HandleNotification(IDR_TRAY_MENU, MAKELPARAM(WM_LBUTTONDBLCLK, 0x55)));   // low word only
    tray.SetDefaultItem(7, TRUE);   // no item there: nothing to run
    EXPECT_EQ(0, tray.HandleNotification(IDR_TRAY_MENU, WM_LBUTTONDBLCLK));
    Pump(50);
    EXPECT_TRUE(SameSequence(Rows({Activation(), {Sent(WM_COMMAND, ID_LAUNCH_MOUSE_PROPERTY, 0)}, Activation(), {Sent(WM_COMMAND, ID_APP_EXIT, 0)}}),
                             g_messageLog.Sequence({main.hwnd})));
}

TEST_F(SystemTrayTest, OtherIconIdsAndOtherCodes)
{
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(&main, notifyMessage, "Quimbel", nullptr, IDR_TRAY_MENU));
    EXPECT_EQ(0, tray.HandleNotification(IDR_TRAY_MENU + 1, WM_LBUTTONDBLCLK));
    EXPECT_EQ(0, tray.HandleNotification(IDR_TRAY_MENU + 1, WM_RBUTTONUP));
    EXPECT_EQ(1, tray.HandleNotification(IDR_TRAY_MENU, WM_MOUSEMOVE));
    EXPECT_EQ(1, tray.HandleNotification(IDR_TRAY_MENU, WM_LBUTTONUP));
    Pump(50);
    EXPECT_TRUE(SameSequence({}, g_messageLog.Sequence({main.hwnd})));

    // Without a main window there is nobody to run a command for.
    testApp.mainWnd = nullptr;
    EXPECT_EQ(0, tray.HandleNotification(IDR_TRAY_MENU, WM_LBUTTONDBLCLK));
}

namespace {

// This process's open popup menu (other test programs may run at the same time).
HWND OwnMenu()
{
    for (HWND menu = FindWindowEx(nullptr, nullptr, "#32768", nullptr); menu;
         menu = FindWindowEx(nullptr, menu, "#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(menu, &owner);
        if (owner == GetCurrentProcessId() && IsWindowVisible(menu))
            return menu;
    }
    return nullptr;
}

// Works the popup menu from outside, the way a user's keys would: waits for it, then posts the keys.
struct MenuDriver {
    explicit MenuDriver(std::vector<WPARAM> keys) : keys(std::move(keys)) {}
    std::vector<WPARAM> keys;
    bool sawMenu = false;

    static DWORD Run(MenuDriver& driver)
    {
        for (int i = 0; i < 300; i++) {
            HWND menu = OwnMenu();
            if (menu) {
                driver.sawMenu = true;
                // The menu's loop takes posted keys in order.
                for (WPARAM key : driver.keys) {
                    PostMessage(menu, WM_KEYDOWN, key, 0);
                    PostMessage(menu, WM_KEYUP, key, 0xC0000000);
                }
                break;
            }
            Sleep(10);
        }
        // Whatever happened, the menu must not stay open: it is ended if it has not closed within 5 s.
        for (int i = 0; i < 500 && OwnMenu(); i++)
            Sleep(10);
        if (OwnMenu())
            EndMenu();
        return 0;
    }
};

}  // namespace

TEST_F(SystemTrayTest, RightClickShowsTheMenuAndItsCommandReachesTheMainWindow)
{
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(&main, notifyMessage, "Quimbel", nullptr, IDR_TRAY_MENU));
    tray.SetDefaultItem(0, TRUE);

    // First item, past the separator to "Exit".
    HelperThread<MenuDriver> driver(MenuDriver::Run, nullptr, std::vector<WPARAM>{VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(1, tray.HandleNotification(IDR_TRAY_MENU, WM_RBUTTONUP));
    EXPECT_TRUE(driver.Join(10000));
    EXPECT_TRUE(driver.data->sawMenu);
    Pump(100);
    EXPECT_TRUE(SameSequence(MenuLoop({Posted(WM_COMMAND, ID_APP_EXIT, 0), Posted(WM_NULL, 0, 0)}),
                             g_messageLog.Sequence({main.hwnd})));

    // Escape: no command, only the WM_NULL that lets the menu go.
    g_messageLog.Clear();
    HelperThread<MenuDriver> cancel(MenuDriver::Run, nullptr, std::vector<WPARAM>{VK_ESCAPE});
    EXPECT_EQ(1, tray.HandleNotification(IDR_TRAY_MENU, WM_RBUTTONUP));
    EXPECT_TRUE(cancel.Join(10000));
    Pump(100);
    EXPECT_TRUE(SameSequence(MenuLoop({Posted(WM_NULL, 0, 0)}), g_messageLog.Sequence({main.hwnd})));

    // A menu resource that does not exist shows nothing.
    CSystemTray noMenu;
    ASSERT_TRUE(noMenu.Create(&main, notifyMessage, "Quimbel", nullptr, 4321));
    EXPECT_EQ(0, noMenu.HandleNotification(4321, WM_RBUTTONUP));
}

TEST(PlatformClass, PrivilegeStepIsSkippedWhereThereAreNoTokens)
{
    struct Case {
        DWORD version;
        BOOL skip;
    } cases[] = {
        {0xC0000A04, TRUE},    // 98: 4.10, 9x bit
        {0xC0005A04, TRUE},    // Me: 4.90
        {0xC0000004, TRUE},    // 95: 4.0 with the 9x bit
        {0x00000004, FALSE},   // NT 4.0
        {0x00003303, FALSE},   // NT 3.51
        {0x00000105, FALSE},   // XP 5.1: major 5 is never skipped
        {0x00000005, FALSE},   // 2000
        {0x00000106, FALSE},   // 7
        {0x00000104, TRUE},    // a 4.1 system
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.skip, SkipsPrivilege(WindowsVersionFromPacked(c.version))) << std::hex << c.version;
}

TEST(OwnFolder, CommandLineMustNameThisProgram)
{
    struct Case {
        const char* commandLine;
        BOOL found;
        const char* folder;
    } cases[] = {
        {"\"C:\\Program Files\\Ferrowin\\Quelmar.exe\"", TRUE, "C:\\Program Files\\Ferrowin"},
        {"C:\\Ferrowin\\QUELMAR.EXE", TRUE, "C:\\Ferrowin"},
        {"C:\\Ferrowin\\quelmar.exe.bak", TRUE, "C:\\Ferrowin"},             // up to the first dot
        {"\"C:\\Ferrowin\\Quelmar.exe\" C:\\data\\file.txt", FALSE, ""},    // arguments with a backslash
        {"Quelmar.exe", FALSE, ""},                                          // no backslash
        {"C:\\Ferrowin\\Quelmar", FALSE, ""},                                // no dot
        {"C:\\Ferrowin\\Other.exe", FALSE, ""},
        {"", FALSE, ""},
    };
    for (const Case& c : cases) {
        char folder[MAX_PATH] = "";
        EXPECT_EQ(c.found, OwnFolderFromCommandLine(c.commandLine, "Quelmar", folder, sizeof folder)) << c.commandLine;
        EXPECT_STREQ(c.folder, folder) << c.commandLine;
    }

    // Longer than a path: left alone rather than cut somewhere in the middle.
    std::string longLine = "C:\\" + std::string(300, 'd') + "\\Quelmar.exe";
    char folder[MAX_PATH] = "";
    EXPECT_FALSE(OwnFolderFromCommandLine(longLine.c_str(), "Quelmar", folder, sizeof folder));
    // A folder that does not fit the caller's buffer.
    char small[8] = "";
    EXPECT_FALSE(OwnFolderFromCommandLine("C:\\Ferrowin\\Quelmar.exe", "Quelmar", small, sizeof small));
    EXPECT_STREQ("", small);
}

TEST(StartupWorker, ProgramPathIsBounded)
{
    char path[MAX_PATH];
    EXPECT_TRUE(PropertyProgramPath("C:\\Ferrowin", path, sizeof path));
    EXPECT_STREQ("C:\\Ferrowin\\PLINDOR.EXE", path);
    EXPECT_TRUE(PropertyProgramPath("", path, sizeof path));
    EXPECT_STREQ("\\PLINDOR.EXE", path);
    std::string folder(254, 'f');   // the longest "AppPath" value that can be read
    EXPECT_FALSE(PropertyProgramPath(folder.c_str(), path, sizeof path));
}

TEST(StartupWorker, PrivilegeStep)
{
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token));
    EXPECT_TRUE(EnablePrivilege(token, SE_DEBUG_NAME));
    EXPECT_FALSE(EnablePrivilege(token, "SeNoSuchPrivilege"));
    CloseHandle(token);
}
