// The pad window opened, moved and closed through the frame's launcher in one test process: its place,
// shape, buttons and pictures on the screen, its ways of closing, browser frames, the "move" box, and the
// launcher's behaviour while an earlier pad is still ending.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string.h>
#include <new>
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include "tests/support/HelperThread.h"
#include "tests/support/LaneFactor.h"
#include "tests/support/PixelRegion.h"
#include "tests/tray/PadTestSupport.h"
#include "tray/MainFrame.h"
#include "tray/PadLauncher.h"
#include "tray/RoundMapDlg.h"
#include "tray/TrayGlobals.h"
#include "tray/resource.h"

namespace {

const POINT buttonPlaces[9] = {{30, 7}, {84, 7}, {97, 30}, {97, 84}, {84, 97}, {30, 97}, {7, 84}, {7, 30}, {67, 67}};
const SIZE buttonSizes[9] = {{51, 61}, {51, 61}, {61, 51}, {61, 51}, {51, 61}, {51, 61}, {61, 51}, {60, 51}, {30, 30}};

}  // namespace

TEST_F(PadTest, OpensCentredShapedAndPublishedThenMovesWithoutASecondPad)
{
    HWND pad = Open(500, 350);
    ASSERT_TRUE(pad);
    RECT rect;
    GetWindowRect(pad, &rect);
    EXPECT_EQ(418, rect.left);
    EXPECT_EQ(268, rect.top);
    EXPECT_EQ(583, rect.right);
    EXPECT_EQ(433, rect.bottom);
    EXPECT_EQ(HandleToUlong(pad), ReadRoundMap());
    EXPECT_TRUE(frame->PadLauncher().Thread() != nullptr);

    // The window's shape is the background read pixel by pixel.
    HBITMAP background = LoadResourceBitmap(IDB_BACKGROUND, LR_CREATEDIBSECTION);
    HRGN reference = RegionByPixels(background, RGB(0, 0, 0));
    HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(COMPLEXREGION, GetWindowRgn(pad, windowRegion));
    EXPECT_TRUE(EqualRgn(windowRegion, reference));
    DeleteObject(windowRegion);
    DeleteObject(reference);
    DeleteObject(background);

    for (int i = 0; i < 9; i++) {
        HWND button = GetDlgItem(pad, IDC_NEW + i);
        ASSERT_TRUE(button) << i;
        RECT place;
        GetWindowRect(button, &place);
        MapWindowPoints(nullptr, pad, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(buttonPlaces[i].x, place.left) << "button " << i;
        EXPECT_EQ(buttonPlaces[i].y, place.top) << "button " << i;
        EXPECT_EQ(buttonSizes[i].cx, place.right - place.left) << "button " << i;
        EXPECT_EQ(buttonSizes[i].cy, place.bottom - place.top) << "button " << i;
    }

    const char* const tooltips[8] = {"New", "Find", "Mail Link", "Mail Webpage", "Append My Favorite", "ReFresh",
                                     "Save", "Open"};
    for (int i = 0; i < 8; i++) {
        HWND tooltip = g_padDialog->directionButtons[i].tooltip;
        ASSERT_TRUE(tooltip) << i;
        char text[80] = "";
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.hwnd = GetDlgItem(pad, IDC_NEW + i);
        tool.uId = 0;
        tool.lpszText = text;
        SendMessage(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(tooltips[i], text);
    }
    EXPECT_TRUE(g_padDialog->centreButton.tooltip == nullptr);

    // What the pad draws: nothing outside its shape (the corners keep the fill), its picture inside.
    const DWORD magenta = 0xFF00FF;
    ASSERT_TRUE(PumpUntil([pad] { return IsWindowVisible(pad) != FALSE; }, 2000));
    std::vector<DWORD> shot = RenderClient(pad, magenta).pixels;
    ASSERT_EQ(165u * 165u, shot.size());
    int width, height;
    std::vector<DWORD> picture = BitmapPixels(IDB_BACKGROUND, &width, &height);
    ASSERT_EQ(165, width);
    EXPECT_EQ(magenta, shot[2 * 165 + 2]);
    EXPECT_EQ(magenta, shot[162 * 165 + 162]);
    EXPECT_EQ(magenta, shot[2 * 165 + 162]);
    for (int i = 0; i < 9; i++) {
        POINT p = SegmentPoint(i);
        EXPECT_EQ(picture[p.y * 165 + p.x], shot[p.y * 165 + p.x]) << "segment " << i << " at " << p.x << "," << p.y;
    }

    // A second request moves the same pad, partly off the screen.
    Open(30, 20);
    EXPECT_EQ(pad, PadWindow());
    PumpUntil([pad] {
        RECT r;
        GetWindowRect(pad, &r);
        return r.left == 30 - 82;
    }, 1000);
    GetWindowRect(pad, &rect);
    EXPECT_EQ(-52, rect.left);
    EXPECT_EQ(-62, rect.top);
    EXPECT_EQ(165, rect.right - rect.left);
    EXPECT_EQ(1, CountPadWindows());
    EXPECT_EQ(HandleToUlong(pad), ReadRoundMap());

    // A press inside the client area keeps it, one outside closes it.
    WritePosition(40, 30);
    PostMessage(pad, callQuimbelMessage, 0, 0);
    Pump(300);
    EXPECT_TRUE(IsWindow(pad));
    EXPECT_EQ(HandleToUlong(pad), ReadRoundMap());
    WritePosition(-52 + 165, 30);   // the right edge is outside
    PostMessage(pad, callQuimbelMessage, 0, 0);
    EXPECT_TRUE(WaitClosed(pad));
    EXPECT_EQ(0u, ReadRoundMap());
    EXPECT_TRUE(frame->PadLauncher().Thread() == nullptr);
    EXPECT_EQ(0, CountPadWindows());
}

TEST_F(PadTest, EscapeClosesAndOwnerModeUsesTheSecondSetAndGivesTheForegroundBack)
{
    for (DWORD owner : {1u, 0u}) {
        SCOPED_TRACE(owner ? "owner mode" : "normal mode");
        ASSERT_TRUE(BringToFront(target));
        WriteOwner(owner);
        HWND pad = Open(500, 350);
        ASSERT_TRUE(pad);
        EXPECT_EQ(target, g_padDialog->previousForeground);

        RECT rect;
        GetWindowRect(pad, &rect);
        // Shown once its buttons are set up.
        ASSERT_TRUE(PumpUntil([pad] { return IsWindowVisible(pad) != FALSE; }, 2000));
        std::vector<DWORD> shot = RenderClient(pad, 0).pixels;
        ASSERT_EQ(165u * 165u, shot.size());
        int width, height;
        std::vector<DWORD> first = BitmapPixels(IDB_FIND, &width, &height);
        std::vector<DWORD> second = BitmapPixels(IDB_FIND2, &width, &height);
        POINT p = SegmentPoint(1);
        DWORD seen = shot[p.y * 165 + p.x];
        DWORD expected = (owner ? second : first)[(p.y - 7) * width + (p.x - 84)];
        EXPECT_EQ(expected, seen) << std::hex << "first set " << first[(p.y - 7) * width + (p.x - 84)] << " second set "
                                  << second[(p.y - 7) * width + (p.x - 84)];

        ASSERT_TRUE(PumpUntil([pad] { return GetForegroundWindow() == pad; }, 2000)) << "the pad never came to the front";
        keybd_event(VK_ESCAPE, 0, 0, 0);
        keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
        EXPECT_TRUE(WaitClosed(pad));
        EXPECT_EQ(0u, ReadRoundMap());
        if (owner) {
            EXPECT_TRUE(PumpUntil([this] { return GetForegroundWindow() == target; }, 2000));
        }
    }
}

TEST_F(PadTest, CloseRequestAndWindowCloseEndThePad)
{
    for (UINT message : {closeQuimbelMessage, static_cast<UINT>(WM_CLOSE)}) {
        SCOPED_TRACE(message == WM_CLOSE ? "WM_CLOSE" : "Close quimbel");
        ASSERT_TRUE(BringToFront(target));
        HWND pad = Open(400, 300);
        ASSERT_TRUE(pad);
        PumpUntil([pad] { return GetForegroundWindow() == pad; }, 1000);
        PostMessage(pad, message, message == WM_CLOSE ? 0 : closeQuimbelFromHook, 0);
        EXPECT_TRUE(WaitClosed(pad));
        EXPECT_EQ(0u, ReadRoundMap());
        EXPECT_TRUE(PumpUntil([this] { return GetForegroundWindow() == target; }, 2000));
    }
}

namespace {

BOOL CALLBACK SaysMove(HWND child, LPARAM found)
{
    char text[16] = "";
    if (GetWindowText(child, text, sizeof text) && strcmp(text, "move") == 0)
        *reinterpret_cast<HWND*>(found) = child;
    return TRUE;
}

BOOL CALLBACK HoldsMoveText(HWND window, LPARAM found)
{
    HWND says = nullptr;
    EnumChildWindows(window, SaysMove, reinterpret_cast<LPARAM>(&says));
    if (says)
        *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

// The message box saying "move" on the pad's thread, or null.
HWND FindMoveBox(HWND pad)
{
    HWND box = nullptr;
    EnumThreadWindows(GetWindowThreadProcessId(pad, nullptr), HoldsMoveText, reinterpret_cast<LPARAM>(&box));
    return box;
}

}  // namespace

TEST_F(PadTest, ABrowserFrameIsMaximisedAndBroughtToTheFront)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandle(nullptr);
    windowClass.lpszClassName = "IEFrame";
    RegisterClassA(&windowClass);
    HWND browser = CreateWindowA("IEFrame", "browser stand-in", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                                 nullptr, GetModuleHandle(nullptr), nullptr);
    ASSERT_TRUE(browser);
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    EXPECT_TRUE(IsZoomed(browser));
    EXPECT_TRUE(IsWindowVisible(browser));
    PostMessage(pad, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitClosed(pad));
    DestroyWindow(browser);
    UnregisterClassA("IEFrame", GetModuleHandle(nullptr));
}

namespace {

// A browser frame on a thread that stops handling its messages for a while, as a frozen browser would.
struct FrozenBrowser {
    HANDLE created = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE thaw = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HWND window = nullptr;
    bool thawed = false;      // by the test, once the launcher had returned
    bool maximised = false;
    ~FrozenBrowser()
    {
        CloseHandle(created);
        CloseHandle(thaw);
    }

    static DWORD Run(FrozenBrowser& self)
    {
        self.window = CreateWindowA("IEFrame", "frozen browser", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                                    nullptr, GetModuleHandle(nullptr), nullptr);
        SetEvent(self.created);
        if (!self.window)
            return 1;
        self.thawed = WaitForSingleObject(self.thaw, 10000 * LaneFactor()) == WAIT_OBJECT_0;
        self.maximised = PumpUntil([&self] { return IsZoomed(self.window) != FALSE; }, 2000);
        DestroyWindow(self.window);
        return 0;
    }
    static void Thaw(FrozenBrowser& self) { SetEvent(self.thaw); }
};

}  // namespace

TEST_F(PadTest, AFrozenBrowserFrameDoesNotHoldTheLauncher)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandle(nullptr);
    windowClass.lpszClassName = "IEFrame";
    RegisterClassA(&windowClass);
    HelperThread<FrozenBrowser> thread(FrozenBrowser::Run, FrozenBrowser::Thaw);
    FrozenBrowser& browser = *thread.data;
    ASSERT_TRUE(thread.Started());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(browser.created, 2000));
    ASSERT_TRUE(browser.window);

    WritePosition(400, 300);
    frame->PadLauncher().OpenOrMove();
    SetEvent(browser.thaw);
    EXPECT_TRUE(thread.Join(15000 * LaneFactor()));
    EXPECT_TRUE(browser.thawed) << "the launcher waited for the browser's thread";
    EXPECT_TRUE(browser.maximised) << "the browser was not maximised once it ran again";
    HWND pad = nullptr;
    EXPECT_TRUE(PumpUntil([&pad] { return (pad = PadWindow()) != nullptr && IsWindowVisible(pad); }, 3000));
    if (pad) {
        PostMessage(pad, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitClosed(pad));
    }
    UnregisterClassA("IEFrame", GetModuleHandle(nullptr));
}

