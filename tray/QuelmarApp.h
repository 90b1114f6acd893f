// CQuelmarApp: the tray application's one application object. It holds the shared block for the whole
// run, lets a single copy run, and creates the hidden main frame.
#pragma once
#include "framework/WinApp.h"

class CQuelmarApp : public CWinApp {
public:
    CQuelmarApp();            // opens g_sharedState
    ~CQuelmarApp() override;  // releases g_sharedState (freed once no pad thread holds it)

    BOOL InitInstance() override;

private:
    void ReopenPropertyProgram();
    BOOL IsAnotherCopyRunning();

    HANDLE instanceMutex;     // "Narvex", open for the life of the process
};
