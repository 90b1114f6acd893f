// Stand-in until the navigation pad lands: "Open quimbel" opens nothing, there is never a pad to release.
#include "tray/PadLauncher.h"

void OpenOrMovePad(CMainFrame*)
{
}

void ReleasePad(CMainFrame*)
{
}