TEST_F(PadTest, WheelOverThePadShowsTheMoveBox)
{
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    PostMessage(pad, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(400, 300));
    HWND box = nullptr;
    PumpUntil([&] { return (box = FindMoveBox(pad)) != nullptr; }, 2000);
    ASSERT_TRUE(box) << "no message box saying \"move\"";
    PostMessage(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([box] { return !IsWindow(box); }, 2000));
    EXPECT_TRUE(IsWindow(pad));

    // The frame going away while the box is up still ends the pad, box and all.
    PostMessage(pad, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(400, 300));
    box = nullptr;
    PumpUntil([&] { return (box = FindMoveBox(pad)) != nullptr; }, 2000);
    ASSERT_TRUE(box);
    DWORD start = GetTickCount();
    frame->PadLauncher().Release();
    EXPECT_LT(GetTickCount() - start, 2000u * LaneFactor());
    EXPECT_FALSE(IsWindow(box));
    EXPECT_FALSE(IsWindow(pad));
    EXPECT_TRUE(g_padDialog == nullptr);
}

namespace {

// Ends the pad while it shows the "move" box: the pad is ending, its thread held in the box. The box.
HWND EndUnderTheMoveBox(HWND pad)
{
    PostMessage(pad, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(400, 300));
    HWND box = nullptr;
    if (!PumpUntil([&] { return (box = FindMoveBox(pad)) != nullptr; }, 2000))
        return nullptr;
    PostMessage(pad, closeQuimbelMessage, closeQuimbelFromHook, 0);
    return PumpUntil([] { return g_padDialog && g_padDialog->IsWindowGone(); }, 2000) ? box : nullptr;
}

HWND g_box;
HWND g_receiver;
bool g_insideLauncher;
int g_handled;
int g_handledInside;

// On the pad thread: as the box is told to close, a message is sent to the test's thread.
LRESULT CALLBACK SendAsTheBoxCloses(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_CLOSE && message->hwnd == g_box) {
        DWORD_PTR result;
        SendMessageTimeout(g_receiver, WM_APP, 0, 0, SMTO_NORMAL, 3000, &result);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CountWhereHandled(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        g_handled++;
        g_handledInside += g_insideLauncher;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

TEST_F(PadTest, ARequestWhileAnEndingPadShowsABoxClosesTheBoxAndDoesNotWaitForIt)
{
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    HWND box = EndUnderTheMoveBox(pad);
    ASSERT_TRUE(box);

    WritePosition(450, 320);
    DWORD start = GetTickCount();
    frame->PadLauncher().OpenOrMove();
    EXPECT_LT(GetTickCount() - start, 1000u * LaneFactor()) << "the launcher waited for the ending pad";
    EXPECT_TRUE(PumpUntil([box] { return !IsWindow(box); }, 2000)) << "the box was not asked to close";
    HWND second = nullptr;
    EXPECT_TRUE(PumpUntil([&] { return (second = PadWindow()) != pad && second && IsWindowVisible(second); }, 3000));
    EXPECT_TRUE(PumpUntil([pad] { return !IsWindow(pad); }, 2000));
    if (second) {
        PostMessage(second, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitClosed(second));
    }
}

TEST_F(PadTest, TheLauncherHandlesNoSentMessageWhileItWaits)
{
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    g_box = EndUnderTheMoveBox(pad);
    ASSERT_TRUE(g_box);
    g_receiver = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandle(nullptr), nullptr);
    SetWindowLongPtr(g_receiver, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountWhereHandled));
    g_handled = g_handledInside = 0;
    HHOOK hook = SetWindowsHookEx(WH_GETMESSAGE, SendAsTheBoxCloses, nullptr, GetWindowThreadProcessId(pad, nullptr));
    ASSERT_TRUE(hook);

    WritePosition(450, 320);
    g_insideLauncher = true;
    frame->PadLauncher().OpenOrMove();
    g_insideLauncher = false;
    EXPECT_TRUE(PumpUntil([] { return g_handled > 0; }, 3000)) << "the box was not asked to close";
    EXPECT_EQ(0, g_handledInside) << "a sent message was handled inside the launcher's wait";
    UnhookWindowsHookEx(hook);
    DestroyWindow(g_receiver);
    HWND second = nullptr;
    EXPECT_TRUE(PumpUntil([&] { return (second = PadWindow()) != pad && second && IsWindowVisible(second); }, 3000));
    if (second) {
        PostMessage(second, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitClosed(second));
    }
}

TEST_F(PadTest, ReleasingTheFrameGivesTheForegroundBackOnlyInOwnerMode)
{
    HWND other = CreateTargetWindow(20, 20, 100, 100, RGB(0, 255, 0));
    ASSERT_TRUE(other);
    for (DWORD owner : {0u, 1u}) {
        SCOPED_TRACE(owner ? "owner mode" : "normal mode");
        ASSERT_TRUE(BringToFront(target));
        WriteOwner(owner);
        HWND pad = Open(500, 350);
        ASSERT_TRUE(pad);
        ASSERT_TRUE(BringToFront(other));
        frame->PadLauncher().Release();
        EXPECT_FALSE(IsWindow(pad));
        EXPECT_EQ(owner != 0, PumpUntil([this] { return GetForegroundWindow() == target; }, 500));
    }
    DestroyWindow(other);
}

namespace {

HANDLE destroyedEvent;
HWND heldPad;
HANDLE heldRelease;   // set by the test once the new pad is up

// Keeps the pad thread busy right after its window is gone, as a slow thread end would.
LRESULT CALLBACK HoldAfterDestroy(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_NCDESTROY && call->hwnd == heldPad) {
        SetEvent(destroyedEvent);
        WaitForSingleObject(heldRelease, 15000);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_F(PadTest, RequestWhileThePadThreadEndsOpensANewPad)
{
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    heldPad = pad;
    destroyedEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    heldRelease = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HHOOK hook = SetWindowsHookEx(WH_CALLWNDPROCRET, HoldAfterDestroy, nullptr, GetWindowThreadProcessId(pad, nullptr));
    ASSERT_TRUE(hook);
    PostMessage(pad, closeQuimbelMessage, closeQuimbelFromHook, 0);
    ASSERT_TRUE(PumpUntil([] { return WaitForSingleObject(destroyedEvent, 0) == WAIT_OBJECT_0; }, 3000));
    EXPECT_EQ(0u, ReadRoundMap());
    EXPECT_TRUE(g_padDialog != nullptr) << "the old pad's thread should still be ending";

    HWND second = Open(450, 320);
    SetEvent(heldRelease);
    ASSERT_TRUE(second) << "the request was lost";
    EXPECT_NE(pad, second);
    EXPECT_EQ(HandleToUlong(second), ReadRoundMap());
    RECT rect;
    GetWindowRect(second, &rect);
    EXPECT_EQ(450 - 82, rect.left);
    UnhookWindowsHookEx(hook);
    CloseHandle(destroyedEvent);
    CloseHandle(heldRelease);

    PostMessage(second, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitClosed(second));
    EXPECT_EQ(0u, ReadRoundMap());
}

namespace {

HANDLE endingEvent;

// Keeps the pad thread busy inside EndDialog, where the window is hidden and the modal loop about to end
// but the window not yet destroyed.
LRESULT CALLBACK HoldWhileEnding(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED && call->hwnd == heldPad &&
        (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_HIDEWINDOW) &&
        WaitForSingleObject(endingEvent, 0) == WAIT_TIMEOUT) {
        SetEvent(endingEvent);
        WaitForSingleObject(heldRelease, 15000);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HANDLE releaseEvent;

// Keeps the pad thread after its window is gone until the test lets it go.
LRESULT CALLBACK HoldUntilReleased(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_NCDESTROY && call->hwnd == heldPad) {
        SetEvent(destroyedEvent);
        WaitForSingleObject(releaseEvent, 15000);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

uintptr_t __cdecl NoThread(void*, unsigned, unsigned(__stdcall*)(void*), void*, unsigned, unsigned*)
{
    return 0;
}

// Points this program's import of function from dll at replacement; the address it had, or null when the
// program does not import it.
void* ReplaceImport(const char* dll, const char* function, void* replacement)
{
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandle(nullptr));
    const IMAGE_NT_HEADERS* headers =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (const IMAGE_IMPORT_DESCRIPTOR* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         imports.VirtualAddress && entry->Name; ++entry) {
        if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), dll) != 0)
            continue;
        const IMAGE_THUNK_DATA* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(
            base + (entry->OriginalFirstThunk ? entry->OriginalFirstThunk : entry->FirstThunk));
        IMAGE_THUNK_DATA* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const IMAGE_IMPORT_BY_NAME* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<const char*>(name->Name), function) != 0)
                continue;
            DWORD protection;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection))
                return nullptr;
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return previous;
        }
    }
    return nullptr;
}

}  // namespace

