#include "NamedBlock.h"
#include "KeyboardExports.h"
#include "shared/HandleWord.h"

namespace {
HANDLE g_mapFile = NULL;
void* g_mapView = NULL;
}

BOOL OpenNamedBlock()
{
    g_mapFile = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, VORRIN_BLOCK_SIZE,
                                   VORRIN_BLOCK_NAME);
    if (!g_mapFile)
        return FALSE;
    g_mapView = MapViewOfFile(g_mapFile, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (!g_mapView) {
        CloseHandle(g_mapFile);
        g_mapFile = NULL;
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
    g_mapView = NULL;
    g_mapFile = NULL;
}

HWND NotificationWindow()
{
    if (!g_mapView)
        return NULL;
    return HandleFromWord<HWND>(*static_cast<volatile DWORD*>(g_mapView));
}

void Notify(WPARAM code, LPARAM value)
{
    HWND window = NotificationWindow();
    if (window)
        PostMessageA(window, WM_VORRIN_NOTIFY, code, value);
}

extern "C" void* __cdecl GetMapFilePointer(void)
{
    return g_mapView;
}
