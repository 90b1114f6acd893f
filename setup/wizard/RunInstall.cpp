#include "setup/wizard/RunInstall.h"
#include "setup/engine/InstallScript.h"
#include "setup/engine/UiTexts.h"
#include "setup/wizard/InstallProgress.h"
#include <commctrl.h>

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

void RunInstall(HWND owner)
{
    InstallValues values = CurrentInstallValues();
    // The dialog's animation and progress bar are common controls: where nothing else has loaded
    // comctl32, their classes exist only after this.
    InitCommonControls();
    CInstallProgress progress(values, owner);
    // -1 when the dialog could not be made or a quit ended its loop (the loop posts the quit again for the
    // loop outside, which sees it once the run is over): the run is completed here either way.
    progress.DoModal();
    progress.CompleteRun();
}