TEST_F(PadTest, RequestWhileThePadIsEndingOpensANewPad)
{
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    heldPad = pad;
    endingEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    heldRelease = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HHOOK hook = SetWindowsHookEx(WH_CALLWNDPROCRET, HoldWhileEnding, nullptr, GetWindowThreadProcessId(pad, nullptr));
    ASSERT_TRUE(hook);
    PostMessage(pad, closeQuimbelMessage, closeQuimbelFromHook, 0);
    ASSERT_TRUE(PumpUntil([] { return WaitForSingleObject(endingEvent, 0) == WAIT_OBJECT_0; }, 3000));
    EXPECT_TRUE(IsWindow(pad)) << "the hold should come before the window is destroyed";

    HWND second = Open(450, 320);
    SetEvent(heldRelease);
    ASSERT_TRUE(second) << "the request was lost";
    EXPECT_NE(pad, second);
    // The old pad ends after the new one published its window, and leaves that handle in place.
    EXPECT_TRUE(PumpUntil([pad] { return !IsWindow(pad); }, 3000));
    Pump(50);
    EXPECT_EQ(HandleToUlong(second), ReadRoundMap()) << "the old pad's end erased the new pad's handle";
    EXPECT_EQ(1, CountPadWindows());
    UnhookWindowsHookEx(hook);
    CloseHandle(endingEvent);
    CloseHandle(heldRelease);

    PostMessage(second, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitClosed(second));
    EXPECT_EQ(0u, ReadRoundMap());
}

