#include "tray/TrayGlobals.h"
#include "tray/PadLauncher.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"

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

namespace {

struct SharedStateHolds {
    CRITICAL_SECTION section;
    LONG threads;    // pad threads holding the block
    BOOL released;   // the application is done with it
    SharedStateHolds() : threads(0), released(FALSE) { InitializeCriticalSection(&section); }
};
// Never destroyed: pad threads may use it after the static destructors have run.
SharedStateHolds g_sharedStateHolds;

// Called under the section: the block once nobody needs it any more, taken out of sharedState.
CSharedMemory* TakeUnusedSharedState()
{
    if (!g_sharedStateHolds.released || g_sharedStateHolds.threads > 0)
        return nullptr;
    CSharedMemory* block = sharedState;
    sharedState = nullptr;
    g_sharedStateHolds.released = FALSE;
    return block;
}

}  // namespace

void HoldSharedState()
{
    EnterCriticalSection(&g_sharedStateHolds.section);
    g_sharedStateHolds.threads++;
    LeaveCriticalSection(&g_sharedStateHolds.section);
}

void DropSharedState()
{
    EnterCriticalSection(&g_sharedStateHolds.section);
    g_sharedStateHolds.threads--;
    CSharedMemory* unused = TakeUnusedSharedState();
    LeaveCriticalSection(&g_sharedStateHolds.section);
    delete unused;
}

void ReleaseSharedState()
{
    EnterCriticalSection(&g_sharedStateHolds.section);
    g_sharedStateHolds.released = TRUE;
    CSharedMemory* unused = TakeUnusedSharedState();
    LeaveCriticalSection(&g_sharedStateHolds.section);
    delete unused;
}
