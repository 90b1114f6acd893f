#include "framework/ModalScope.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

CModalScope::CModalScope(CWnd* dialog, HWND parent) : owner(nullptr), disabledTop(nullptr), binding(FALSE)
{
    HWND window = parent;
    if (!window) {
        CWinApp* app = CWinApp::Get();
        window = app && app->mainWnd ? app->mainWnd->hwnd : nullptr;
        // Another thread's main window is no owner: owning across threads joins their input queues.
        if (window && GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
            window = nullptr;
    }
    if (!window)
        window = GetActiveWindow();
    while (window && (GetWindowLongPtr(window, GWL_STYLE) & WS_CHILD))
        window = ::GetParent(window);
    owner = window;
    if (owner && owner != GetDesktopWindow() && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        disabledTop = owner;
    }
    binding = dialog && CWnd::HookWindowCreate(dialog);
}

CModalScope::~CModalScope()
{
    Restore();
}

void CModalScope::Restore()
{
    EndBinding();
    if (disabledTop && IsWindow(disabledTop))
        EnableWindow(disabledTop, TRUE);
    disabledTop = nullptr;
}

void CModalScope::EndBinding()
{
    if (binding) {
        binding = FALSE;
        CWnd::UnhookWindowCreate();
    }
}