TEST_F(PadTest, APadThatOutlivesItsFrameLeavesTheFrameAlone)
{
    // The frame lives in storage the test keeps, so that a write by the ending pad thread after the
    // frame is gone shows in it.
    DeleteFrame();
    alignas(CMainFrame) static unsigned char storage[sizeof(CMainFrame)];
    frame = new (storage) CMainFrame;
    frame->hwnd = target;
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    heldPad = pad;
    destroyedEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    releaseEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HHOOK hook = SetWindowsHookEx(WH_CALLWNDPROCRET, HoldUntilReleased, nullptr, GetWindowThreadProcessId(pad, nullptr));
    ASSERT_TRUE(hook);

    // The frame's destructor waits five seconds for the pad thread, then gives up.
    frame->hwnd = nullptr;
    DWORD start = GetTickCount();
    frame->~CMainFrame();
    frame = nullptr;
    EXPECT_GE(GetTickCount() - start, 4500u);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(destroyedEvent, 0));
    memset(storage, 0xA5, sizeof storage);

    // The application's end comes while the pad thread still runs: the block stays until the thread is done.
    CSharedMemory* view = OpenMouseStateBlock();
    CSharedMemory* block = g_sharedState;
    ReleaseSharedState();
    EXPECT_EQ(block, g_sharedState) << "the block was freed under a running pad thread";

    SetEvent(releaseEvent);
    EXPECT_TRUE(PumpUntil([] { return g_padDialog == nullptr && g_sharedState == nullptr; }, 3000))
        << "the pad thread did not end, or did not free the block as the last one to hold it";
    size_t changed = 0;
    for (unsigned char byte : storage)
        changed += byte != 0xA5;
    EXPECT_EQ(0u, changed) << "the ending pad thread wrote into the frame that was gone";
    DWORD roundMap = 0xFFFFFFFF, length = sizeof roundMap;
    EXPECT_TRUE(view->ReadItem(itemRoundMap, &roundMap, &length));
    EXPECT_EQ(0u, roundMap);
    delete view;
    UnhookWindowsHookEx(hook);
    CloseHandle(destroyedEvent);
    CloseHandle(releaseEvent);
}

