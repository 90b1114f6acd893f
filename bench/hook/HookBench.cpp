// bench_hook.exe: what the mouse hook procedures cost.
// 1. Pass-through of ordinary events (moves, left presses and releases) by each procedure, against a bare
//    procedure that only calls CallNextHookEx, measured in the same run in alternating batches.
// 2. Latency of a side-button press (registry read, settings-file open and one-byte read, timer start; the
//    library's hold on the process when none is held) and of its release (timer kill), each against the
//    same steps done outside the library in the same iteration.
// 3. The repeat as a window sees it: the gap between line steps against a bare 50 ms thread timer pumped
//    the same way, and how soon the steps stop after the release and after the target window is closed.
#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "tests/support/SettingsFolder.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Stopwatch.h"
#include "shared/RegAccess.h"

namespace {

HOOKPROC g_mouseHookProc;
HOOKPROC g_lowLevelProc;

LRESULT CALLBACK BareProc(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Microseconds per event for a run of the given ordinary events.
double Batch(HOOKPROC procedure, LPARAM record, const std::vector<UINT>& events, int iterations)
{
    double start = NowMicroseconds();
    for (int i = 0; i < iterations; ++i)
        for (UINT message : events)
            procedure(HC_ACTION, message, record);
    return (NowMicroseconds() - start) / (iterations * static_cast<double>(events.size()));
}

void PassThrough(const char* name, HOOKPROC procedure, LPARAM record)
{
    const struct { const char* what; std::vector<UINT> events; } kinds[] = {
        {"mouse moves", {WM_MOUSEMOVE}},
        {"left clicks", {WM_LBUTTONDOWN, WM_LBUTTONUP}},
    };
    for (const auto& kind : kinds) {
        const int batches = 21;
        const int iterations = 1000;
        Batch(procedure, record, kind.events, iterations / 10);
        Batch(BareProc, record, kind.events, iterations / 10);
        std::vector<double> hook, bare;
        for (int i = 0; i < batches; ++i) {
            hook.push_back(Batch(procedure, record, kind.events, iterations));
            bare.push_back(Batch(BareProc, record, kind.events, iterations));
        }
        double hookMedian = Percentile(hook, 0.5);
        double bareMedian = Percentile(bare, 0.5);
        printf("%-18s %-11s %7.2f us/event, bare CallNextHookEx %7.2f us/event, ratio %.2f (goal <= 1.10)\n",
               name, kind.what, hookMedian, bareMedian, hookMedian / bareMedian);
    }
}

// The steps a side-button press cannot do without (the setting's registry value and file byte, a timer
// start), done here outside the library; microseconds of each step into the vectors.
double BarePress(std::vector<double>& registry, std::vector<double>& file, std::vector<double>& timer, UINT_PTR* id)
{
    double begin = NowMicroseconds();
    char folder[256] = "";
    CRegAccess access;
    access.SelectRoot(HKEY_LOCAL_MACHINE);
    if (access.OpenPath("Software\\Ferrowin", FALSE))
        access.GetString("AppPath", "", folder);
    double step = NowMicroseconds();
    registry.push_back(step - begin);

    std::string path = std::string(folder) + "\\VELDA.DAT";
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    BYTE setting = 0;
    DWORD got = 0;
    SetFilePointer(handle, 1128, nullptr, FILE_BEGIN);
    ReadFile(handle, &setting, 1, &got, nullptr);
    CloseHandle(handle);
    double next = NowMicroseconds();
    file.push_back(next - step);

    *id = SetTimer(nullptr, 0, 50, nullptr);
    double end = NowMicroseconds();
    timer.push_back(end - next);
    return end - begin;
}

void PrintAgainstBaseline(const char* what, const std::vector<double>& measured, const char* baselineName,
                          const std::vector<double>& baseline)
{
    double median = Percentile(measured, 0.5);
    double p99 = Percentile(measured, 0.99);
    double baseMedian = Percentile(baseline, 0.5);
    double baseP99 = Percentile(baseline, 0.99);
    printf("%-20s median %5.0f us, 99th percentile %5.0f us, max %5.0f us; %s median %5.0f us, 99th percentile "
           "%5.0f us; ratios %.2f / %.2f\n",
           what, median, p99, Percentile(measured, 1.0), baselineName, baseMedian, baseP99, median / baseMedian,
           p99 / baseP99);
}

void PressLatency()
{
    // A settings file whose setting bytes are zero, so that every press starts the repeat.
    SettingsFolder settings;
    if (!settings.Ready() || !settings.WriteFile(0, 0)) {
        printf("side-button press: the settings could not be prepared\n");
        return;
    }
    MSLLHOOKSTRUCT record = {};
    record.pt.x = 10;
    record.pt.y = 10;
    // The library's hold on this process goes back once the thread that ran its timers has handled a
    // message sent to one of its windows, as a hook's thread does.
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    // Each press and release is followed by the same steps done outside the library (the baseline of the
    // same moment): registry value, file byte and timer start for a press, the timer kill for a release.
    std::vector<double> presses, releases, barePresses, bareReleases, registry, file, timer, roundTrip;
    const int count = 400;
    for (int i = 0; i < count + 20; ++i) {
        record.mouseData = XBUTTON1 << 16;
        double start = NowMicroseconds();
        LRESULT result = g_lowLevelProc(HC_ACTION, WM_XBUTTONDOWN, reinterpret_cast<LPARAM>(&record));
        double took = NowMicroseconds() - start;
        start = NowMicroseconds();
        g_lowLevelProc(HC_ACTION, WM_XBUTTONUP, reinterpret_cast<LPARAM>(&record));
        double release = NowMicroseconds() - start;
        Pump(0);
        if (result != 1) {
            printf("side-button press: not handled as a scroll press (result %lld)\n", static_cast<long long>(result));
            return;
        }
        UINT_PTR id = 0;
        double barePress = BarePress(registry, file, timer, &id);
        start = NowMicroseconds();
        KillTimer(nullptr, id);
        double bareRelease = NowMicroseconds() - start;
        // One plain request to the system's server: the unit the steps above are made of under Wine.
        start = NowMicroseconds();
        HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        roundTrip.push_back(NowMicroseconds() - start);
        CloseHandle(event);
        if (i >= 20) {
            presses.push_back(took);
            releases.push_back(release);
            barePresses.push_back(barePress);
            bareReleases.push_back(bareRelease);
        }
    }
    Pump(100);
    DestroyWindow(window);
    printf("over %d presses and releases (goal: press and release 99th percentile < 2000 us)\n", count);
    PrintAgainstBaseline("side-button press", presses, "same steps bare", barePresses);
    PrintAgainstBaseline("side-button release", releases, "KillTimer bare", bareReleases);
    // Where the time of a press goes on this machine.
    printf("  of which registry (CRegAccess)     median %.0f us, 99th percentile %.0f us\n", Percentile(registry, 0.5),
           Percentile(registry, 0.99));
    printf("  of which file open and read        median %.0f us, 99th percentile %.0f us\n", Percentile(file, 0.5),
           Percentile(file, 0.99));
    printf("  of which timer start               median %.0f us, 99th percentile %.0f us\n", Percentile(timer, 0.5),
           Percentile(timer, 0.99));
    printf("  baseline: one server request       median %.0f us, 99th percentile %.0f us\n", Percentile(roundTrip, 0.5),
           Percentile(roundTrip, 0.99));
}

// The line steps' arrival times at the recording windows.
std::vector<double> g_steps;

LRESULT CALLBACK StepRecorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HSCROLL)
        g_steps.push_back(Now());
    return DefWindowProcA(window, message, wParam, lParam);
}

