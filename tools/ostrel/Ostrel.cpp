// Stand-in for the keyboard application: loads the keyboard hook and mixer volume libraries, receives the
// hook's notifications and prints them, and offers the volume functions and a small key injector.
//
//   OSTREL.EXE COMMAND...   (run in order, in this one process)
//     listen SECONDS   install the hooks, print every notification for SECONDS, remove them
//     inject           type a few special keys of the multimedia keyboard
//     mixer            whether a mixer device exists
//     getvolume | setvolume VALUE | getmute | setmute FLAG
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "KeyboardLibraries.h"

namespace {

const UINT WM_KEYBOARD_NOTIFY = WM_USER + 1000;
const char WindowClass[] = "OstrelStandIn";

LRESULT CALLBACK NotificationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYBOARD_NOTIFY) {
        printf("notification wParam=%lu lParam=%ld\n", (unsigned long)wParam, (long)lParam);
        fflush(stdout);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool Listen(KeyboardLibraries& libraries, DWORD seconds)
{
    if (!libraries.LoadHook())
        return false;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = NotificationProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = WindowClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, WindowClass, "OSTREL", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                  windowClass.hInstance, NULL);
    DWORD* block = (DWORD*)libraries.getMapFilePointer();
    if (!window || !block) {
        printf("no window or no named block\n");
        return false;
    }
    *block = HandleToUlong(window);
    libraries.installHook(TRUE);
    printf("listening for %lu s, window 0x%lx\n", (unsigned long)seconds, (unsigned long)HandleToUlong(window));
    fflush(stdout);

    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= seconds * 1000)
            break;
        MsgWaitForMultipleObjects(0, NULL, FALSE, seconds * 1000 - elapsed, QS_ALLINPUT);
    }
    libraries.installHook(FALSE);
    *block = 0;
    DestroyWindow(window);
    printf("stopped listening\n");
    return true;
}

void InjectKey(BYTE virtualKey, BYTE scanCode, bool extended, const char* name)
{
    const DWORD flags = extended ? KEYEVENTF_EXTENDEDKEY : 0;
    keybd_event(virtualKey, scanCode, flags, 0);
    Sleep(30);
    keybd_event(virtualKey, scanCode, flags | KEYEVENTF_KEYUP, 0);
    Sleep(30);
    printf("injected %s (vk 0x%02X, scan 0x%02X)\n", name, virtualKey, scanCode);
    fflush(stdout);
}

void Inject()
{
    InjectKey(0xFF, 0x40, false, "function key 1");
    InjectKey(0xFF, 0x41, false, "function key 2");
    InjectKey(VK_VOLUME_MUTE, 0x20, true, "Mute");
    InjectKey(VK_VOLUME_UP, 0x30, true, "Volume Up");
    InjectKey(VK_BROWSER_HOME, 0, true, "Browser Home (no scan code)");
    InjectKey(VK_LAUNCH_MAIL, 0x6C, true, "Mail");
    InjectKey(0xFF, 0x0B, false, "wheel key");
}

bool Mixer(KeyboardLibraries& libraries, const char* command, const char* argument)
{
    if (!libraries.LoadMixer())
        return false;
    if (strcmp(command, "mixer") == 0) {
        printf("MixerControlExist -> %d\n", libraries.mixerControlExist());
    } else if (strcmp(command, "getvolume") == 0) {
        DWORD value = 0, minimum = 0, maximum = 0;
        const BOOL ok = libraries.getVolume(&value, &minimum, &maximum);
        printf("GetVolume -> %d: volume %lu (bounds %lu..%lu)\n", ok, (unsigned long)value, (unsigned long)minimum,
               (unsigned long)maximum);
    } else if (strcmp(command, "setvolume") == 0) {
        const DWORD value = strtoul(argument, NULL, 0);
        printf("SetVolume(%lu) -> %d\n", (unsigned long)value, libraries.setVolume(value));
    } else if (strcmp(command, "getmute") == 0) {
        BOOL mute = 0;
        const BOOL ok = libraries.isMute(&mute);
        printf("IsMute -> %d: mute %d\n", ok, mute);
    } else if (strcmp(command, "setmute") == 0) {
        const BOOL mute = (BOOL)strtol(argument, NULL, 0);
        printf("SetMute(%d) -> %d\n", mute, libraries.setMute(mute));
    }
    fflush(stdout);
    return true;
}

bool TakesArgument(const char* command)
{
    return strcmp(command, "listen") == 0 || strcmp(command, "setvolume") == 0 || strcmp(command, "setmute") == 0;
}

int Usage()
{
    printf("usage: OSTREL.EXE [listen SECONDS] [inject] [mixer] [getvolume] [setvolume VALUE] [getmute] "
           "[setmute FLAG] ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    KeyboardLibraries libraries;
    for (int i = 1; i < argc; ++i) {
        const char* command = argv[i];
        const char* argument = NULL;
        if (TakesArgument(command)) {
            if (i + 1 >= argc)
                return Usage();
            argument = argv[++i];
        }
        bool ok;
        if (strcmp(command, "listen") == 0)
            ok = Listen(libraries, strtoul(argument, NULL, 0));
        else if (strcmp(command, "inject") == 0)
            ok = (Inject(), true);
        else if (strcmp(command, "mixer") == 0 || strcmp(command, "getvolume") == 0 ||
                 strcmp(command, "setvolume") == 0 || strcmp(command, "getmute") == 0 ||
                 strcmp(command, "setmute") == 0)
            ok = Mixer(libraries, command, argument);
        else
            return Usage();
        if (!ok)
            return 1;
    }
    return 0;
}
