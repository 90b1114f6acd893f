// The messages that reached the test's windows, in order, for tests that compare message sequences as
// tables in the manner of Wine's conformance tests: the expected rows say how each message came (sent,
// posted, from the default procedure), which parameters count, and whether a row may be absent, repeat or
// come at any point, and the whole sequence of the windows under test is compared with them.
// One log for the test program (window procedures have no other place to write to), used by the thread
// that owns the recording windows.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

struct LoggedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool sent;                  // false when it came through the queue of a watched thread
    double time;                // milliseconds, the clock of Now()
    const char* note;           // which handler took it, where a test tells them apart; may be null
    bool fromDefault;           // sent while a recording window's default procedure ran on this thread
};

// What an expected row compares besides the message number (Wine's msg_flags_t).
enum RowFlags : unsigned {
    sent = 0x1,             // came straight to the window procedure
    posted = 0x2,           // came through the queue (sent and posted unset: either)
    wparam = 0x4,           // wParam counts, under the row's mask
    lparam = 0x8,           // lParam counts, under the row's mask
    defwinproc = 0x10,      // sent from within a default procedure (compared on rows that give sent)
    optional = 0x20,        // may be absent
    repeated = 0x40,        // may come several times in a row; with optional, any number of times
    anytime = 0x80,         // may come at any point, any number of times (what another thread sends
                            // whenever it runs)
};

struct ExpectedMessage {
    UINT message;
    unsigned flags;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    WPARAM wParamMask = ~static_cast<WPARAM>(0);
    LPARAM lParamMask = ~static_cast<LPARAM>(0);
    HWND window = nullptr;      // compared when given, for a sequence over several windows
    const char* note = nullptr; // compared when given
    UINT also = 0;              // another message number the row stands for, when not 0
};

// Rows that compare both parameters and the way of delivery.
inline ExpectedMessage Sent(UINT message, WPARAM wParam, LPARAM lParam)
{
    return {message, sent | wparam | lparam, wParam, lParam};
}
inline ExpectedMessage Posted(UINT message, WPARAM wParam, LPARAM lParam)
{
    return {message, posted | wparam | lparam, wParam, lParam};
}
// A row recorded by a handler with its note, compared with the note and both parameters.
inline ExpectedMessage Handled(const char* note, UINT message, WPARAM wParam, LPARAM lParam)
{
    ExpectedMessage row{message, wparam | lparam, wParam, lParam};
    row.note = note;
    return row;
}
// The same row for one window of a sequence over several.
inline ExpectedMessage To(HWND window, ExpectedMessage row)
{
    row.window = window;
    return row;
}
// Optional rows of what windows may receive as one of them becomes the active window (the one before
// losing it first): which of them come depends on their state before and on the platform.
std::vector<ExpectedMessage> Activation();
// Optional rows of what the pointer over a window and a press in it may bring: hit tests, activation by
// the click, the cursor's shape (asked of the parent too), moves.
std::vector<ExpectedMessage> Pointer();
// Parts of a table, one after the other.
std::vector<ExpectedMessage> Rows(std::initializer_list<std::vector<ExpectedMessage>> parts);

class MessageLog {
public:
    // Lets the log tell posted messages from sent ones on the calling thread: a message counts as posted
    // when it is the one this thread last took from its queue. Once per thread is enough.
    static bool WatchQueue();

    void Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const char* note = nullptr);
    void Clear() { entries.clear(); }
    size_t Size() const { return entries.size(); }
    const std::vector<LoggedMessage>& Entries() const { return entries; }
    // Everything that reached the windows (any window when the list is empty) from the entry at index
    // from on, except the ignored messages below.
    std::vector<LoggedMessage> Sequence(std::initializer_list<HWND> windows, size_t from = 0) const;

private:
    std::vector<LoggedMessage> entries;
};

extern MessageLog g_messageLog;

// The ignore list: messages that say nothing about any behaviour under test and come whenever the system
// likes (accessibility queries, the input method, system settings and device broadcasts, the caret's
// blink); they are never compared. Anything the platform may or may not send because of what a test does
// (icon queries, hit tests, the cursor, moves, activation) is an optional row of its table instead.
bool IgnoredMessage(UINT message);

// Records every message into g_messageLog, then leaves it to DefaultRecorded.
LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// DefWindowProcA, with what it sends meanwhile recorded as coming from a default procedure.
LRESULT DefaultRecorded(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers a window class of that procedure (a class already there counts) and watches this thread's queue.
bool RegisterRecordingClass(const char* className);

// A message as text: its name (the registered name of a registered message) and its parameters.
std::string MessageText(UINT message, WPARAM wParam, LPARAM lParam);

// The expected table compared with the whole sequence seen; a difference shows both tables side by side,
// each differing row marked.
::testing::AssertionResult SameSequence(const std::vector<ExpectedMessage>& expected,
                                        const std::vector<LoggedMessage>& seen);
// Two tables of text compared row by row, shown the same way.
::testing::AssertionResult SameRows(const std::vector<std::string>& expected, const std::vector<std::string>& seen);
// How many of the entries are of the message (the count of a repeated row).
size_t CountOf(const std::vector<LoggedMessage>& entries, UINT message);