// The steps of one hold: the gaps between them while held, and what came after the release (or after the
// target was closed, when closeTarget is given).
struct Hold {
    std::vector<double> gaps;
    int steps = 0;
    int stepsAfter = 0;
    double lastAfter = 0;   // milliseconds from the release or the close to the last step after it
};

Hold HoldOver(POINT at, DWORD held, HWND closeTarget)
{
    MSLLHOOKSTRUCT record = {};
    record.pt = at;
    record.mouseData = XBUTTON2 << 16;
    g_steps.clear();
    g_lowLevelProc(HC_ACTION, WM_XBUTTONDOWN, reinterpret_cast<LPARAM>(&record));
    Pump(held);
    double end = Now();
    if (closeTarget) {
        DestroyWindow(closeTarget);
        end = Now();
        Pump(held);
    }
    g_lowLevelProc(HC_ACTION, WM_XBUTTONUP, reinterpret_cast<LPARAM>(&record));
    if (!closeTarget)
        end = Now();
    Pump(200);
    Hold hold;
    hold.steps = static_cast<int>(g_steps.size());
    for (size_t i = 1; i < g_steps.size(); ++i)
        if (g_steps[i] <= end)
            hold.gaps.push_back(g_steps[i] - g_steps[i - 1]);
    for (double step : g_steps)
        if (step > end) {
            ++hold.stepsAfter;
            hold.lastAfter = step - end;
        }
    return hold;
}

