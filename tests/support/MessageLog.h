// The messages that reached the test's windows, in order, for tests that compare message sequences as
// tables: the window, the message and its parameters, whether it was sent or posted, and when it came.
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
};

// Expected rows of a table.
inline LoggedMessage Sent(UINT message, WPARAM wParam, LPARAM lParam)
{
    return LoggedMessage{nullptr, message, wParam, lParam, true, 0, nullptr};
}
inline LoggedMessage Posted(UINT message, WPARAM wParam, LPARAM lParam)
{
    return LoggedMessage{nullptr, message, wParam, lParam, false, 0, nullptr};
}
inline LoggedMessage Handled(const char* note, UINT message, WPARAM wParam, LPARAM lParam)
{
    return LoggedMessage{nullptr, message, wParam, lParam, true, 0, note};
}

class MessageLog {
public:
    // Lets the log tell posted messages from sent ones on the calling thread: a message counts as posted
    // when it is the one this thread last took from its queue. Once per thread is enough.
    static bool WatchQueue();

    void Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const char* note = nullptr);
    void Clear() { entries.clear(); }
    size_t Size() const { return entries.size(); }
    const std::vector<LoggedMessage>& Entries() const { return entries; }
    // The entries for one window (any when null) and any of the messages (every one when the list is
    // empty), from the entry at index from on.
    std::vector<LoggedMessage> Of(HWND window, std::initializer_list<UINT> messages, size_t from = 0) const;
    std::vector<LoggedMessage> Of(HWND window, const std::vector<UINT>& messages, size_t from = 0) const;

private:
    std::vector<LoggedMessage> entries;
};

extern MessageLog g_messageLog;

// Records every message into g_messageLog, then leaves it to DefWindowProcA.
LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers a window class of that procedure (a class already there counts) and watches this thread's queue.
bool RegisterRecordingClass(const char* className);

// A message as text: its name (the registered name of a registered message) and its parameters.
std::string MessageText(UINT message, WPARAM wParam, LPARAM lParam);

// What a table row shows besides the message and its parameters.
enum MessageColumns : unsigned { messageOnly = 0, withDelivery = 1, withNote = 2 };
std::string MessageRow(const LoggedMessage& entry, unsigned columns);
std::vector<std::string> MessageRows(const std::vector<LoggedMessage>& entries, unsigned columns);

// Two tables compared row by row; a difference shows them side by side, each differing row marked.
::testing::AssertionResult SameRows(const std::vector<std::string>& expected, const std::vector<std::string>& seen);
::testing::AssertionResult SameMessages(const std::vector<LoggedMessage>& expected,
                                        const std::vector<LoggedMessage>& seen, unsigned columns = messageOnly);
