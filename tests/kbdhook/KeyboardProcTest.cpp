// The per-process keyboard hook with real injected keys into this program's focused window: the
// Windows-key macros and their timers, Ctrl+Alt letters, the NT 4 special keys, and that no path leaves
// Shift or the Windows key down.
#include "KeyboardHarness.h"
#include "kbdhook/KeyboardPlatform.h"
#include "kbdhook/KeyboardExports.h"

namespace {

typedef std::vector<KeyRecord> Keys;
typedef std::vector<NoteRecord> Notes;
typedef std::vector<MouseRecord> Mice;

const BYTE ScanWin = 0x5B, scanE = 0x12, scanUp = 0x48, scanEnter = 0x1C, ScanX = 0x2D, ScanR = 0x13;
const BYTE ScanCtrl = 0x1D, ScanAlt = 0x38, ScanShift = 0x2A;

class PerProcessHook : public KeyboardHookTest {
protected:
    void SetUp() override
    {
        KeyboardHookTest::SetUp();
        if (HasFatalFailure())
            return;
        Install(platformOther);
        ASSERT_NE(0u, dataSeg->keyboardHook);
        ASSERT_EQ(0u, dataSeg->lowLevelKeyboardHook);
    }

    void WinDown() { Key(VK_LWIN, ScanWin, false, true); }
    void WinUp() { Key(VK_LWIN, ScanWin, true, true); }

