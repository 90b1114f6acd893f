// CWinApp: the program's one application object. The framework's WinMain finds it, runs InitInstance and
// then the message loop; a program derives from it and defines one static instance.
#pragma once
#include "framework/Object.h"
#include <windows.h>

class CWnd;

class CWinApp : public CObject {
public:
    // The newest constructed object becomes the application (there is one per program).
    CWinApp();
    ~CWinApp() override;

    static CWinApp* Get();

    // FALSE ends the program before the message loop (ExitInstance still runs).
    virtual BOOL InitInstance();
    // Runs when the message loop has ended or InitInstance failed; its result is the exit code.
    virtual int ExitInstance();
    // The message loop: until WM_QUIT; every message goes through PreTranslateMessage first.
    virtual int Run();
    // Offers the message to the bound windows from its target up through its parents, then to the main
    // window (a frame's accelerators); TRUE when one of them used it up.
    virtual BOOL PreTranslateMessage(MSG* msg);

    HINSTANCE instance;        // the program's module (its resources)
    const char* commandLine;   // the arguments, as WinMain receives them
    int showCommand;
    CWnd* mainWnd;             // the main window; cleared when that window is destroyed
    int exitCode;              // wParam of WM_QUIT

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCWinApp;
};
