// DOINSTALL, the installer's one export: reads the install script and the texts of the system's language,
// runs the wizard on the caller's thread, and tells the launcher how setup ended.
#include "framework/ResourceModule.h"
#include "framework/WinApp.h"
#include "setup/SetupExports.h"
#include "setup/engine/InstallScript.h"
#include "setup/engine/LanguageTable.h"
#include "setup/engine/SetupState.h"
#include "setup/engine/UiTexts.h"
#include "setup/wizard/SetupBackdrop.h"
#include "shared/WindowsVersion.h"

extern "C" int WINAPI DOINSTALL(const char* sourceFolder)
{
    // A folder that does not fit could only name another folder: nothing is read or shown.
    if (!SetSourceDir(sourceFolder))
        return 0;
    ClassifySystem(CurrentWindowsVersion());
    PickSystemLanguage();
    ReadInstallScript();
    g_setup.languageExt = LanguageExtension(g_setup.languageIndex);
    if (!LoadUiTexts()) {
        FreeInstallScript();
        return 0;
    }
    INT_PTR modalResult;
    {
        // The application object of this library's framework: the backdrop becomes its main window.
        CWinApp app;
        CSetupBackdrop backdrop;
        app.mainWnd = &backdrop;
        modalResult = backdrop.DoModal();
    }
    FreeUiTexts();
    FreeInstallScript();
    return SetupResultCode(modalResult);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        SetResourceModule(instance);
    }
    return TRUE;
}
