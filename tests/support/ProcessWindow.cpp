#include "tests/support/ProcessWindow.h"
#include <string.h>

namespace {

struct WindowSearch {
    DWORD processId;
    const char* title;
    HWND found;
};

// A named CALLBACK, not a lambda: on i686 a lambda converts only to a cdecl pointer.
BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    if (owner == search->processId && strcmp(title, search->title) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND TopLevelWindowOf(DWORD processId, const char* title)
{
    WindowSearch search = {processId, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
