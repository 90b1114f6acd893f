#include "HeldInput.h"
#include <windows.h>

namespace {

struct HeldKey {
    BYTE key;
    DWORD flags;
};
const HeldKey modifierKeys[] = {
    {VK_LSHIFT, 0},
    {VK_RSHIFT, 0},
    {VK_LCONTROL, 0},
    {VK_RCONTROL, KEYEVENTF_EXTENDEDKEY},
    {VK_LMENU, 0},
    {VK_RMENU, KEYEVENTF_EXTENDEDKEY},
    {VK_LWIN, KEYEVENTF_EXTENDEDKEY},
    {VK_RWIN, KEYEVENTF_EXTENDEDKEY},
};

struct HeldButton {
    int key;
    DWORD upFlag;
    DWORD data;
};
const HeldButton mouseButtons[] = {
    {VK_LBUTTON, MOUSEEVENTF_LEFTUP, 0},
    {VK_RBUTTON, MOUSEEVENTF_RIGHTUP, 0},
    {VK_MBUTTON, MOUSEEVENTF_MIDDLEUP, 0},
    {VK_XBUTTON1, MOUSEEVENTF_XUP, XBUTTON1},
    {VK_XBUTTON2, MOUSEEVENTF_XUP, XBUTTON2},
};

bool Down(int key)
{
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

}  // namespace

void ReleaseHeldInput()
{
    for (const HeldKey& held : modifierKeys)
        if (Down(held.key))
            keybd_event(held.key, static_cast<BYTE>(MapVirtualKeyA(held.key, 0)), held.flags | KEYEVENTF_KEYUP, 0);
    for (const HeldButton& held : mouseButtons)
        if (Down(held.key))
            mouse_event(held.upFlag, 0, 0, held.data, 0);
}
