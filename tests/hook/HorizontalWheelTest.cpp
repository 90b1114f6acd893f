// The horizontal repeat as Windows 7 and XP see it: copies of this program that Wine runs as those
// versions load hoppet.dll, press a side button over windows with a scroll-bar control, with WS_HSCROLL
// and with neither (straight into the low-level hook procedure, on this thread, where the repeat timer then
// runs), and compare what three ticks brought with the table of their version.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "ChildProcess.h"
#include "HookTestSupport.h"
#include "LaneFactor.h"

namespace {

constexpr char versionVariable[] = "FERROWIN_WHEEL_VERSION";
constexpr int ticks = 3;

enum TargetKind { withScrollBarControl, withOwnStyle, withNeither };

struct WheelCase {
    TargetKind kind;
    WORD xButton;
};

// What one tick brings: the bar control's or the window's own WM_HSCROLL step; for a window with neither,
// a notch of the horizontal wheel from NT 6.0 on (right positive, where the cursor is) and nothing before.
std::vector<ExpectedMessage> ExpectedTicks(const WheelCase& c, bool wheel, HWND bar, POINT cursor)
{
    WPARAM step = c.xButton == XBUTTON1 ? SB_LINELEFT : SB_LINERIGHT;
    short delta = c.xButton == XBUTTON1 ? -WHEEL_DELTA : WHEEL_DELTA;
    std::vector<ExpectedMessage> rows = Pointer();   // the press finds its window by the hit test
    rows.push_back(HandBack());
    for (int i = 0; i < ticks; ++i) {
        if (c.kind == withScrollBarControl)
            rows.push_back(Posted(WM_HSCROLL, step, reinterpret_cast<LPARAM>(bar)));
        else if (c.kind == withOwnStyle)
            rows.push_back(Posted(WM_HSCROLL, step, 0));
        else if (wheel)
            rows.push_back(Posted(WM_MOUSEHWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(cursor.x, cursor.y)));
    }
    return rows;
}

// Runs in the copy of the given version.
TEST(HorizontalWheelHelper, TicksOverEachKindOfWindow)
{
    char version[16] = "";
    if (!GetEnvironmentVariableA(versionVariable, version, sizeof version))
        GTEST_SKIP() << "runs in the helper copies only";
    const bool win7 = std::string(version) == "win7";
    DWORD packed = GetVersion();
    ASSERT_EQ(win7 ? 6u : 5u, LOBYTE(LOWORD(packed))) << "Wine does not run this copy as " << version;

    Hoppet hoppet;
    ASSERT_TRUE(hoppet.Load());
    ASSERT_TRUE(RegisterRecorderClasses());
    SettingsFolder settings;
    ASSERT_TRUE(settings.Ready());
    ASSERT_TRUE(settings.WriteFile(0, 0));

    const WheelCase cases[] = {
        {withScrollBarControl, XBUTTON1}, {withOwnStyle, XBUTTON2}, {withNeither, XBUTTON1}, {withNeither, XBUTTON2},
    };
    for (const WheelCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "window kind " << c.kind << ", X button " << c.xButton);
        HWND target = MakeRecorder("FerrowinRecorder", c.kind == withOwnStyle ? WS_HSCROLL : 0, 100, 100, 300, 200,
                                   nullptr);
        HWND bar = c.kind == withScrollBarControl ? MakeScrollBar(target, false, true, 0, 180, 300, 20) : nullptr;
        ASSERT_TRUE(target && (bar || c.kind != withScrollBarControl));
        POINT at = {250, 180};
        SetCursorPos(at.x, at.y);
        ASSERT_TRUE(PumpUntil([at] {
            POINT now;
            return GetCursorPos(&now) && now.x == at.x && now.y == at.y;
        }, 2000 * LaneFactor()));
        Drain();   // the new window's paint and the pointer's arrival are over before the press
        g_messageLog.Clear();

        MSLLHOOKSTRUCT record = {};
        record.pt = at;
        record.mouseData = static_cast<DWORD>(c.xButton) << 16;
        ASSERT_EQ(1, hoppet.LowLevelMousePProc(HC_ACTION, WM_XBUTTONDOWN, reinterpret_cast<LPARAM>(&record)));
        // The repeat timer is this thread's: released right after its third tick was handled.
        int fired = 0;
        double end = Now() + 2000.0 * LaneFactor();
        while (fired < ticks && Now() < end)
            Pump(1, &fired);
        hoppet.LowLevelMousePProc(HC_ACTION, WM_XBUTTONUP, reinterpret_cast<LPARAM>(&record));
        Drain();
        EXPECT_EQ(ticks, fired) << "the repeat did not tick";
        ExpectSequence({target}, ExpectedTicks(c, win7, bar, at));
        DestroyWindow(target);
    }
    FreeLibrary(hoppet.module);
}

// Starts the copy of this program that Wine runs as the given version; its verdict.
void ExpectHelperPasses(const char* version)
{
    std::string name = std::string("horizontal_wheel_") + version + ".exe";
    std::string helper = CopySelfAsVersion(name, version);
    ASSERT_FALSE(helper.empty());
    SetEnvironmentVariableA(versionVariable, version);
    ChildResult run = RunChild(helper, "--gtest_filter=HorizontalWheelHelper.*", 60000 * LaneFactor());
    SetEnvironmentVariableA(versionVariable, nullptr);
    DeleteFileA(helper.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, ("Software\\Wine\\AppDefaults\\" + name).c_str());
    EXPECT_TRUE(run.finished) << "the helper did not end in time";
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("SKIPPED")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("[  PASSED  ] 1 test")) << run.output;
}

TEST(HorizontalWheel, Windows7SendsWheelNotchesToWindowsWithoutScrollBars)
{
    ExpectHelperPasses("win7");
}

TEST(HorizontalWheel, WindowsXPLeavesWindowsWithoutScrollBarsAlone)
{
    ExpectHelperPasses("winxp");
}

}
