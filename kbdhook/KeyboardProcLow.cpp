// The low-level keyboard hook (WH_KEYBOARD_LL, NT 5.0 and 5.1): special keys and the browser and media
// keys. Runs on the thread that installed it.
#include "kbdhook/DataSeg.h"
#include "kbdhook/NamedBlock.h"
#include "kbdhook/KeyCodes.h"
#include "kbdhook/KeySynth.h"
#include "kbdhook/MiddleButton.h"
#include "kbdhook/KeyboardExports.h"
#include "kbdhook/WindowsKeyMacro.h"

namespace {

// The keyboard application marks the input it synthesises itself with this extra information.
constexpr ULONG_PTR applicationInput = 0x10000;

// Browser, volume, media and launch keys.
constexpr DWORD firstMediaKey = VK_BROWSER_BACK;    // 0xA6
constexpr DWORD lastMediaKey = VK_LAUNCH_APP2;      // 0xB7

LRESULT PassOn(int code, WPARAM message, LPARAM record)
{
    return CallNextHookEx(HandleFromWord<HHOOK>(g_dataSeg.lowLevelKeyboardHook), code, message, record);
}

}  // namespace

extern "C" LRESULT CALLBACK KeyboardProcLow(int code, WPARAM message, LPARAM record)
{
    const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(record);
    if (code < 0 || !key)
        return PassOn(code, message, record);
    const BOOL keyDown = (key->flags & LLKHF_UP) == 0;
    if (g_dataSeg.winSequence && EndOldSequence()) {
        ReplayKey(static_cast<BYTE>(key->vkCode), static_cast<BYTE>(key->scanCode),
                  (key->flags & LLKHF_EXTENDED) != 0, !keyDown, key->dwExtraInfo);
        return 1;
    }
    if (!NotificationWindow()) {
        if (ReleaseMiddleButtonForKey(key->vkCode, key->scanCode, !keyDown))
            return 1;
        return PassOn(code, message, record);
    }
    if ((key->flags & LLKHF_INJECTED) && key->dwExtraInfo == applicationInput)
        return PassOn(code, message, record);
    if (key->vkCode == specialKey) {
        switch (key->scanCode) {
        case scanFunction1:
            if (keyDown)
                Notify(notifyFunctionKey, 1);
            return 1;
        case scanFunction2:
            if (keyDown)
                Notify(notifyFunctionKey, 2);
            return 1;
        case scanWheel:
            SynthesiseWheel(keyDown ? wheelNotch : -wheelNotch, 0);
            return 1;
        case scanMiddle:
            SynthesiseMiddleButton(!keyDown);
            return 1;
        default:
            return PassOn(code, message, record);
        }
    }
    if (key->vkCode >= firstMediaKey && key->vkCode <= lastMediaKey) {
        if (keyDown) {
            if (key->scanCode)
                Notify(notifyScanCode, static_cast<LPARAM>(key->scanCode));
            else
                Notify(notifyVirtualKey, static_cast<LPARAM>(key->vkCode));
        }
        return 1;
    }
    return PassOn(code, message, record);
}
