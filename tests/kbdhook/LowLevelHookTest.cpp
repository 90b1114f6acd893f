// The low-level keyboard hook on NT 5.1 (platform class 6) with injected input: what is posted, what is
// swallowed, what is synthesised, and what passes.
#include "KeyboardHarness.h"
#include "kbdhook/KeyboardPlatform.h"
#include "kbdhook/KeyboardExports.h"

namespace {

typedef std::vector<NoteRecord> Notes;
typedef std::vector<MouseRecord> Mice;
typedef std::vector<PassedRecord> PassedKeys;

class LowLevelHook : public KeyboardHookTest {
protected:
    void SetUp() override
    {
        KeyboardHookTest::SetUp();
        if (HasFatalFailure())
            return;
        Install(platformXP);
        ASSERT_NE(0u, dataSeg->lowLevelKeyboardHook);
    }
};

TEST_F(LowLevelHook, FunctionKeysPostOncePerPressAndAreSwallowed)
{
    Tap(0xFF, 0x40);
    Tap(0xFF, 0x41);
    Key(0xFF, 0x40, false);
    Key(0xFF, 0x40, false);   // auto-repeat: another press
    Key(0xFF, 0x40, true);
    Settle();
    EXPECT_EQ((Notes{{4, 1}, {4, 2}, {4, 1}, {4, 1}}), notes);
    EXPECT_EQ(PassedKeys{}, passed);
    EXPECT_TRUE(keys.empty());
}

TEST_F(LowLevelHook, WheelKeyTurnsOneNotchUpOnPressAndDownOnRelease)
{
    Key(0xFF, 0x0B, false);
    Settle();
    EXPECT_EQ((Mice{{WM_MOUSEWHEEL, 120, 0}}), mouse);
    Key(0xFF, 0x0B, true);
    Settle();
    EXPECT_EQ((Mice{{WM_MOUSEWHEEL, 120, 0}, {WM_MOUSEWHEEL, -120, 0}}), mouse);
    EXPECT_EQ(PassedKeys{}, passed);
    EXPECT_EQ(Notes{}, notes);
}

TEST_F(LowLevelHook, MiddleKeyHoldsTheMiddleButton)
{
    Key(0xFF, 0x16, false);
    Settle();
    EXPECT_EQ((Mice{{WM_MBUTTONDOWN, 0, 0}}), mouse);
    Key(0xFF, 0x16, true);
    Settle();
    EXPECT_EQ((Mice{{WM_MBUTTONDOWN, 0, 0}, {WM_MBUTTONUP, 0, 0}}), mouse);
    EXPECT_EQ(PassedKeys{}, passed);
}

// The middle key's release cannot reach the library once its hooks are gone or its window word is 0.
TEST_F(LowLevelHook, MiddleButtonGoesUpWhenTheKeyCanNoLongerReleaseIt)
{
    Key(0xFF, 0x16, false);
    InstallHook(FALSE);
    Settle();
    EXPECT_EQ((Mice{{WM_MBUTTONDOWN, 0, 0}, {WM_MBUTTONUP, 0, 0}}), mouse) << "hooks removed";
    Key(0xFF, 0x16, true);
    Install(platformXP);
    Key(0xFF, 0x16, false);
    SetBlockWindow(NULL);
    Key(0xFF, 0x16, true);
    Settle();
    EXPECT_EQ((Mice{{WM_MBUTTONDOWN, 0, 0}, {WM_MBUTTONUP, 0, 0}}), mouse) << "window word cleared";
    EXPECT_EQ(PassedKeys{}, passed) << "the release is swallowed like its press";
    EXPECT_FALSE(KeyHeld(VK_MBUTTON));
}

TEST_F(LowLevelHook, OtherScanCodesOfKey255PassOn)
{
    Tap(0xFF, 0x30);
    Settle();
    EXPECT_EQ((PassedKeys{Passed(false, 0xFF, 0x30), Passed(true, 0xFF, 0x30)}), passed);
    EXPECT_EQ(Notes{}, notes);
    EXPECT_EQ(Mice{}, mouse);
}

TEST_F(LowLevelHook, BrowserAndMediaKeysPostScanCodeOrVirtualKeyAndAreSwallowed)
{
    Tap(VK_VOLUME_MUTE, 0x20, true);
    Tap(VK_BROWSER_BACK, 0, true);
    Tap(VK_LAUNCH_APP2, 0x21, true);
    Tap(VK_MEDIA_PLAY_PAUSE, 0, true);
    Settle();
    EXPECT_EQ((Notes{{1, 0x20}, {2, VK_BROWSER_BACK}, {1, 0x21}, {2, VK_MEDIA_PLAY_PAUSE}}), notes);
    EXPECT_EQ(PassedKeys{}, passed);
    EXPECT_TRUE(keys.empty());

    // Just outside the range: passed on.
    Tap(0xB8, 0x22);
    Settle();
    EXPECT_EQ((PassedKeys{Passed(false, 0xB8, 0x22), Passed(true, 0xB8, 0x22)}), passed);
    EXPECT_EQ(4u, notes.size());
}

TEST_F(LowLevelHook, TheApplicationsOwnInputPasses)
{
    Tap(0xFF, 0x40, false, 0x10000);
    Tap(VK_VOLUME_UP, 0x30, true, 0x10000);
    Settle();
    EXPECT_EQ((PassedKeys{Passed(false, 0xFF, 0x40, 0x10000), Passed(true, 0xFF, 0x40, 0x10000),
                          Passed(false, VK_VOLUME_UP, 0x30, 0x10000), Passed(true, VK_VOLUME_UP, 0x30, 0x10000)}),
              passed);
    EXPECT_EQ(Notes{}, notes);

    // Other extra information is not the application's mark.
    Tap(0xFF, 0x40, false, 0x20000);
    Settle();
    EXPECT_EQ((Notes{{4, 1}}), notes);
}

TEST_F(LowLevelHook, NoWindowInTheBlockPassesEverything)
{
    SetBlockWindow(NULL);
    Tap(0xFF, 0x40);
    Tap(0xFF, 0x0B);
    Tap(VK_VOLUME_MUTE, 0x20, true);
    Settle();
    EXPECT_EQ((PassedKeys{Passed(false, 0xFF, 0x40), Passed(true, 0xFF, 0x40), Passed(false, 0xFF, 0x0B),
                          Passed(true, 0xFF, 0x0B), Passed(false, VK_VOLUME_MUTE, 0x20),
                          Passed(true, VK_VOLUME_MUTE, 0x20)}),
              passed);
    EXPECT_EQ(Notes{}, notes);
    EXPECT_EQ(Mice{}, mouse);
}

TEST_F(LowLevelHook, RepeatedInstallKeepsOneHookAndRemovalRemovesIt)
{
    const DWORD first = dataSeg->lowLevelKeyboardHook;
    InstallHook(TRUE);
    InstallHook(TRUE);
    Drain();
    ClearRecords();
    EXPECT_EQ(first, dataSeg->lowLevelKeyboardHook);
    Tap(0xFF, 0x40);
    Settle();
    EXPECT_EQ((Notes{{4, 1}}), notes) << "one notification per press";

    InstallHook(FALSE);
    EXPECT_EQ(0u, dataSeg->lowLevelKeyboardHook);
    EXPECT_EQ(0u, dataSeg->keyboardHook);
    Drain();
    ClearRecords();
    Tap(0xFF, 0x40);
    Settle();
    EXPECT_EQ((PassedKeys{Passed(false, 0xFF, 0x40), Passed(true, 0xFF, 0x40)}), passed)
        << "no low-level hook of the library is left";
    EXPECT_EQ(Notes{}, notes);
}

// Installing taps Scroll Lock twice, 100 ms apart on the NT family, leaving its state as it was; only
// NT 5.0 and 5.1 get the low-level hook.
TEST_F(LowLevelHook, InstallTapsScrollLockTwice)
{
    for (DWORD platform : {platformXP, platformNT4}) {
        InstallHook(FALSE);
        Drain();
        const SHORT before = GetKeyState(VK_SCROLL) & 1;
        dataSeg->platformClass = platform;
        ClearRecords();
        InstallHook(TRUE);
        Settle();
        EXPECT_EQ(platform == platformXP, dataSeg->lowLevelKeyboardHook != 0) << "class " << platform;
        std::vector<PassedRecord> scroll;
        for (const PassedRecord& r : passed)
            if (r.virtualKey == VK_SCROLL)
                scroll.push_back(r);
        ASSERT_EQ((PassedKeys{Passed(false, VK_SCROLL, 0), Passed(true, VK_SCROLL, 0), Passed(false, VK_SCROLL, 0),
                              Passed(true, VK_SCROLL, 0)}),
                  scroll);
        EXPECT_GE(scroll[2].time - scroll[1].time, 90u) << "class " << platform;
        EXPECT_EQ(before, GetKeyState(VK_SCROLL) & 1);
    }
}

}  // namespace
