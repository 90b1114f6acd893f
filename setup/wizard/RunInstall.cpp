#include "setup/wizard/RunInstall.h"
#include "setup/engine/InstallScript.h"
#include "setup/engine/UiTexts.h"
#include "setup/install/CreateShortcuts.h"
#include "setup/wizard/InstallProgress.h"
#include "setup/install/RegisterProduct.h"
#include "setup/install/RegisterUninstall.h"
#include "setup/install/UninstallLog.h"
#include "setup/wizard/SetupBackdrop.h"

InstallValues CurrentInstallValues()
{
    InstallValues values;
    values.sourceDir = g_setup.sourceDir;
    values.installDir = g_setup.installDir;
    values.languageExt = g_setup.languageExt;
    values.product = ScriptValue(scriptProduct);
    values.productKey = ScriptValue(scriptProductKey);
    values.titleMain = ScriptValue(scriptTitleMain);
    values.captionBar = ScriptValue(scriptCaptionBar);
    values.targetFolder = ScriptValue(scriptTargetFolder);
    values.shortcutText = UiText(msgShortcutName);
    return values;
}

void RunInstall()
{
    InstallValues values = CurrentInstallValues();
    CInstallProgress progress(values, g_setup.backdrop ? g_setup.backdrop->hwnd : nullptr);
    if (progress.DoModal() != -1)
        return;
    // Without its dialog the run still happens, on this thread, so the finish page tells the truth.
    RunCopySteps(values, g_setup);
    RegisterProduct(values, g_setup);
    CreateShortcuts(values, g_setup);
    RegisterUninstall(values, g_setup);
    CloseUninstallLog(g_setup);
}
