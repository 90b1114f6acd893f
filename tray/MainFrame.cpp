#include "tray/MainFrame.h"
#include "tray/StartupWorker.h"
#include "tray/SystemTray.h"
#include "tray/TrayGlobals.h"
#include "tray/resource.h"
#include "framework/WinApp.h"
#include "framework/WinThread.h"
#include <new>

const CRuntimeClass CMainFrame::classCMainFrame = {"CMainFrame", sizeof(CMainFrame), &CreateObjectOf<CMainFrame>,
                                                   &CFrameWnd::classCFrameWnd};
const CRuntimeClass* CMainFrame::GetRuntimeClass() const { return &classCMainFrame; }

// WM_DESTROY, WM_DEVMODECHANGE, WM_LBUTTONDOWN and WM_MOUSEWHEEL get the frame's standard handling.
const MessageEntry CMainFrame::messageEntries[] = {
    OnMessage(WM_CREATE, &CMainFrame::OnCreate),
    OnCommand(ID_LAUNCH_MOUSE_PROPERTY, &CMainFrame::OnLaunchMouseProperty),
    OnRegistered(&openQuimbelMessage, &CMainFrame::OnOpenPad),
    OnMessage(WM_CLOSE, &CMainFrame::OnClose),
    OnCommand(ID_APP_EXIT, &CMainFrame::OnExit),
    OnRegistered(&iconNotifyMessage, &CMainFrame::OnIconNotify),
    OnTimer(&CMainFrame::OnWatchdogTimer),
};
const MessageMap CMainFrame::messageMap = MakeMessageMap(&CFrameWnd::messageMap, messageEntries);

namespace {

constexpr const char* trayTip = "Quimbel";

}  // namespace

CMainFrame::CMainFrame()
    : trayIcon(new (std::nothrow) CSystemTray), hookLibrary(nullptr), startHook(nullptr), stopHook(nullptr), padLauncher(this)
{
}

CMainFrame::~CMainFrame()
{
    if (stopHook)
        stopHook();
    if (hookLibrary)
        FreeLibrary(hookLibrary);
    padLauncher.Release();
    delete trayIcon;
}

BOOL CMainFrame::StartStartupWorker()
{
    // The thread object deletes itself when the worker returns.
    CWinThread* worker = new (std::nothrow) CWinThread(StartupWorker, this);
    if (!worker)
        return FALSE;
    if (!worker->CreateThread()) {
        delete worker;
        return FALSE;
    }
    return TRUE;
}

void CMainFrame::BindHookLibrary()
{
    hookLibrary = LoadLibraryA(mouseHookLibraryName);
    if (!hookLibrary)
        return;
    startHook = reinterpret_cast<StartHookFunction>(GetProcAddress(hookLibrary, startHookExportName));
    if (startHook)
        stopHook = reinterpret_cast<StopHookFunction>(GetProcAddress(hookLibrary, stopHookExportName));
}

LRESULT CMainFrame::OnCreate(WPARAM wParam, LPARAM lParam)
{
    if (CFrameWnd::OnCreate(wParam, lParam) == -1)
        return -1;

    CWinApp* app = CWinApp::Get();
    HICON icon = LoadIcon(app ? app->instance : GetModuleHandle(nullptr), MAKEINTRESOURCE(IDR_MAINFRAME));
    // Without its tray icon the frame is not made: every later handler relies on it.
    if (!trayIcon || !trayIcon->Create(this, iconNotifyMessage, trayTip, icon, IDR_TRAY_MENU))
        return -1;
    trayIcon->SetDefaultItem(0, TRUE);

    // The wait below has no time-out: it may only be entered when the worker runs, and the worker
    // signals on every path.
    g_startupEvent = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    BOOL workerRuns = g_startupEvent && StartStartupWorker();
    trayIcon->Hide();
    if (workerRuns)
        WaitForSingleObject(g_startupEvent, INFINITE);
    Sleep(1000);

    BindHookLibrary();
    if (startHook && stopHook)
        startHook(hwnd);

    if (g_startupEvent) {
        CloseHandle(g_startupEvent);
        g_startupEvent = nullptr;
    }
    SetTimer(watchdogTimer, watchdogInterval);
    return 0;
}

void CMainFrame::OnLaunchMouseProperty()
{
    ShellExecuteA(nullptr, nullptr, "control", "mouse", nullptr, SW_SHOW);
}

LRESULT CMainFrame::OnOpenPad(WPARAM, LPARAM)
{
    padLauncher.OpenOrMove();
    return 0;
}

LRESULT CMainFrame::OnClose(WPARAM wParam, LPARAM lParam)
{
    trayIcon->Hide();
    trayIcon->Remove();
    trayIcon->DestroyWindow();
    return CFrameWnd::OnClose(wParam, lParam);
}

void CMainFrame::OnExit()
{
    PostMessage(WM_CLOSE);
}

LRESULT CMainFrame::OnIconNotify(WPARAM wParam, LPARAM lParam)
{
    return trayIcon->HandleNotification(wParam, lParam);
}

void CMainFrame::OnWatchdogTimer(UINT_PTR)
{
    DWORD exitCode = 0;
    GetExitCodeProcess(g_plindorProcess.hProcess, &exitCode);
    if (exitCode != STILL_ACTIVE) {
        trayIcon->Hide();
        trayIcon->DestroyWindow();
        CloseWindow();
        PostMessage(WM_CLOSE);
        KillTimer(watchdogTimer);
    }
}
