// What every input test starts from: keys and buttons that an earlier test left down are released.
// Sends real input: SERIAL.
#include <gtest/gtest.h>
#include <windows.h>
#include "tests/support/HeldInput.h"
#include "tests/support/MessagePump.h"

TEST(HeldInput, ModifiersAndButtonsLeftDownAreReleased)
{
    const int held[] = {VK_LSHIFT, VK_RCONTROL, VK_XBUTTON1};
    auto allUp = [&held] {
        for (int key : held)
            if (GetAsyncKeyState(key) < 0)
                return false;
        return true;
    };
    keybd_event(VK_LSHIFT, 0, 0, 0);
    keybd_event(VK_RCONTROL, 0, KEYEVENTF_EXTENDEDKEY, 0);
    mouse_event(MOUSEEVENTF_XDOWN, 0, 0, XBUTTON1, 0);
    bool allDown = PumpUntil([&held] {
        for (int key : held)
            if (GetAsyncKeyState(key) >= 0)
                return false;
        return true;
    }, 1000);
    ReleaseHeldInput();
    EXPECT_TRUE(allDown);
    EXPECT_TRUE(PumpUntil(allUp, 1000)) << "a key or button is still down";
}
