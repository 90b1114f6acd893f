#include "tray/TrayGlobals.h"
#include "tray/ProcessLifetime.h"
#include "framework/CriticalSection.h"
#include "framework/SingleLock.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"

CSharedMemory* g_sharedState = nullptr;
HANDLE g_startupEvent = nullptr;
PROCESS_INFORMATION g_plindorProcess = {};

const UINT openQuimbelMessage = RegisterWindowMessage(openQuimbelName);
const UINT movingQuimbelMessage = RegisterWindowMessage(movingQuimbelName);
const UINT closeQuimbelMessage = RegisterWindowMessage(closeQuimbelName);
const UINT callQuimbelMessage = RegisterWindowMessage(callQuimbelName);
const UINT iconNotifyMessage = RegisterWindowMessage(iconNotifyMessageName);

namespace {

struct SharedStateHolds {
    CCriticalSection lock;
    LONG threads = 0;        // pad threads holding the block
    BOOL released = FALSE;   // the application is done with it
};
// Pad threads may use it after the static destructors have run.
ProcessLifetime<SharedStateHolds> g_sharedStateHolds;

// Called under the lock: the block once nobody needs it any more, taken out of g_sharedState.
CSharedMemory* TakeUnusedSharedState()
{
    SharedStateHolds& holds = g_sharedStateHolds.object;
    if (!holds.released || holds.threads > 0)
        return nullptr;
    CSharedMemory* block = g_sharedState;
    g_sharedState = nullptr;
    holds.released = FALSE;
    return block;
}

}  // namespace

void HoldSharedState()
{
    CSingleLock lock(&g_sharedStateHolds.object.lock, TRUE);
    g_sharedStateHolds.object.threads++;
}

void DropSharedState()
{
    CSharedMemory* unused;
    {
        CSingleLock lock(&g_sharedStateHolds.object.lock, TRUE);
        g_sharedStateHolds.object.threads--;
        unused = TakeUnusedSharedState();
    }
    delete unused;
}

void ReleaseSharedState()
{
    CSharedMemory* unused;
    {
        CSingleLock lock(&g_sharedStateHolds.object.lock, TRUE);
        g_sharedStateHolds.object.released = TRUE;
        unused = TakeUnusedSharedState();
    }
    delete unused;
}
