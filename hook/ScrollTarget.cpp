// Target window classification for the horizontal repeat.
#include "hook/ScrollTarget.h"
#include "hook/HookShared.h"
#include <string.h>

namespace {

constexpr char scrollBarClass[] = "ScrollBar";
constexpr char browserClass[] = "Internet Explorer_Server";

// Class names are read into fixed buffers; GetClassName truncates, and the last byte is forced to zero
// as well so that a misbehaving implementation cannot leave the text open.
BOOL ReadClassName(HWND window, char* name, int size)
{
    name[0] = '\0';
    int length = GetClassNameA(window, name, size);
    name[size - 1] = '\0';
    return length > 0;
}

BOOL IsScrollBarControl(HWND window)
{
    char name[20] = {};
    if (!ReadClassName(window, name, sizeof(name)))
        return FALSE;
    return strncmp(name, scrollBarClass, sizeof(scrollBarClass) - 1) == 0;
}

void Keep(DWORD& first, DWORD& second, HWND bar)
{
    if (first == 0)
        first = WordFromHandle(bar);
    else if (second == 0)
        second = WordFromHandle(bar);
}

BOOL CALLBACK VisitWindow(HWND window, LPARAM)
{
    if (window == nullptr || !IsScrollBarControl(window))
        return TRUE;
    LONG style = GetWindowLongA(window, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0)
        return TRUE;
    if (style & SBS_VERT)
        Keep(g_hookShared.vertBar1, g_hookShared.vertBar2, window);
    else
        Keep(g_hookShared.horzBar1, g_hookShared.horzBar2, window);
    return TRUE;
}

}

void SearchScrollBars(HWND target, HWND parent)
{
    g_hookShared.searchedParent = 0;
    g_hookShared.horzBar1 = g_hookShared.vertBar1 = g_hookShared.horzBar2 = g_hookShared.vertBar2 = 0;
    EnumChildWindows(target, VisitWindow, 0);

    BOOL noHorizontal = g_hookShared.horzBar1 == 0 && g_hookShared.horzBar2 == 0;
    BOOL noVertical = g_hookShared.vertBar1 == 0 && g_hookShared.vertBar2 == 0;
    // A top-level target has no parent; enumerating "no window" would walk the desktop's top-level windows
    // and a bar found there would be posted to no window at all, that is to the timer thread's own queue.
    if ((noHorizontal || noVertical) && parent != nullptr) {
        g_hookShared.searchedParent = 1;
        EnumChildWindows(parent, VisitWindow, 0);
    }
}

int IsBrowserWindow(HWND window)
{
    char name[30] = {};
    if (!ReadClassName(window, name, sizeof(name)))
        return 0;
    return memcmp(name, browserClass, sizeof(browserClass)) == 0 ? 1 : 0;
}
