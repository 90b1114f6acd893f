#include "tray/TrayGlobals.h"
#include "tray/PadLauncher.h"
#include "shared/MouseProtocol.h"

CSharedMemory* sharedState = nullptr;
HANDLE startupEvent = nullptr;
PROCESS_INFORMATION plindorProcess = {};

CRoundMapDlg* padDialog = nullptr;
POINT padPosition = {0, 0};

UINT openQuimbelMessage = RegisterWindowMessage(MSG_OPEN_QUIMBEL);
UINT movingQuimbelMessage = RegisterWindowMessage(MSG_MOVING_QUIMBEL);
UINT closeQuimbelMessage = RegisterWindowMessage(MSG_CLOSE_QUIMBEL);
UINT callQuimbelMessage = RegisterWindowMessage(MSG_CALL_QUIMBEL);
UINT iconNotifyMessage = RegisterWindowMessage(ICON_NOTIFY_MESSAGE);
