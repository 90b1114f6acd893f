#include "tray/QuelmarApp.h"
#include "tray/MainFrame.h"
#include "tray/OwnFolder.h"
#include "tray/StartupWorker.h"
#include "tray/TrayGlobals.h"
#include "tray/resource.h"
#include "shared/MouseProtocol.h"
#include "shared/InstallFolder.h"
#include "shared/SharedMemory.h"
#include <new>
#include <shellapi.h>

namespace {

// The single-instance mutex, and the title of the property program's window.
constexpr const char* instanceMutexName = "Narvex";
constexpr const char* propertyWindowTitle = "Plindor";

}  // namespace

CQuelmarApp g_app;

CQuelmarApp::CQuelmarApp() : instanceMutex(nullptr)
{
    g_sharedState = OpenMouseStateBlock();
}

CQuelmarApp::~CQuelmarApp()
{
    ReleaseSharedState();
}

// The property program's window is up: open it again from the installation folder, without waiting.
void CQuelmarApp::ReopenPropertyProgram()
{
    char folder[MAX_PATH];
    ReadInstallFolder(folder, sizeof folder);   // empty when not installed
    SetCurrentDirectoryA(folder);

    SHELLEXECUTEINFOA execute = {};
    execute.cbSize = sizeof execute;
    execute.lpVerb = "Open";
    execute.lpFile = propertyProgram;
    execute.lpDirectory = folder;
    execute.nShow = SW_SHOW;
    ShellExecuteExA(&execute);
}

BOOL CQuelmarApp::IsAnotherCopyRunning()
{
    SetLastError(0);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, instanceMutexName);
    DWORD error = GetLastError();
    if ((mutex && error == ERROR_ALREADY_EXISTS) || error == ERROR_ACCESS_DENIED) {
        if (mutex)
            CloseHandle(mutex);
        return TRUE;
    }
    instanceMutex = mutex;
    return FALSE;
}

// The framework's control-container support and 3-D control look need no call here: this framework hosts
// no ActiveX controls, and controls have drawn in 3-D since Windows 95.
BOOL CQuelmarApp::InitInstance()
{
    if (FindWindowA(nullptr, propertyWindowTitle))
        ReopenPropertyProgram();

    if (IsAnotherCopyRunning())
        return FALSE;

    EnterOwnFolder();

    CMainFrame* frame = new (std::nothrow) CMainFrame;
    if (!frame)
        return FALSE;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | frameAddToTitle, nullptr))
        return FALSE;   // the frame has deleted itself
    mainWnd = frame;
    frame->ShowWindow(SW_HIDE);
    frame->UpdateWindow();
    return TRUE;
}