TEST_F(PadTest, APadThreadThatCannotStartLeavesTheWatchdogRunning)
{
    frame->SetTimer(CMainFrame::watchdogTimer, CMainFrame::watchdogInterval);
    void* real = ReplaceImport("msvcrt.dll", "_beginthreadex", reinterpret_cast<void*>(NoThread));
    ASSERT_TRUE(real) << "this program does not import _beginthreadex";
    WritePosition(400, 300);
    frame->PadLauncher().OpenOrMove();
    ReplaceImport("msvcrt.dll", "_beginthreadex", real);
    EXPECT_TRUE(frame->PadLauncher().Thread() == nullptr);
    Pump(100);
    EXPECT_EQ(0, CountPadWindows());
    EXPECT_TRUE(KillTimer(target, CMainFrame::watchdogTimer)) << "the watchdog stayed stopped";

    // The next request opens a pad as usual.
    HWND pad = Open(420, 310);
    ASSERT_TRUE(pad);
    EXPECT_TRUE(KillTimer(target, CMainFrame::watchdogTimer));
    PostMessage(pad, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitClosed(pad));
}

TEST_F(PadTest, ReleasingTheFrameClosesThePadOnce)
{
    // While open.
    HWND pad = Open(400, 300);
    ASSERT_TRUE(pad);
    frame->PadLauncher().Release();
    EXPECT_FALSE(IsWindow(pad));
    EXPECT_TRUE(g_padDialog == nullptr);
    EXPECT_TRUE(frame->PadLauncher().Thread() == nullptr);
    EXPECT_EQ(0u, ReadRoundMap());

    // While its window is still being made.
    WritePosition(400, 300);
    frame->PadLauncher().OpenOrMove();
    frame->PadLauncher().Release();
    EXPECT_TRUE(g_padDialog == nullptr);
    EXPECT_TRUE(frame->PadLauncher().Thread() == nullptr);
    EXPECT_EQ(0, CountPadWindows());
    EXPECT_EQ(0u, ReadRoundMap());

    // Through the frame's destructor.
    pad = Open(400, 300);
    ASSERT_TRUE(pad);
    DeleteFrame();
    EXPECT_FALSE(IsWindow(pad));
    EXPECT_TRUE(g_padDialog == nullptr);
    EXPECT_EQ(0u, ReadRoundMap());
}
