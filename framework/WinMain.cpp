// The entry of a framework program: hands control to its one CWinApp object. Kept in its own file so that
// only programs without a main function of their own link it.
#include "framework/ResourceModule.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    CWinApp* app = CWinApp::Get();
    if (!app)
        return -1;
    app->instance = instance;
    SetResourceModule(instance);
    app->commandLine = commandLine ? commandLine : "";
    app->showCommand = showCommand;
    if (!app->InitInstance()) {
        if (app->mainWnd && app->mainWnd->hwnd)
            app->mainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
