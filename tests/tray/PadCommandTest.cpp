// The nine commands of the pad: a click on each button, and the exact input it synthesises into the
// window that was in front, seen by low-level hooks and by that window.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "tests/support/MessageLog.h"
#include "tests/tray/PadTestSupport.h"
#include "tray/MainFrame.h"
#include "tray/PadLauncher.h"
#include "tray/RoundMapDlg.h"
#include "tray/TrayGlobals.h"
#include "tray/resource.h"

namespace {

struct ExpectedKey {
    DWORD key;
    DWORD scan;
    bool up;
};

struct CommandCase {
    int index;
    const char* name;
    std::vector<ExpectedKey> keys;
};

void PrintTo(const CommandCase& c, std::ostream* out)
{
    *out << c.name;
}

const CommandCase commandCases[] = {
    {0, "New", {{0x11, 0, false}, {'N', 'N', false}, {'N', 'N', true}, {0x11, 0x11, true}}},
    {1, "Find", {{0x11, 0, false}, {'F', 'F', false}, {'F', 'F', true}, {0x11, 0x11, true}}},
    {2, "MailLink",
     {{0x12, 0, false}, {'B', 'B', false}, {'B', 'B', true}, {0x12, 0x12, true},
      {'V', 'V', false}, {'V', 'V', true}, {'K', 'K', false}, {'K', 'K', true}}},
    {3, "MailWebpage",
     {{0x12, 0, false}, {'B', 'B', false}, {'B', 'B', true}, {0x12, 0x12, true},
      {'V', 'V', false}, {'V', 'V', true}, {'P', 'P', false}, {'P', 'P', true}}},
    {4, "AppendMyFavorite",
     {{0x12, 0, false}, {'F', 'F', false}, {'F', 'F', true}, {0x12, 0x12, true}, {'T', 'T', false}, {'T', 'T', true}}},
    {5, "ReFresh", {{0x11, 0, false}, {'R', 'R', false}, {'R', 'R', true}, {0x11, 0x11, true}}},
    {6, "Save",
     {{0x12, 0, false}, {'B', 'B', false}, {'B', 'B', true}, {0x12, 0x12, true},
      {'V', 'V', false}, {'V', 'V', true}, {'L', 'L', false}, {'L', 'L', true}}},
    {7, "Open", {{0x11, 0, false}, {'O', 0, false}, {'O', 0, true}, {0x11, 0, true}}},
    {8, "Centre", {}},
};

// The frame's watchdog timer ticks on the target window (the frame has no window of its own here).
const ExpectedMessage watchdog = {WM_TIMER, posted | wparam | anytime, CMainFrame::watchdogTimer};

// What the target window receives once the pad has ended: it is active again (unless it still was), then
// the keys, each with the character the message loop may make of it. A key comes as a system key or not
// depending on when the target's thread reads Alt's state.
std::vector<ExpectedMessage> TargetSequence(const std::vector<ExpectedKey>& keys)
{
    std::vector<ExpectedMessage> rows = Rows({Activation(), {watchdog}});
    for (const ExpectedKey& key : keys) {
        ExpectedMessage row = {static_cast<UINT>(key.up ? WM_KEYUP : WM_KEYDOWN), posted | wparam, key.key};
        row.also = key.up ? WM_SYSKEYUP : WM_SYSKEYDOWN;
        rows.push_back(row);
        if (!key.up) {
            ExpectedMessage character = {WM_CHAR, posted | optional};
            character.also = WM_SYSCHAR;
            rows.push_back(character);
        }
    }
    return rows;
}

std::string DescribeExpected(const std::vector<ExpectedKey>& keys)
{
    std::string text;
    char line[64];
    for (const ExpectedKey& k : keys) {
        snprintf(line, sizeof line, "  code 0x%02lx scan 0x%02lx %s\n", k.key, k.scan, k.up ? "up" : "down");
        text += line;
    }
    return text;
}

class PadCommandTest : public PadTest, public ::testing::WithParamInterface<CommandCase> {};

}  // namespace

TEST_P(PadCommandTest, TypesIntoTheWindowThatWasInFront)
{
    const CommandCase& command = GetParam();
    ASSERT_TRUE(BringToFront(target));
    InputRecorder recorder(target);
    ASSERT_TRUE(recorder.Started());
    HWND pad = Open(500, 350);
    ASSERT_TRUE(pad);
    EXPECT_EQ(target, g_padDialog->previousForeground);
    g_messageLog.Clear();

    RECT rect;
    GetWindowRect(pad, &rect);
    POINT point = SegmentPoint(command.index);
    POINT click = {rect.left + point.x, rect.top + point.y};
    HWND button = GetDlgItem(pad, IDC_NEW + command.index);
    ASSERT_EQ(button, WindowFromPoint(click)) << "the click point is not on the button";
    SetCursorPos(click.x, click.y);
    Pump(30);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);

    EXPECT_TRUE(WaitClosed(pad)) << "the pad did not end";
    EXPECT_EQ(0u, ReadRoundMap());
    EXPECT_TRUE(frame->PadLauncher().Thread() == nullptr);
    const size_t expectedEvents = command.keys.empty() ? 2 : command.keys.size();
    PumpUntil([&] { return recorder.Events().size() >= expectedEvents && KeysSeen(target) >= command.keys.size(); },
              3000);
    Drain();
    std::vector<InputEvent> events = recorder.Events();

    if (command.keys.empty()) {
        // The middle click, where the cursor is (on the centre button), then the foreground goes back.
        ASSERT_EQ(2u, events.size()) << DescribeKeys(events);
        EXPECT_EQ(static_cast<DWORD>(WM_MBUTTONDOWN), events[0].code);
        EXPECT_EQ(static_cast<DWORD>(WM_MBUTTONUP), events[1].code);
        EXPECT_EQ(click.x, events[0].point.x);
        EXPECT_EQ(click.y, events[0].point.y);
        EXPECT_TRUE(PumpUntil([this] { return GetForegroundWindow() == target; }, 2000));
        Drain();
        // Nothing typed; the click itself reaches the target only if the pad has gone from under the cursor.
        EXPECT_TRUE(SameSequence(Rows({Activation(), {watchdog}, Pointer(), {{WM_MBUTTONDOWN, posted | optional}},
                                       Pointer(), {{WM_MBUTTONUP, posted | optional}}, Pointer()}),
                                 g_messageLog.Sequence({target})));
        return;
    }

    bool same = events.size() == command.keys.size();
    for (size_t i = 0; same && i < events.size(); i++)
        same = events[i].code == command.keys[i].key && events[i].scan == command.keys[i].scan &&
               events[i].up == command.keys[i].up && events[i].foreground == target;
    EXPECT_TRUE(same) << "expected (all with the target " << target << " in front):\n"
                      << DescribeExpected(command.keys) << "seen:\n" << DescribeKeys(events);
    EXPECT_TRUE(SameSequence(TargetSequence(command.keys), g_messageLog.Sequence({target})))
        << "what the target window received";
}

INSTANTIATE_TEST_SUITE_P(AllNine, PadCommandTest, ::testing::ValuesIn(commandCases),
                         [](const ::testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });
