#include "framework/WinApp.h"
#include "framework/Wnd.h"

const CRuntimeClass CWinApp::classCWinApp = {"CWinApp", sizeof(CWinApp), nullptr, &CObject::classCObject};
const CRuntimeClass* CWinApp::GetRuntimeClass() const { return &classCWinApp; }

static CWinApp* g_currentApp = nullptr;

CWinApp* CWinApp::Get() { return g_currentApp; }

CWinApp::CWinApp()
    : instance(GetModuleHandle(nullptr)), commandLine(""), showCommand(SW_SHOWDEFAULT), mainWnd(nullptr),
      exitCode(0)
{
    g_currentApp = this;
}

CWinApp::~CWinApp()
{
    if (g_currentApp == this)
        g_currentApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return exitCode;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    // Only windows of this thread receive its queued messages, so their objects are safe to use here.
    CWnd* main = mainWnd;
    for (HWND window = msg->hwnd; window; window = GetParent(window)) {
        CWnd* wnd = CWnd::FromHandle(window);
        if (wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
        // Without a main window an unbound window (null) must not end the walk.
        if (wnd && wnd == main)
            return FALSE;
    }
    return main && main->hwnd && main->PreTranslateMessage(msg);
}

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        BOOL got = GetMessage(&msg, nullptr, 0, 0);
        if (got == 0) {
            exitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1)
            break;
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    return ExitInstance();
}