void RepeatRhythm()
{
    SettingsFolder settings;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = StepRecorder;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FerrowinBenchSteps";
    if (!settings.Ready() || !settings.WriteFile(0, 0) || !RegisterClassA(&windowClass)) {
        printf("repeat: the settings or the window class could not be prepared\n");
        return;
    }
    const int holds = 8;
    std::vector<double> gaps, bare, afterRelease, afterClose;
    int stepsAfterRelease = 0, stepsAfterClose = 0, stepsBeforeClose = 0;
    for (int i = 0; i < holds; ++i) {
        HWND target = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE | WS_HSCROLL, 100, 100,
                                      300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
        Pump(50);
        Hold hold = HoldOver(POINT{250, 180}, 400, nullptr);
        gaps.insert(gaps.end(), hold.gaps.begin(), hold.gaps.end());
        stepsAfterRelease += hold.stepsAfter;
        afterRelease.push_back(hold.lastAfter);
        DestroyWindow(target);

        // The steps go to the parent's bar; the child under the cursor is closed while the button is held.
        HWND parent = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                      nullptr, nullptr, windowClass.hInstance, nullptr);
        CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 280, 400, 20, parent, nullptr,
                        windowClass.hInstance, nullptr);
        HWND child = CreateWindowExA(0, windowClass.lpszClassName, "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 200, parent,
                                     nullptr, windowClass.hInstance, nullptr);
        Pump(50);
        hold = HoldOver(POINT{160, 160}, 200, child);
        stepsAfterClose += hold.stepsAfter;
        stepsBeforeClose += hold.steps - hold.stepsAfter;
        afterClose.push_back(hold.lastAfter);
        DestroyWindow(parent);

        // The baseline: a bare thread timer of the same interval, pumped the same way.
        std::vector<double> ticks;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, nullptr);
        double end = Now() + 400;
        MSG message;
        while (Now() < end) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == timer)
                    ticks.push_back(Now());
                else
                    DispatchMessageA(&message);
        }
        KillTimer(nullptr, timer);
        for (size_t t = 1; t < ticks.size(); ++t)
            bare.push_back(ticks[t] - ticks[t - 1]);
    }
    UnregisterClassA(windowClass.lpszClassName, windowClass.hInstance);
    if (gaps.empty() || bare.empty()) {
        printf("repeat: no steps reached the window\n");
        return;
    }
    printf("repeat step gap: median %.1f ms, 90th percentile %.1f ms; bare 50 ms thread timer median %.1f ms, "
           "ratio %.2f (goal <= 1.10)\n",
           Median(gaps), Percentile(gaps, 0.9), Median(bare), Median(gaps) / Median(bare));
    printf("steps after the release: %d in %d holds, the last one at most %.1f ms after it (goal: none)\n",
           stepsAfterRelease, holds, Percentile(afterRelease, 1.0));
    printf("steps after the target was closed: %d in %d holds (%d before), the last one at most %.1f ms after it "
           "(goal: none)\n",
           stepsAfterClose, holds, stepsBeforeClose, Percentile(afterClose, 1.0));
}

}

int main()
{
    HMODULE hoppet = LoadLibraryA("hoppet.dll");
    if (!hoppet) {
        printf("hoppet.dll not found\n");
        return 1;
    }
    g_mouseHookProc = reinterpret_cast<HOOKPROC>(GetProcAddress(hoppet, "?MouseHookProc@@YGJHIJ@Z"));
    g_lowLevelProc = reinterpret_cast<HOOKPROC>(GetProcAddress(hoppet, "_LowLevelMousePProc@12"));
    if (!g_mouseHookProc || !g_lowLevelProc) {
        printf("hoppet.dll lacks its hook procedures\n");
        return 1;
    }

    // No hook is installed here, so the per-process procedure takes its full path: a left press reads
    // "RoundMap" from the shared block under the block's lock.
    MOUSEHOOKSTRUCT perProcess = {};
    perProcess.pt.x = 10;
    perProcess.pt.y = 10;
    perProcess.wHitTestCode = HTCLIENT;
    MSLLHOOKSTRUCT lowLevel = {};
    lowLevel.pt.x = 10;
    lowLevel.pt.y = 10;
    PassThrough("LowLevelMousePProc", g_lowLevelProc, reinterpret_cast<LPARAM>(&lowLevel));
    PassThrough("MouseHookProc", g_mouseHookProc, reinterpret_cast<LPARAM>(&perProcess));
    PressLatency();
    RepeatRhythm();
    return 0;
}
