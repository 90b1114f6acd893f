// The per-process keyboard hook (WH_KEYBOARD): Windows-key macros, Ctrl+Alt letters and, on NT 4, the
// special keys that newer systems leave to the low-level hook. Runs on any thread of any process.
#include "kbdhook/DataSeg.h"
#include "kbdhook/NamedBlock.h"
#include "kbdhook/KeyboardPlatform.h"
#include "kbdhook/KeyCodes.h"
#include "kbdhook/KeySynth.h"
#include "kbdhook/MiddleButton.h"
#include "kbdhook/KeyboardExports.h"
#include "kbdhook/WindowsKeyMacro.h"

namespace {

// Ctrl+Alt with these letters posts (5, 5) to (5, 9), in this order.
constexpr UINT macroLetters[] = {'D', 'E', 'P', 'O', 'C'};
constexpr LPARAM firstLetterMacro = 5;

// The flags of a key message: scan code in bits 16-23, then the extended, previous-state and transition bits.
DWORD FlagWord(LPARAM flags) { return static_cast<DWORD>(flags); }
BYTE ScanCodeOf(LPARAM flags) { return static_cast<BYTE>((FlagWord(flags) >> 16) & 0xFF); }
BOOL IsExtendedKey(LPARAM flags) { return (FlagWord(flags) & 0x01000000) != 0; }
BOOL IsKeyUp(LPARAM flags) { return (FlagWord(flags) & 0x80000000) != 0; }
BOOL IsRepeat(LPARAM flags) { return (FlagWord(flags) & 0x40000000) != 0; }
BOOL IsDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

int MacroLetterIndex(UINT virtualKey)
{
    for (int i = 0; i < static_cast<int>(sizeof(macroLetters) / sizeof(macroLetters[0])); ++i)
        if (macroLetters[i] == virtualKey)
            return i;
    return -1;
}

// On 4.10 and 4.90 the key state does not tell the Alt keys apart, so the side is taken from the last
// Alt event's extended bit.
BOOL HandleCtrlAltLetter(UINT virtualKey, LPARAM flags)
{
    const DWORD platform = g_dataSeg.platformClass;
    const BOOL altSideFromEvent = platform == platform98 || platform == platformMe;
    if (altSideFromEvent && virtualKey == VK_MENU)
        g_dataSeg.leftAltDown = IsExtendedKey(flags) ? 0 : 1;
    const int letter = MacroLetterIndex(virtualKey);
    if (letter < 0)
        return FALSE;
    const BOOL held = altSideFromEvent
        ? IsDown(VK_CONTROL) && IsDown(VK_MENU) && g_dataSeg.leftAltDown == 1
        : IsDown(VK_CONTROL) && IsDown(VK_LMENU);
    if (!held)
        return FALSE;
    if (!IsKeyUp(flags))
        Notify(notifyMacro, firstLetterMacro + letter);
    return TRUE;
}

BOOL HandleSpecialKey(UINT virtualKey, LPARAM flags)
{
    if (g_dataSeg.platformClass != platformNT4 || virtualKey != specialKey)
        return FALSE;
    const BYTE scanCode = ScanCodeOf(flags);
    if (!IsKeyUp(flags)) {
        switch (scanCode) {
        case scanFunction1: Notify(notifyFunctionKey, 1); break;
        case scanFunction2: Notify(notifyFunctionKey, 2); break;
        case scanWheel: SynthesiseWheel(wheelNotch, wheelNotch); break;
        case scanMiddle: SynthesiseMiddleButton(FALSE); break;
        default: Notify(notifyScanCode, scanCode); break;
        }
    } else {
        switch (scanCode) {
        case scanWheel: SynthesiseWheel(-wheelNotch, 0xFF88); break;
        case scanMiddle: SynthesiseMiddleButton(TRUE); break;
        default: break;
        }
    }
    return TRUE;
}

LRESULT PassOn(int code, WPARAM virtualKey, LPARAM flags)
{
    return CallNextHookEx(HandleFromWord<HHOOK>(g_dataSeg.keyboardHook), code, virtualKey, flags);
}

}  // namespace

extern "C" LRESULT CALLBACK KeyboardProc(int code, WPARAM virtualKey, LPARAM flags)
{
    if (code < 0 || code == HC_NOREMOVE)
        return PassOn(code, virtualKey, flags);
    const UINT key = static_cast<UINT>(virtualKey);
    if (g_dataSeg.winSequence && EndOldSequence()) {
        ReplayKey(static_cast<BYTE>(key), ScanCodeOf(flags), IsExtendedKey(flags), IsKeyUp(flags), 0);
        return 1;
    }
    if (!NotificationWindow()) {
        if (ReleaseMiddleButtonForKey(key, ScanCodeOf(flags), IsKeyUp(flags)))
            return 1;
        return PassOn(code, virtualKey, flags);
    }
    if (HandleWindowsKeyMacro(key, ScanCodeOf(flags), IsKeyUp(flags), IsRepeat(flags)))
        return 1;
    if (HandleCtrlAltLetter(key, flags) || HandleSpecialKey(key, flags))
        return 1;
    return PassOn(code, virtualKey, flags);
}
