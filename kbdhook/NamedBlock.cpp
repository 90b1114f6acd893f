#include "kbdhook/NamedBlock.h"
#include "kbdhook/KeyboardExports.h"
#include "shared/HandleWord.h"

namespace {
HANDLE g_mapFile = nullptr;
void* g_mapView = nullptr;
}

BOOL OpenNamedBlock()
{
    g_mapFile = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, vorrinBlockSize,
                                   vorrinBlockName);
    if (!g_mapFile)
        return FALSE;
    g_mapView = MapViewOfFile(g_mapFile, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (!g_mapView) {
        CloseHandle(g_mapFile);
        g_mapFile = nullptr;
        return FALSE;
    }
    return TRUE;
}

void CloseNamedBlock()
{
    if (g_mapView)
        UnmapViewOfFile(g_mapView);
    if (g_mapFile)
        CloseHandle(g_mapFile);
    g_mapView = nullptr;
    g_mapFile = nullptr;
}

HWND NotificationWindow()
{
    if (!g_mapView)
        return nullptr;
    return HandleFromWord<HWND>(*static_cast<volatile DWORD*>(g_mapView));
}

void Notify(WPARAM code, LPARAM value)
{
    HWND window = NotificationWindow();
    if (window)
        PostMessageA(window, vorrinNotifyMessage, code, value);
}

extern "C" void* __cdecl GetMapFilePointer(void)
{
    return g_mapView;
}
