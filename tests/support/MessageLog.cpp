#include "tests/support/MessageLog.h"
#include <stdio.h>
#include <string.h>
#include <algorithm>
#include "tests/support/Stopwatch.h"

MessageLog g_messageLog;

namespace {

// The message the watched thread last took from its queue, until a recording window claims it.
thread_local MSG g_taken;
thread_local bool g_takenValid = false;
thread_local HHOOK g_queueWatch = nullptr;
// Default procedures of recording windows running on this thread.
thread_local int g_inDefault = 0;

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
    case WM_MOVE: return "WM_MOVE";
    case WM_SIZE: return "WM_SIZE";
    case WM_ACTIVATE: return "WM_ACTIVATE";
    case WM_SETFOCUS: return "WM_SETFOCUS";
    case WM_KILLFOCUS: return "WM_KILLFOCUS";
    case WM_PAINT: return "WM_PAINT";
    case WM_ERASEBKGND: return "WM_ERASEBKGND";
    case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
    case WM_ACTIVATEAPP: return "WM_ACTIVATEAPP";
    case WM_SETCURSOR: return "WM_SETCURSOR";
    case WM_MOUSEACTIVATE: return "WM_MOUSEACTIVATE";
    case WM_WINDOWPOSCHANGING: return "WM_WINDOWPOSCHANGING";
    case WM_WINDOWPOSCHANGED: return "WM_WINDOWPOSCHANGED";
    case WM_NCDESTROY: return "WM_NCDESTROY";
    case WM_NCHITTEST: return "WM_NCHITTEST";
    case WM_NCPAINT: return "WM_NCPAINT";
    case WM_NCACTIVATE: return "WM_NCACTIVATE";
    case WM_NCMOUSEMOVE: return "WM_NCMOUSEMOVE";
    case WM_PARENTNOTIFY: return "WM_PARENTNOTIFY";
    case WM_CAPTURECHANGED: return "WM_CAPTURECHANGED";
    case WM_MOUSELEAVE: return "WM_MOUSELEAVE";
    case WM_SYSCHAR: return "WM_SYSCHAR";
    case WM_SYSCOMMAND: return "WM_SYSCOMMAND";
    case WM_APPCOMMAND: return "WM_APPCOMMAND";
    case WM_INITMENU: return "WM_INITMENU";
    case WM_INITMENUPOPUP: return "WM_INITMENUPOPUP";
    case WM_UNINITMENUPOPUP: return "WM_UNINITMENUPOPUP";
    case WM_MENUSELECT: return "WM_MENUSELECT";
    case WM_ENTERIDLE: return "WM_ENTERIDLE";
    case WM_ENTERMENULOOP: return "WM_ENTERMENULOOP";
    case WM_EXITMENULOOP: return "WM_EXITMENULOOP";
    case WM_CANCELMODE: return "WM_CANCELMODE";
    case WM_NCCREATE: return "WM_NCCREATE";
    case WM_NCCALCSIZE: return "WM_NCCALCSIZE";
    case WM_GETMINMAXINFO: return "WM_GETMINMAXINFO";
    case WM_QUERYNEWPALETTE: return "WM_QUERYNEWPALETTE";
    case WM_GETICON: return "WM_GETICON";
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

std::string Hex(unsigned long long value)
{
    char text[24];
    snprintf(text, sizeof text, "%#llx", value);
    return text;
}

// The message's name: a known one, the registered name of a registered message, or its number.
std::string MessageName(UINT message)
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
    return name;
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
    entries.push_back({window, message, wParam, lParam, sent, Now(), note, sent && g_inDefault > 0});
}

std::vector<LoggedMessage> MessageLog::Sequence(std::initializer_list<HWND> windows, size_t from) const
{
    std::vector<LoggedMessage> result;
    for (size_t i = from; i < entries.size(); i++) {
        const LoggedMessage& entry = entries[i];
        if ((windows.size() == 0 || std::find(windows.begin(), windows.end(), entry.window) != windows.end()) &&
            !IgnoredMessage(entry.message))
            result.push_back(entry);
    }
    return result;
}

bool IgnoredMessage(UINT message)
{
    switch (message) {
    case WM_GETOBJECT:
    case WM_TIMECHANGE:
    case WM_DISPLAYCHANGE:
    case WM_DEVICECHANGE:
    case WM_SETTINGCHANGE:
    case WM_IME_SETCONTEXT:
    case WM_IME_NOTIFY:
    case WM_IME_SELECT:
    case 0x0118:            // WM_SYSTIMER: the caret's blink
        return true;
    default:
        return false;
    }
}

LRESULT DefaultRecorded(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++g_inDefault;
    LRESULT result = DefWindowProcA(window, message, wParam, lParam);
    --g_inDefault;
    return result;
}

LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_messageLog.Record(window, message, wParam, lParam);
    return DefaultRecorded(window, message, wParam, lParam);
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
    return MessageName(message) + "(" + Hex(wParam) + ", " + Hex(lParam) + ")";
}

