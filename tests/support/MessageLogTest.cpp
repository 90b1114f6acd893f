// The table comparison against sequences made up here, so that what each kind of row lets through, and
// what it does not, is seen apart from any real window.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "tests/support/MessageLog.h"

namespace {

HWND const windowA = reinterpret_cast<HWND>(0x10);
HWND const windowB = reinterpret_cast<HWND>(0x20);

LoggedMessage Came(UINT message, bool sentToWindow, WPARAM wParam = 0, HWND window = windowA, bool fromDefault = false)
{
    return LoggedMessage{window, message, wParam, 0, sentToWindow, 0, nullptr, fromDefault};
}

ExpectedMessage KeyUp()
{
    ExpectedMessage row{WM_KEYUP, posted};
    row.also = WM_SYSKEYUP;
    return row;
}

struct Case {
    const char* what;
    std::vector<ExpectedMessage> expected;
    std::vector<LoggedMessage> seen;
    bool same;
};

TEST(MessageLog, RowsLetThroughWhatTheySayAndNothingElse)
{
    const ExpectedMessage steps = {WM_HSCROLL, posted | repeated};
    const ExpectedMessage release = {WM_XBUTTONUP, posted | wparam, MAKEWPARAM(0, 2), 0, 0xFFFF0000};
    const ExpectedMessage handBack = {WM_NULL, sent | anytime};
    const Case cases[] = {
        {"exact", {Posted(WM_HSCROLL, 0, 0)}, {Came(WM_HSCROLL, false)}, true},
        {"delivery", {Posted(WM_HSCROLL, 0, 0)}, {Came(WM_HSCROLL, true)}, false},
        {"parameter", {Posted(WM_HSCROLL, 1, 0)}, {Came(WM_HSCROLL, false)}, false},
        {"optional absent", {{WM_NCHITTEST, sent | optional}, steps}, {Came(WM_HSCROLL, false)}, true},
        {"optional present", {{WM_NCHITTEST, sent | optional}, steps},
         {Came(WM_NCHITTEST, true), Came(WM_HSCROLL, false)}, true},
        {"repeated", {steps, release},
         {Came(WM_HSCROLL, false), Came(WM_HSCROLL, false), Came(WM_XBUTTONUP, false, MAKEWPARAM(0x20, 2))}, true},
        {"repeated but absent", {steps, release}, {Came(WM_XBUTTONUP, false, MAKEWPARAM(0, 2))}, false},
        {"masked parameter differs", {release}, {Came(WM_XBUTTONUP, false, MAKEWPARAM(0, 1))}, false},
        {"step after the release", {steps, release},
         {Came(WM_HSCROLL, false), Came(WM_XBUTTONUP, false, MAKEWPARAM(0, 2)), Came(WM_HSCROLL, false)}, false},
        {"anytime", {steps, release, handBack},
         {Came(WM_HSCROLL, false), Came(WM_NULL, true), Came(WM_HSCROLL, false), Came(WM_XBUTTONUP, false, MAKEWPARAM(0, 2))},
         true},
        {"default procedure", {{WM_SETCURSOR, sent | defwinproc}}, {Came(WM_SETCURSOR, true)}, false},
        {"not from the default procedure", {{WM_SETCURSOR, sent}}, {Came(WM_SETCURSOR, true, 0, windowA, true)}, false},
        {"window", {To(windowA, steps)}, {Came(WM_HSCROLL, false, 0, windowB)}, false},
        {"either message", {KeyUp(), KeyUp()}, {Came(WM_KEYUP, false), Came(WM_SYSKEYUP, false)}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.same, static_cast<bool>(SameSequence(c.expected, c.seen))) << c.what;
}

TEST(MessageLog, DifferenceShowsBothTablesWithTheDifferingRowMarked)
{
    ::testing::AssertionResult result =
        SameSequence({{WM_HSCROLL, posted | repeated}, {WM_XBUTTONUP, posted}},
                     {Came(WM_HSCROLL, false), Came(WM_XBUTTONUP, false), Came(WM_HSCROLL, false)});
    ASSERT_FALSE(result);
    const std::string report = result.message();
    EXPECT_NE(std::string::npos, report.find("     WM_HSCROLL(*, *) posted repeated | WM_HSCROLL(0, 0) posted")) << report;
    std::vector<std::string> marked;
    for (size_t at = report.find("\n  >  "); at != std::string::npos; at = report.find("\n  >  ", at + 1))
        marked.push_back(report.substr(at + 1, report.find('\n', at + 1) - at - 1));
    ASSERT_EQ(1u, marked.size()) << report;
    EXPECT_NE(std::string::npos, marked[0].find("| WM_HSCROLL(0, 0) posted")) << report;
}

}  // namespace
