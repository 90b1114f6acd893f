// The low-level keyboard hook (WH_KEYBOARD_LL, NT 5.0 and 5.1): special keys and the browser and media
// keys. Runs on the thread that installed it.
#include "DataSeg.h"
#include "NamedBlock.h"
#include "KeyCodes.h"
#include "KeySynth.h"
#include "MiddleButton.h"
#include "KeyboardExports.h"
#include "WindowsKeyMacro.h"

namespace {

// The keyboard application marks the input it synthesises itself with this extra information.
const ULONG_PTR ApplicationInput = 0x10000;

// Browser, volume, media and launch keys.
const DWORD FirstMediaKey = VK_BROWSER_BACK;    // 0xA6
const DWORD LastMediaKey = VK_LAUNCH_APP2;      // 0xB7

LRESULT PassOn(int code, WPARAM message, LPARAM record)
{
    return CallNextHookEx(HandleFromWord<HHOOK>(g_dataSeg.lowLevelKeyboardHook), code, message, record);
}

}  // namespace

extern "C" LRESULT CALLBACK KeyboardProcLow(int code, WPARAM message, LPARAM record)
{
    const KBDLLHOOKSTRUCT* key = (const KBDLLHOOKSTRUCT*)record;
    if (code < 0 || !key)
        return PassOn(code, message, record);
    const BOOL keyDown = (key->flags & LLKHF_UP) == 0;
    if (g_dataSeg.winSequence && EndOldSequence()) {
        ReplayKey((BYTE)key->vkCode, (BYTE)key->scanCode, (key->flags & LLKHF_EXTENDED) != 0, !keyDown,
                  key->dwExtraInfo);
        return 1;
    }
    if (!NotificationWindow()) {
        if (ReleaseMiddleButtonForKey(key->vkCode, key->scanCode, !keyDown))
            return 1;
        return PassOn(code, message, record);
    }
    if ((key->flags & LLKHF_INJECTED) && key->dwExtraInfo == ApplicationInput)
        return PassOn(code, message, record);
    if (key->vkCode == VK_SPECIAL) {
        switch (key->scanCode) {
        case ScanFunction1:
            if (keyDown)
                Notify(NotifyFunctionKey, 1);
            return 1;
        case ScanFunction2:
            if (keyDown)
                Notify(NotifyFunctionKey, 2);
            return 1;
        case ScanWheel:
            SynthesiseWheel(keyDown ? WheelNotch : -WheelNotch, 0);
            return 1;
        case ScanMiddle:
            SynthesiseMiddleButton(!keyDown);
            return 1;
        default:
            return PassOn(code, message, record);
        }
    }
    if (key->vkCode >= FirstMediaKey && key->vkCode <= LastMediaKey) {
        if (keyDown) {
            if (key->scanCode)
                Notify(NotifyScanCode, (LPARAM)key->scanCode);
            else
                Notify(NotifyVirtualKey, (LPARAM)key->vkCode);
        }
        return 1;
    }
    return PassOn(code, message, record);
}
