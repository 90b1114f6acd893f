#include "framework/FrameWnd.h"
#include "framework/ResourceModule.h"
#include "framework/WinApp.h"
#include <string.h>

const CRuntimeClass CFrameWnd::classCFrameWnd = {"CFrameWnd", sizeof(CFrameWnd), &CreateObjectOf<CFrameWnd>,
                                                 &CWnd::classCWnd};
const CRuntimeClass* CFrameWnd::GetRuntimeClass() const { return &classCFrameWnd; }

const MessageEntry CFrameWnd::messageEntries[] = {
    OnMessage(WM_CREATE, &CFrameWnd::OnCreate),
    OnMessage(WM_CLOSE, &CFrameWnd::OnClose),
    OnMessage(WM_DESTROY, &CFrameWnd::OnDestroy),
};
const MessageMap CFrameWnd::messageMap = MakeMessageMap(&CWnd::messageMap, messageEntries);

CFrameWnd::CFrameWnd() : accelerators(nullptr), title() {}

CFrameWnd::~CFrameWnd()
{
    CWinApp* app = CWinApp::Get();
    if (app && app->mainWnd == this)
        app->mainWnd = nullptr;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent)
{
    HINSTANCE resources = GetResourceModule();

    char text[256] = "";
    if (LoadString(resources, resourceId, text, sizeof text) > 0) {
        char* end = strchr(text, '\n');
        if (end)
            *end = '\0';
    }
    lstrcpyn(title, text, sizeof title);

    HICON icon = LoadIcon(resources, MAKEINTRESOURCE(resourceId));
    const char* className = RegisterFrameworkClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                                                   reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    if (!className) {
        PostNcDestroy();
        return FALSE;
    }
    accelerators = LoadAccelerators(resources, MAKEINTRESOURCE(resourceId));
    HMENU menu = LoadMenu(resources, MAKEINTRESOURCE(resourceId));

    if (!CreateEx(0, className, title, style & ~frameAddToTitle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, parent ? parent->hwnd : nullptr, menu)) {
        // A menu is destroyed with its window; one the window never took is freed here.
        if (menu && !IsMenu(menu))
            menu = nullptr;
        if (menu)
            DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (accelerators && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
        return TranslateAccelerator(hwnd, accelerators, msg) != 0;
    return FALSE;
}

LRESULT CFrameWnd::OnCreate(WPARAM, LPARAM)
{
    return Default();
}

LRESULT CFrameWnd::OnClose(WPARAM, LPARAM)
{
    DestroyWindow();
    return 0;
}

LRESULT CFrameWnd::OnDestroy(WPARAM, LPARAM)
{
    LRESULT result = Default();
    CWinApp* app = CWinApp::Get();
    if (app && app->mainWnd == this)
        PostQuitMessage(0);
    return result;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}
