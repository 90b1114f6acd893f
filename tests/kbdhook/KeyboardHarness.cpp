#include "KeyboardHarness.h"
#include <string.h>
#include "HeldInput.h"
#include "kbdhook/KeyboardExports.h"

namespace {

KeyboardHookTest* g_current = NULL;
const char TargetClass[] = "VorrinTestTarget";

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (g_current)
            g_current->keys.push_back(KeyRecord{message == WM_KEYUP || message == WM_SYSKEYUP, (UINT)wParam,
                                                (UINT)(((DWORD)lParam >> 16) & 0xFF)});
        return 0;
    case vorrinNotifyMessage:
        if (g_current)
            g_current->notes.push_back(NoteRecord{wParam, lParam});
        return 0;
    case WM_SYSCHAR:
    case WM_SYSCOMMAND:
        return 0;   // no menu loop from Alt in the middle of a test
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK MouseObserver(int code, WPARAM message, LPARAM lParam)
{
    const MSLLHOOKSTRUCT* info = (const MSLLHOOKSTRUCT*)lParam;
    if (code == HC_ACTION && g_current &&
        (message == WM_MOUSEWHEEL || message == WM_MBUTTONDOWN || message == WM_MBUTTONUP))
        g_current->mouse.push_back(MouseRecord{(UINT)message,
                                               message == WM_MOUSEWHEEL ? (int)(short)HIWORD(info->mouseData) : 0,
                                               info->dwExtraInfo});
    return CallNextHookEx(NULL, code, message, lParam);
}

LRESULT CALLBACK KeyboardObserver(int code, WPARAM message, LPARAM lParam)
{
    const KBDLLHOOKSTRUCT* info = (const KBDLLHOOKSTRUCT*)lParam;
    if (code == HC_ACTION && g_current)
        g_current->passed.push_back(PassedRecord{(info->flags & LLKHF_UP) != 0, info->vkCode, info->scanCode,
                                                 info->dwExtraInfo, info->time});
    return CallNextHookEx(NULL, code, message, lParam);
}

}  // namespace

void PrintTo(const KeyRecord& r, std::ostream* os)
{
    *os << (r.up ? "up" : "down") << " vk 0x" << std::hex << r.virtualKey << " scan 0x" << r.scanCode << std::dec;
}

void PrintTo(const NoteRecord& r, std::ostream* os)
{
    *os << "(" << (long)r.code << ", " << (long)r.value << ")";
}

void PrintTo(const MouseRecord& r, std::ostream* os)
{
    const char* name = r.message == WM_MOUSEWHEEL ? "wheel" : r.message == WM_MBUTTONDOWN ? "middle down"
                                                                                          : "middle up";
    *os << name;
    if (r.message == WM_MOUSEWHEEL)
        *os << " " << r.wheelDelta;
    *os << " extra 0x" << std::hex << (unsigned long long)r.extraInfo << std::dec;
}

void PrintTo(const PassedRecord& r, std::ostream* os)
{
    *os << (r.up ? "up" : "down") << " vk 0x" << std::hex << r.virtualKey << " scan 0x" << r.scanCode
        << " extra 0x" << (unsigned long long)r.extraInfo << std::dec;
}

DataSeg* FindDataSeg(HMODULE module)
{
    if (!module)
        return NULL;
    BYTE* base = (BYTE*)module;
    const IMAGE_NT_HEADERS* headers = (const IMAGE_NT_HEADERS*)(base + ((const IMAGE_DOS_HEADER*)base)->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i)
        if (strncmp((const char*)section[i].Name, "DataSeg", IMAGE_SIZEOF_SHORT_NAME) == 0)
            return (DataSeg*)(base + section[i].VirtualAddress);
    return NULL;
}

bool KeyHeld(int virtualKey)
{
    return GetAsyncKeyState(virtualKey) < 0;
}

void KeyboardHookTest::SetUp()
{
    ReleaseHeldInput();
    g_current = this;
    dataSeg = FindDataSeg(GetModuleHandleA("VORRIN.DLL"));
    ASSERT_NE(nullptr, dataSeg);
    savedPlatformClass = dataSeg->platformClass;
    ASSERT_EQ(0u, dataSeg->keyboardHook) << "hooks left over from an earlier test";

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = TargetClass;
    RegisterClassA(&windowClass);
    window = CreateWindowExA(0, TargetClass, "keyboard target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                             200, NULL, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_NE(nullptr, window);
    SetForegroundWindow(window);
    SetFocus(window);
    // Synthesised buttons land on this window: a click on the desktop would move the focus to a process
    // of the other bitness, where this library's per-process hook cannot run for the keys that follow.
    SetCursorPos(250, 200);
    Drain();
    ASSERT_EQ(window, GetForegroundWindow());
    ASSERT_EQ(window, GetFocus());
    SetBlockWindow(window);

    // Installed before the library's hooks, so called after them: they see only what was passed on.
    keyboardObserver = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardObserver, GetModuleHandleA(NULL), 0);
    mouseObserver = SetWindowsHookExA(WH_MOUSE_LL, MouseObserver, GetModuleHandleA(NULL), 0);
    ASSERT_NE(nullptr, keyboardObserver);
    ASSERT_NE(nullptr, mouseObserver);
}

void KeyboardHookTest::TearDown()
{
    InstallHook(FALSE);
    Drain();
    // Leave no modifier or middle button down for the next test, whatever happened here.
    const BYTE modifiers[] = {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN};
    for (BYTE key : modifiers)
        if (KeyHeld(key))
            keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    if (KeyHeld(VK_MBUTTON))
        mouse_event(MOUSEEVENTF_MIDDLEUP, 0, 0, 0, 0);
    Drain();
    if (keyboardObserver)
        UnhookWindowsHookEx(keyboardObserver);
    if (mouseObserver)
        UnhookWindowsHookEx(mouseObserver);
    SetBlockWindow(NULL);
    if (dataSeg) {
        dataSeg->platformClass = savedPlatformClass;
        dataSeg->leftAltDown = 0;
    }
    if (window)
        DestroyWindow(window);
    Drain();
    g_current = NULL;
}

void KeyboardHookTest::SetBlockWindow(HWND target)
{
    *(volatile DWORD*)GetMapFilePointer() = HandleToUlong(target);
}

void KeyboardHookTest::Install(DWORD platformClass)
{
    dataSeg->platformClass = platformClass;
    InstallHook(TRUE);
    Drain();
    ClearRecords();
}

void KeyboardHookTest::ClearRecords()
{
    keys.clear();
    notes.clear();
    mouse.clear();
    passed.clear();
}

void KeyboardHookTest::Key(BYTE virtualKey, BYTE scanCode, bool up, bool extended, ULONG_PTR extraInfo)
{
    keybd_event(virtualKey, scanCode, (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0),
                extraInfo);
    // The Windows key's 50 ms timer may be due by now: it fires at the next Settle or Pump, not here.
    DrainHoldingTimers(keyStepMs);
}

void KeyboardHookTest::Tap(BYTE virtualKey, BYTE scanCode, bool extended, ULONG_PTR extraInfo)
{
    Key(virtualKey, scanCode, false, extended, extraInfo);
    Key(virtualKey, scanCode, true, extended, extraInfo);
}