    // Neither the synthesised Shift nor a synthesised Windows key may stay down, and the macro is over.
    void ExpectNothingHeld()
    {
        EXPECT_FALSE(KeyHeld(VK_SHIFT)) << "Shift left down";
        EXPECT_FALSE(KeyHeld(VK_LWIN)) << "Windows key left down";
        EXPECT_EQ(0u, dataSeg->winKeyDown);
        EXPECT_EQ(0u, dataSeg->winSequence);
        EXPECT_EQ(0u, dataSeg->winKeyTimer);
        EXPECT_EQ(0u, dataSeg->sequenceTimer);
    }
};

TEST_F(PerProcessHook, WindowsKeyAndEPostsTheMacro)
{
    WinDown();
    EXPECT_EQ(1u, dataSeg->winKeyDown);
    Key('E', scanE, false);
    Key('E', scanE, true);
    WinUp();
    Settle();
    EXPECT_EQ((Notes{{2, 182}}), notes);
    // The E press and the Windows press were swallowed; what was synthesised and the real releases pass.
    EXPECT_EQ((Keys{Up('E', 0), Up(VK_SHIFT, 0), Up(VK_LWIN, 0), Up('E', scanE), Up(VK_LWIN, ScanWin)}), keys);
    ExpectNothingHeld();
}

TEST_F(PerProcessHook, QuickTapThenUpAndEnterPostsTheMacro)
{
    WinDown();
    WinUp();
    EXPECT_EQ(1u, dataSeg->winSequence);
    EXPECT_EQ(1u, dataSeg->winSequenceFresh);
    Key(VK_UP, scanUp, false, true);
    EXPECT_EQ(0u, dataSeg->winSequenceFresh);
    Key(VK_UP, scanUp, true, true);
    Key(VK_RETURN, scanEnter, false);
    EXPECT_EQ(Notes{}, notes) << "Enter completes the macro on release";
    Key(VK_RETURN, scanEnter, true);
    Settle();
    EXPECT_EQ((Notes{{5, 10}}), notes);
    EXPECT_EQ((Keys{Up(VK_SHIFT, 0)}), keys);
    ExpectNothingHeld();
}

TEST_F(PerProcessHook, QuickTapThenAnotherKeyReplaysTheWindowsKeyFirst)
{
    WinDown();
    WinUp();
    Key('X', ScanX, false);
    Key('X', ScanX, true);
    Settle();
    EXPECT_EQ(Notes{}, notes);
    EXPECT_EQ((Keys{Up(VK_SHIFT, 0), Down(VK_LWIN, 0), Up(VK_LWIN, 0), Down('X', 0), Up('X', ScanX)}), keys);
    ExpectNothingHeld();
}

TEST_F(PerProcessHook, QuickTapExpiresAfterTwoSeconds)
{
    WinDown();
    WinUp();
    Key(VK_UP, scanUp, false, true);
    Pump(1500);
    EXPECT_EQ(1u, dataSeg->winSequence) << "still watching after 1.5 s";
    Pump(800);
    EXPECT_EQ(0u, dataSeg->winSequence);
    EXPECT_EQ((Keys{Up(VK_SHIFT, 0)}), keys);
    // Afterwards Enter is an ordinary key.
    Key(VK_RETURN, scanEnter, false);
    Key(VK_RETURN, scanEnter, true);
    Settle();
    EXPECT_EQ((Keys{Up(VK_SHIFT, 0), Down(VK_RETURN, scanEnter), Up(VK_RETURN, scanEnter)}), keys);
    EXPECT_EQ(Notes{}, notes);
    ExpectNothingHeld();
}

// The thread that started the tap may end or stop pumping before its expiry timer fires: the first key
// after the 2 s ends the tap, with Shift released before that key.
TEST_F(PerProcessHook, QuickTapWhoseTimerIsLostEndsAtTheFirstKeyAfterTwoSeconds)
{
    WinDown();
    WinUp();
    Key(VK_UP, scanUp, false, true);
    ASSERT_TRUE(KillTimer(NULL, dataSeg->sequenceTimer));
    Pump(2100);
    Key('X', ScanX, false);
    Key('X', ScanX, true);
    Settle();
    EXPECT_EQ((Keys{Up(VK_SHIFT, 0), Down('X', ScanX), Up('X', ScanX)}), keys);
    EXPECT_EQ(Notes{}, notes);
    ExpectNothingHeld();
}

TEST_F(PerProcessHook, HeldWindowsKeyIsDeliveredLateOnce)
{
    WinDown();
    EXPECT_TRUE(keys.empty());
    Pump(300);
    // The macro is over when the late press is sent, so the release of the held Shift passes as well.
    EXPECT_EQ((Keys{Up(VK_SHIFT, 0), Down(VK_LWIN, 0)}), keys) << "one late press after 50 ms";
    EXPECT_EQ(0u, dataSeg->winKeyDown);
    WinUp();
    Settle();
    EXPECT_EQ((Keys{Up(VK_SHIFT, 0), Down(VK_LWIN, 0), Up(VK_LWIN, ScanWin)}), keys);
    EXPECT_EQ(Notes{}, notes);
    ExpectNothingHeld();
}

// The keyboard repeats a held Windows key: the repeats are the same press, never a new macro, and the
// release ends it with nothing left down.
TEST_F(PerProcessHook, RepeatsOfAHeldWindowsKeyAreThatKey)
{
    WinDown();
    // Repeats before the late delivery are swallowed with the press.
    keybd_event(VK_LWIN, ScanWin, KEYEVENTF_EXTENDEDKEY, 0);
    keybd_event(VK_LWIN, ScanWin, KEYEVENTF_EXTENDEDKEY, 0);
    Pump(300);
    EXPECT_EQ((Keys{Up(VK_SHIFT, 0), Down(VK_LWIN, 0)}), keys);
    // Later ones reach the window as the repeats of a delivered key, at the keyboard's rate (faster than
    // the 50 ms delay) up to the release.
    for (int i = 0; i < 4; ++i) {
        keybd_event(VK_LWIN, ScanWin, KEYEVENTF_EXTENDEDKEY, 0);
        Pump(20);
    }
    WinUp();
    Settle();
    EXPECT_EQ((Keys{Up(VK_SHIFT, 0), Down(VK_LWIN, 0), Down(VK_LWIN, ScanWin), Down(VK_LWIN, ScanWin),
                    Down(VK_LWIN, ScanWin), Down(VK_LWIN, ScanWin), Up(VK_LWIN, ScanWin)}),
              keys);
    EXPECT_EQ(Notes{}, notes);
    ExpectNothingHeld();
}

// Stands for a focused window without the library: the late Windows key never comes back to the hook.
LRESULT CALLBACK DropLateWindowsKey(int code, WPARAM message, LPARAM lParam)
{
    const KBDLLHOOKSTRUCT* info = (const KBDLLHOOKSTRUCT*)lParam;
    if (code == HC_ACTION && info->vkCode == VK_LWIN && info->scanCode == 0 && !(info->flags & LLKHF_UP))
        return 1;
    return CallNextHookEx(NULL, code, message, lParam);
}

TEST_F(PerProcessHook, LateWindowsKeyThatNeverReturnsStillEndsTheMacro)
{
    HHOOK filter = SetWindowsHookExA(WH_KEYBOARD_LL, DropLateWindowsKey, GetModuleHandleA(NULL), 0);
    ASSERT_NE(nullptr, filter);
    WinDown();
    Pump(300);
    EXPECT_EQ(0u, dataSeg->winKeyDown);
    EXPECT_FALSE(KeyHeld(VK_SHIFT));
    // The next key is an ordinary one, not the end of a macro.
    Key('X', ScanX, false);
    Key('X', ScanX, true);
    WinUp();
    Settle();
    UnhookWindowsHookEx(filter);
    EXPECT_EQ((Keys{Up(VK_SHIFT, 0), Down('X', ScanX), Up('X', ScanX), Up(VK_LWIN, ScanWin)}), keys);
    ExpectNothingHeld();
}

TEST_F(PerProcessHook, WindowsKeyWithAnOrdinaryKeyReleasesShift)
{
    WinDown();
    Key('R', ScanR, false);
    Key('R', ScanR, true);
    WinUp();
    Settle();
    EXPECT_EQ((Keys{Down('R', ScanR), Up(VK_SHIFT, 0), Up('R', ScanR), Up(VK_LWIN, ScanWin)}), keys);
    ExpectNothingHeld();
}

TEST_F(PerProcessHook, RemovingTheHooksInTheMiddleOfAMacroReleasesShift)
{
    WinDown();
    WinUp();
    EXPECT_TRUE(KeyHeld(VK_SHIFT));
    InstallHook(FALSE);
    Settle();
    ExpectNothingHeld();
}

TEST_F(PerProcessHook, ShiftIsSwallowedWhileTheWindowsKeyIsDown)
{
    WinDown();
    // Before the Windows key's timer fires (held back until the Settle).
    keybd_event(VK_SHIFT, ScanShift, 0, 0);
    keybd_event(VK_SHIFT, ScanShift, KEYEVENTF_KEYUP, 0);
    keybd_event('E', scanE, 0, 0);
    DrainHoldingTimers();
    EXPECT_EQ((Notes{{2, 182}}), notes);
    Key('E', scanE, true);
    WinUp();
    Settle();
    EXPECT_EQ((Keys{Up('E', 0), Up(VK_SHIFT, 0), Up(VK_LWIN, 0), Up('E', scanE), Up(VK_LWIN, ScanWin)}), keys);
    ExpectNothingHeld();
}

TEST_F(PerProcessHook, NoWindowInTheBlockPassesEverything)
{
    SetBlockWindow(NULL);
    WinDown();
    Key('E', scanE, false);
    Key('E', scanE, true);
    WinUp();
    Settle();
    EXPECT_EQ((Keys{Down(VK_LWIN, ScanWin), Down('E', scanE), Up('E', scanE), Up(VK_LWIN, ScanWin)}), keys);
    EXPECT_EQ(Notes{}, notes);
    EXPECT_EQ(0u, dataSeg->winKeyDown);
}

// Ctrl and Alt down, a letter tapped, both released; returns the keys the window saw for the letter only.
class CtrlAltLetters : public PerProcessHook {
protected:
    void Chord(BYTE letter, BYTE scan, bool rightAlt)
    {
        Key(VK_CONTROL, ScanCtrl, false);
        Key(VK_MENU, ScanAlt, false, rightAlt);
        Key(letter, scan, false);
        Key(letter, scan, true);
        Key(VK_MENU, ScanAlt, true, rightAlt);
        Key(VK_CONTROL, ScanCtrl, true);
    }
    Keys Letters() const
    {
        Keys letters;
        for (const KeyRecord& k : keys)
            if (k.virtualKey >= 'A' && k.virtualKey <= 'Z')
                letters.push_back(k);
        return letters;
    }
};

TEST_F(CtrlAltLetters, LeftAltWithTheFiveLettersPostsTheirCodes)
{
    for (DWORD platform : {platformOther, platformXP, platform98}) {
        dataSeg->platformClass = platform;
        ClearRecords();
        Chord('D', 0x20, false);
        Chord('E', 0x12, false);
        Chord('P', 0x19, false);
        Chord('O', 0x18, false);
        Chord('C', 0x2E, false);
        Chord('X', 0x2D, false);
        Settle();
        EXPECT_EQ((Notes{{5, 5}, {5, 6}, {5, 7}, {5, 8}, {5, 9}}), notes) << "class " << platform;
        EXPECT_EQ((Keys{Down('X', 0x2D), Up('X', 0x2D)}), Letters()) << "class " << platform;
    }
}

TEST_F(CtrlAltLetters, RightAltIsPassedOn)
{
    for (DWORD platform : {platformOther, platform2000, platform98, platformMe}) {
        dataSeg->platformClass = platform;
        ClearRecords();
        Chord('D', 0x20, true);
        Settle();
        EXPECT_EQ(Notes{}, notes) << "class " << platform;
        EXPECT_EQ((Keys{Down('D', 0x20), Up('D', 0x20)}), Letters()) << "class " << platform;
    }
}

TEST_F(CtrlAltLetters, OnClasses2And5TheLastAltEventDecides)
{
    dataSeg->platformClass = platformMe;
    Chord('O', 0x18, false);
    EXPECT_EQ(1u, dataSeg->leftAltDown);
    Chord('O', 0x18, true);
    EXPECT_EQ(0u, dataSeg->leftAltDown);
    Settle();
    EXPECT_EQ((Notes{{5, 8}}), notes);
    EXPECT_EQ((Keys{Down('O', 0x18), Up('O', 0x18)}), Letters());
}

TEST_F(CtrlAltLetters, LetterWithoutBothModifiersPasses)
{
    Key(VK_CONTROL, ScanCtrl, false);
    Key('D', 0x20, false);
    Key('D', 0x20, true);
    Key(VK_CONTROL, ScanCtrl, true);
    Key(VK_MENU, ScanAlt, false);
    Key('D', 0x20, false);
    Key('D', 0x20, true);
    Key(VK_MENU, ScanAlt, true);
    Settle();
    EXPECT_EQ(Notes{}, notes);
    EXPECT_EQ((Keys{Down('D', 0x20), Up('D', 0x20), Down('D', 0x20), Up('D', 0x20)}), Letters());
}

TEST_F(PerProcessHook, OnNT4TheSpecialKeysAreHandledHere)
{
    dataSeg->platformClass = platformNT4;
    Tap(0xFF, 0x40);
    Tap(0xFF, 0x41);
    Tap(0xFF, 0x30);
    EXPECT_EQ((Notes{{4, 1}, {4, 2}, {1, 0x30}}), notes);
    Tap(0xFF, 0x0B);
    Tap(0xFF, 0x16);
    Settle();
    EXPECT_EQ((Mice{{WM_MOUSEWHEEL, 120, 120}, {WM_MOUSEWHEEL, -120, 0xFF88}, {WM_MBUTTONDOWN, 0, 0},
                    {WM_MBUTTONUP, 0, 0}}),
              mouse);
    EXPECT_EQ(Keys{}, keys) << "all of them swallowed";
    EXPECT_EQ(3u, notes.size());
}

TEST_F(PerProcessHook, ElsewhereKey255PassesThisHook)
{
    for (DWORD platform : {platformOther, platform98, platform2000}) {
        dataSeg->platformClass = platform;
        ClearRecords();
        Tap(0xFF, 0x40);
        Settle();
        EXPECT_EQ((Keys{Down(0xFF, 0x40), Up(0xFF, 0x40)}), keys) << "class " << platform;
        EXPECT_EQ(Notes{}, notes);
    }
}

// Direct calls where the system's own calls cannot be arranged.
TEST_F(PerProcessHook, NoRemoveAndNegativeCodesPassWithoutTouchingState)
{
    const LPARAM windowsPress = (LPARAM)((ScanWin << 16) | 0x01000001);
    EXPECT_EQ(0, KeyboardProc(HC_NOREMOVE, VK_LWIN, windowsPress));
    EXPECT_EQ(0, KeyboardProc(-1, VK_LWIN, windowsPress));
    EXPECT_EQ(0u, dataSeg->winKeyDown);
    dataSeg->platformClass = platformNT4;
    EXPECT_EQ(0, KeyboardProc(HC_NOREMOVE, 0xFF, (LPARAM)(0x40 << 16)));
    Drain();
    EXPECT_EQ(Notes{}, notes);
}

}  // namespace
