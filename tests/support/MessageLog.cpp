#include "tests/support/MessageLog.h"
#include <stdio.h>
#include <algorithm>
#include "tests/support/Stopwatch.h"

MessageLog g_messageLog;

namespace {

// The message the watched thread last took from its queue, until a recording window claims it.
thread_local MSG g_taken;
thread_local bool g_takenValid = false;
thread_local HHOOK g_queueWatch = nullptr;

LRESULT CALLBACK QueueWatch(int code, WPARAM removal, LPARAM lParam)
{
    if (code == HC_ACTION && removal == PM_REMOVE) {
        g_taken = *reinterpret_cast<const MSG*>(lParam);
        g_takenValid = true;
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

bool TakenFromTheQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!g_takenValid || InSendMessage() || g_taken.hwnd != window || g_taken.message != message ||
        g_taken.wParam != wParam || g_taken.lParam != lParam)
        return false;
    g_takenValid = false;
    return true;
}

const char* KnownName(UINT message)
{
    switch (message) {
    case WM_NULL: return "WM_NULL";
    case WM_CREATE: return "WM_CREATE";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_SETTEXT: return "WM_SETTEXT";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_COMMAND: return "WM_COMMAND";
    case WM_TIMER: return "WM_TIMER";
    case WM_HSCROLL: return "WM_HSCROLL";
    case WM_VSCROLL: return "WM_VSCROLL";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    case WM_MBUTTONDOWN: return "WM_MBUTTONDOWN";
    case WM_MBUTTONUP: return "WM_MBUTTONUP";
    case WM_MOUSEWHEEL: return "WM_MOUSEWHEEL";
    case WM_XBUTTONDOWN: return "WM_XBUTTONDOWN";
    case WM_XBUTTONUP: return "WM_XBUTTONUP";
    default: return nullptr;
    }
}

}  // namespace

bool MessageLog::WatchQueue()
{
    if (!g_queueWatch)
        g_queueWatch = SetWindowsHookExA(WH_GETMESSAGE, QueueWatch, nullptr, GetCurrentThreadId());
    return g_queueWatch != nullptr;
}

void MessageLog::Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const char* note)
{
    bool sent = !TakenFromTheQueue(window, message, wParam, lParam);
    entries.push_back({window, message, wParam, lParam, sent, Now(), note});
}

std::vector<LoggedMessage> MessageLog::Of(HWND window, std::initializer_list<UINT> messages, size_t from) const
{
    return Of(window, std::vector<UINT>(messages), from);
}

std::vector<LoggedMessage> MessageLog::Of(HWND window, const std::vector<UINT>& messages, size_t from) const
{
    std::vector<LoggedMessage> result;
    for (size_t i = from; i < entries.size(); i++) {
        const LoggedMessage& entry = entries[i];
        if ((!window || entry.window == window) &&
            (messages.empty() || std::find(messages.begin(), messages.end(), entry.message) != messages.end()))
            result.push_back(entry);
    }
    return result;
}

LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_messageLog.Record(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterRecordingClass(const char* className)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordingWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    return MessageLog::WatchQueue();
}

std::string MessageText(UINT message, WPARAM wParam, LPARAM lParam)
{
    char name[96] = "";
    const char* known = KnownName(message);
    // A registered message shares the atom table with clipboard formats: its name comes back that way.
    if (known)
        snprintf(name, sizeof name, "%s", known);
    else if (message >= 0xC000 && GetClipboardFormatNameA(message, name, sizeof name) > 0)
        name[sizeof name - 1] = '\0';
    else if (message >= WM_APP && message < 0xC000)
        snprintf(name, sizeof name, "WM_APP+%u", message - WM_APP);
    else if (message >= WM_USER && message < WM_APP)
        snprintf(name, sizeof name, "WM_USER+%u", message - WM_USER);
    else
        snprintf(name, sizeof name, "message %#x", message);
    char text[160];
    snprintf(text, sizeof text, "%s(%#llx, %#llx)", name, static_cast<unsigned long long>(wParam),
             static_cast<unsigned long long>(lParam));
    return text;
}

std::string MessageRow(const LoggedMessage& entry, unsigned columns)
{
    std::string row;
    if ((columns & withNote) && entry.note)
        row = std::string(entry.note) + " ";
    row += MessageText(entry.message, entry.wParam, entry.lParam);
    if (columns & withDelivery)
        row += entry.sent ? " sent" : " posted";
    return row;
}

std::vector<std::string> MessageRows(const std::vector<LoggedMessage>& entries, unsigned columns)
{
    std::vector<std::string> rows;
    for (const LoggedMessage& entry : entries)
        rows.push_back(MessageRow(entry, columns));
    return rows;
}

::testing::AssertionResult SameRows(const std::vector<std::string>& expected, const std::vector<std::string>& seen)
{
    if (expected == seen)
        return ::testing::AssertionSuccess();
    size_t width = 8;
    for (const std::string& row : expected)
        width = std::max(width, row.size());
    std::string table = "\n     " + std::string("expected") + std::string(width - 8, ' ') + " | seen\n";
    for (size_t i = 0; i < std::max(expected.size(), seen.size()); i++) {
        const std::string left = i < expected.size() ? expected[i] : "";
        const std::string right = i < seen.size() ? seen[i] : "";
        bool same = i < expected.size() && i < seen.size() && left == right;
        table += (same ? "     " : "  >  ") + left + std::string(width - left.size(), ' ') + " | " + right + "\n";
    }
    return ::testing::AssertionFailure() << "the sequences differ:" << table;
}

::testing::AssertionResult SameMessages(const std::vector<LoggedMessage>& expected,
                                        const std::vector<LoggedMessage>& seen, unsigned columns)
{
    return SameRows(MessageRows(expected, columns), MessageRows(seen, columns));
}
