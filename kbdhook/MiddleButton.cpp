#include "kbdhook/MiddleButton.h"
#include "kbdhook/DataSeg.h"
#include "kbdhook/KeyCodes.h"

void SynthesiseMiddleButton(BOOL up)
{
    g_dataSeg.middleButtonDown = up ? 0 : 1;
    mouse_event(up ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_MIDDLEDOWN, 0, 0, 0, 0);
}

void ReleaseMiddleButton()
{
    if (g_dataSeg.middleButtonDown)
        SynthesiseMiddleButton(TRUE);
}

BOOL ReleaseMiddleButtonForKey(UINT virtualKey, DWORD scanCode, BOOL keyUp)
{
    if (!g_dataSeg.middleButtonDown || !keyUp || virtualKey != specialKey || scanCode != scanMiddle)
        return FALSE;
    SynthesiseMiddleButton(TRUE);
    return TRUE;
}