namespace {

bool Matches(const ExpectedMessage& row, const LoggedMessage& entry)
{
    if ((row.message != entry.message && (!row.also || row.also != entry.message)) ||
        (row.window && row.window != entry.window))
        return false;
    if (row.note && (!entry.note || strcmp(row.note, entry.note) != 0))
        return false;
    if (((row.flags & sent) && !entry.sent) || ((row.flags & posted) && entry.sent))
        return false;
    if ((row.flags & (sent | defwinproc)) && bool(row.flags & defwinproc) != entry.fromDefault)
        return false;
    if ((row.flags & wparam) && ((row.wParam ^ entry.wParam) & row.wParamMask))
        return false;
    return !(row.flags & lparam) || !((row.lParam ^ entry.lParam) & row.lParamMask);
}

std::string Parameter(bool compared, unsigned long long value, unsigned long long mask)
{
    if (!compared)
        return "*";
    if (mask == ~0ull || (sizeof(WPARAM) == 4 && mask == 0xFFFFFFFFull))
        return Hex(value);
    return Hex(value & mask) + "&" + Hex(mask);
}

std::string WindowText(HWND window)
{
    char text[32];
    snprintf(text, sizeof text, "%p ", static_cast<void*>(window));
    return text;
}

std::string ExpectedText(const ExpectedMessage& row, bool withWindows)
{
    std::string text = withWindows && row.window ? WindowText(row.window) : "";
    if (row.note)
        text += std::string(row.note) + " ";
    text += MessageName(row.message) + (row.also ? "|" + MessageName(row.also) : "") + "(" + Parameter(row.flags & wparam, row.wParam, row.wParamMask) + ", " +
            Parameter(row.flags & lparam, row.lParam, static_cast<ULONG_PTR>(row.lParamMask)) + ")";
    if (row.flags & sent)
        text += " sent";
    if (row.flags & posted)
        text += " posted";
    if (row.flags & defwinproc)
        text += " defwinproc";
    if (row.flags & optional)
        text += " optional";
    if (row.flags & repeated)
        text += " repeated";
    if (row.flags & anytime)
        text += " anytime";
    return text;
}

std::string SeenText(const LoggedMessage& entry, bool withWindows)
{
    std::string text = withWindows ? WindowText(entry.window) : "";
    if (entry.note)
        text += std::string(entry.note) + " ";
    text += MessageText(entry.message, entry.wParam, entry.lParam) + (entry.sent ? " sent" : " posted");
    if (entry.fromDefault)
        text += " defwinproc";
    return text;
}

// Both tables side by side, the rows marked that differ.
::testing::AssertionResult SideBySide(const std::vector<std::string>& left, const std::vector<std::string>& right,
                                      const std::vector<bool>& differs)
{
    size_t width = 8;
    for (const std::string& row : left)
        width = std::max(width, row.size());
    std::string table = "\n     expected" + std::string(width - 8, ' ') + " | seen\n";
    for (size_t i = 0; i < left.size(); i++)
        table += (differs[i] ? "  >  " : "     ") + left[i] + std::string(width - left[i].size(), ' ') + " | " +
                 right[i] + "\n";
    return ::testing::AssertionFailure() << "the sequences differ:" << table;
}

// A row of the expected table as the matcher takes it: a repeated row is one required match followed by
// any number of further ones.
struct Unit {
    const ExpectedMessage* row;
    bool mayBeAbsent;
    bool many;
};

enum Step : unsigned char { stepEnd, stepMatch, stepAnytime, stepSkip, stepDiffer, stepMissing, stepExtra };

// The row of those that may come at any point which the entry matches, or null.
const ExpectedMessage* AnytimeRow(const std::vector<const ExpectedMessage*>& rows, const LoggedMessage& entry)
{
    for (const ExpectedMessage* row : rows)
        if (Matches(*row, entry))
            return row;
    return nullptr;
}

}  // namespace

