#include "setup/engine/SetupState.h"
#include "setup/engine/LanguageTable.h"
#include <string.h>

SetupState g_setup = {
    "", "", defaultLanguageIndex, nullptr, 0, 0, 0, 0, 0, nullptr,
};

BOOL SetSourceDir(const char* folder)
{
    g_setup.sourceDir[0] = '\0';
    if (!folder || strlen(folder) >= sizeof(g_setup.sourceDir))
        return FALSE;
    strcpy(g_setup.sourceDir, folder);
    return TRUE;
}

void ClassifySystem(const WindowsVersion& version)
{
    g_setup.osV51 = version.major >= 5 && version.minor == 1;
    g_setup.osV50 = version.major >= 5 && version.minor == 0;
    g_setup.osV40 = version.major < 5 && version.minor == 0;
}

int SetupResultCode(INT_PTR modalResult)
{
    switch (modalResult) {
    case resultCancelled:
    case resultRestartLater:
        return static_cast<int>(modalResult);
    case resultRestartNow:
        if (g_setup.osV51 || g_setup.osV50 || g_setup.osV40)
            return restartOnNtFlag | resultRestartNow;
        return resultRestartNow;
    default:
        return 0;
    }
}
