// bench_setup_wizard.exe: how fast the installer's wizard comes up and moves.
// 1. DOINSTALL called until the wizard's first page is visible (backdrop maximised, frame, seven pages,
//    texts loaded), over repeated calls; baseline: a bare modal dialog (the cancel confirmation's
//    template, from setup.dll) on a thread of its own, timed the same way.
// 2. One Next (welcome page: its texts and label styles, synchronous through BM_CLICK) and one change of
//    language (all texts reloaded, captions, heading and list refilled), each as a sent message.
// Medians and floors (the fastest run) in milliseconds.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#include "ChildProcess.h"
#include "MessagePump.h"
#include "Stopwatch.h"
#include "setup/SetupExports.h"
#include "setup/engine/LanguageTable.h"
#include "setup/engine/SetupState.h"
#include "setup/engine/UiTexts.h"

namespace {

constexpr int runs = 10;
constexpr int steps = 20;
constexpr UINT confirmTemplate = 137;
constexpr int idNext = 1002;
constexpr int idBack = 1001;
constexpr int idList = 1014;
constexpr int idCancelSetup = 1010;

HMODULE g_library;
DoInstallProc g_doInstall;
std::string g_source;
HWND g_bare;

DWORD WINAPI InstallThread(void*)
{
    g_doInstall(g_source.c_str());
    return 0;
}

INT_PTR CALLBACK BareProc(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
        g_bare = window;
    return FALSE;
}

DWORD WINAPI BareThread(void*)
{
    DialogBoxParamA(g_library, MAKEINTRESOURCE(confirmTemplate), nullptr, BareProc, 0);
    g_bare = nullptr;
    return 0;
}

struct Found {
    DWORD thread;
    HWND frame;
};

BOOL CALLBACK FindFrame(HWND window, LPARAM parameter)
{
    Found* found = reinterpret_cast<Found*>(parameter);
    if (GetDlgItem(window, idCancelSetup) && IsWindowVisible(window))
        found->frame = window;
    return TRUE;
}

HWND VisiblePage(HWND frame)
{
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = "";
        GetClassNameA(child, name, sizeof(name));
        if (strcmp(name, "#32770") == 0 && IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

HWND FrameOf(DWORD thread)
{
    Found found = {thread, nullptr};
    EnumThreadWindows(thread, FindFrame, reinterpret_cast<LPARAM>(&found));
    return found.frame && VisiblePage(found.frame) ? found.frame : nullptr;
}

void EndThread(HANDLE thread, DWORD threadId)
{
    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 10000);
    CloseHandle(thread);
}

void Report(const char* what, const std::vector<double>& times)
{
    if (times.empty()) {
        printf("%-44s no runs\n", what);
        return;
    }
    printf("%-44s median %7.2f ms   floor %7.2f ms   (%zu runs)\n", what, Median(times), Percentile(times, 0),
           times.size());
}

}

int main()
{
    g_library = LoadLibraryA((ProgramFolder() + "setup.dll").c_str());
    g_doInstall = g_library ? reinterpret_cast<DoInstallProc>(GetProcAddress(g_library, "DOINSTALL")) : nullptr;
    if (!g_doInstall) {
        printf("setup.dll or DOINSTALL not found\n");
        return 1;
    }
    char full[MAX_PATH];
    GetFullPathNameA((ProgramFolder() + "..\\setupsource").c_str(), sizeof(full), full, nullptr);
    g_source = full;

    std::vector<double> bare, first, next, language;
    for (int run = 0; run < runs; ++run) {
        DWORD threadId = 0;
        double start = Now();
        HANDLE thread = CreateThread(nullptr, 0, BareThread, nullptr, 0, &threadId);
        if (PumpUntil([] { return g_bare && IsWindowVisible(g_bare); }, 10000))
            bare.push_back(Now() - start);
        EndThread(thread, threadId);
    }
    for (int run = 0; run < runs; ++run) {
        DWORD threadId = 0;
        double start = Now();
        HANDLE thread = CreateThread(nullptr, 0, InstallThread, nullptr, 0, &threadId);
        HWND frame = nullptr;
        if (PumpUntil([&] { return (frame = FrameOf(threadId)) != nullptr; }, 20000))
            first.push_back(Now() - start);
        if (frame && run == 0) {
            HWND nextButton = GetDlgItem(frame, idNext), backButton = GetDlgItem(frame, idBack);
            for (int step = 0; step < steps; ++step) {
                double begin = Now();
                SendMessageA(nextButton, BM_CLICK, 0, 0);
                next.push_back(Now() - begin);
                SendMessageA(backButton, BM_CLICK, 0, 0);
            }
            HWND page = VisiblePage(frame);
            HWND list = GetDlgItem(page, idList);
            for (int step = 0; step < steps; ++step) {
                SendMessageA(list, LB_SETCURSEL, step % 2 ? 6 : 4, 0);
                double begin = Now();
                SendMessageA(page, WM_COMMAND, MAKEWPARAM(idList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
                language.push_back(Now() - begin);
            }
        }
        EndThread(thread, threadId);
    }
    // The text loading alone, with this program's own copy of the engine.
    std::vector<double> load;
    SetSourceDir(g_source.c_str());
    for (int step = 0; step < steps; ++step) {
        double begin = Now();
        SelectLanguage(step % 2 ? 6 : 4);
        load.push_back(Now() - begin);
    }
    FreeUiTexts();
    Report("bare modal dialog from a template, visible", bare);
    Report("DOINSTALL to the first page visible", first);
    Report("Next (welcome page, texts and label styles)", next);
    Report("language change (texts reloaded, captions)", language);
    Report("  of which loading the 49 texts", load);
    FreeLibrary(g_library);
    return 0;
}
