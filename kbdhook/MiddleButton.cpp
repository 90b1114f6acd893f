#include "MiddleButton.h"
#include "DataSeg.h"
#include "KeyCodes.h"

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
    if (!g_dataSeg.middleButtonDown || !keyUp || virtualKey != VK_SPECIAL || scanCode != ScanMiddle)
        return FALSE;
    SynthesiseMiddleButton(TRUE);
    return TRUE;
}