::testing::AssertionResult SameSequence(const std::vector<ExpectedMessage>& expected,
                                        const std::vector<LoggedMessage>& seen)
{
    std::vector<Unit> units;
    std::vector<const ExpectedMessage*> anytimeRows;
    bool withWindows = false;
    for (const ExpectedMessage& row : expected) {
        withWindows |= row.window != nullptr;
        if (row.flags & anytime) {
            anytimeRows.push_back(&row);
            continue;
        }
        bool absent = (row.flags & optional) != 0;
        if ((row.flags & repeated) && !absent)
            units.push_back({&row, false, false});
        units.push_back({&row, absent || (row.flags & repeated), (row.flags & repeated) != 0});
    }
    // Fewest differing rows from (unit, entry) to the end: an optional row may be left out, a repeated one
    // may take several entries; a mismatch, a missing and an unexpected row count one each.
    const size_t u = units.size(), s = seen.size();
    std::vector<unsigned> cost((u + 1) * (s + 1));
    std::vector<Step> step((u + 1) * (s + 1), stepEnd);
    auto at = [s](size_t i, size_t j) { return i * (s + 1) + j; };
    for (size_t i = u + 1; i-- > 0;) {
        for (size_t j = s + 1; j-- > 0;) {
            unsigned best = (i == u && j == s) ? 0 : ~0u;
            Step choice = stepEnd;
            auto consider = [&](unsigned c, Step how) {
                if (c < best) {
                    best = c;
                    choice = how;
                }
            };
            if (i < u && j < s && Matches(*units[i].row, seen[j]))
                consider(cost[at(units[i].many ? i : i + 1, j + 1)], stepMatch);
            if (j < s && AnytimeRow(anytimeRows, seen[j]))
                consider(cost[at(i, j + 1)], stepAnytime);
            if (i < u && units[i].mayBeAbsent)
                consider(cost[at(i + 1, j)], stepSkip);
            if (i < u && j < s)
                consider(cost[at(i + 1, j + 1)] + 1, stepDiffer);
            if (i < u && !units[i].mayBeAbsent)
                consider(cost[at(i + 1, j)] + 1, stepMissing);
            if (j < s)
                consider(cost[at(i, j + 1)] + 1, stepExtra);
            cost[at(i, j)] = best;
            step[at(i, j)] = choice;
        }
    }
    if (cost[at(0, 0)] == 0)
        return ::testing::AssertionSuccess();
    std::vector<std::string> left, right;
    std::vector<bool> differs;
    for (size_t i = 0, j = 0; step[at(i, j)] != stepEnd;) {
        switch (step[at(i, j)]) {
        case stepMatch:
        case stepDiffer:
            left.push_back(ExpectedText(*units[i].row, withWindows));
            right.push_back(SeenText(seen[j], withWindows));
            differs.push_back(step[at(i, j)] == stepDiffer);
            i += step[at(i, j)] == stepMatch && units[i].many ? 0 : 1;
            j++;
            break;
        case stepAnytime:
            left.push_back(ExpectedText(*AnytimeRow(anytimeRows, seen[j]), withWindows));
            right.push_back(SeenText(seen[j], withWindows));
            differs.push_back(false);
            j++;
            break;
        case stepSkip:
            i++;
            break;
        case stepMissing:
            left.push_back(ExpectedText(*units[i].row, withWindows));
            right.push_back("");
            differs.push_back(true);
            i++;
            break;
        default:
            left.push_back("");
            right.push_back(SeenText(seen[j], withWindows));
            differs.push_back(true);
            j++;
            break;
        }
    }
    return SideBySide(left, right, differs);
}

::testing::AssertionResult SameRows(const std::vector<std::string>& expected, const std::vector<std::string>& seen)
{
    if (expected == seen)
        return ::testing::AssertionSuccess();
    std::vector<std::string> left, right;
    std::vector<bool> differs;
    for (size_t i = 0; i < std::max(expected.size(), seen.size()); i++) {
        left.push_back(i < expected.size() ? expected[i] : "");
        right.push_back(i < seen.size() ? seen[i] : "");
        differs.push_back(i >= expected.size() || i >= seen.size() || expected[i] != seen[i]);
    }
    return SideBySide(left, right, differs);
}

std::vector<ExpectedMessage> Activation()
{
    return {{WM_NCACTIVATE, sent | wparam | optional, FALSE},
            {WM_ACTIVATE, sent | wparam | optional, WA_INACTIVE},
            {WM_QUERYNEWPALETTE, sent | optional},
            {WM_WINDOWPOSCHANGING, sent | optional},
            {WM_WINDOWPOSCHANGED, sent | optional},
            {WM_ACTIVATEAPP, sent | optional},
            {WM_NCACTIVATE, sent | wparam | optional, TRUE},
            {WM_ACTIVATE, sent | optional},
            {WM_KILLFOCUS, optional},
            {WM_SETFOCUS, optional}};
}

std::vector<ExpectedMessage> Pointer()
{
    return Rows({{{WM_NCHITTEST, sent | optional | repeated}, {WM_MOUSEACTIVATE, sent | optional}},
                 Activation(),
                 {{WM_SETCURSOR, sent | optional | repeated},
                  {WM_SETCURSOR, sent | defwinproc | optional | repeated},
                  {WM_MOUSEMOVE, posted | optional | repeated}}});
}

std::vector<ExpectedMessage> Rows(std::initializer_list<std::vector<ExpectedMessage>> parts)
{
    std::vector<ExpectedMessage> rows;
    for (const std::vector<ExpectedMessage>& part : parts)
        rows.insert(rows.end(), part.begin(), part.end());
    return rows;
}

size_t CountOf(const std::vector<LoggedMessage>& entries, UINT message)
{
    size_t count = 0;
    for (const LoggedMessage& entry : entries)
        count += entry.message == message;
    return count;
}
