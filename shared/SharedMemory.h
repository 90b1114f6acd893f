// A named, fixed-size block of named items in system paging memory, visible to every process that opens
// the same name. A "_Sync" semaphore serialises access across processes; "_Event" events announce changes.
//
// Block: item count (4), block size (4), then items back to back. Item: UTF-16 name (80), value size (4),
// value bytes. Failures return 0 and record a Win32 error in the object and as the thread's last error.
#pragma once
#include "framework/CriticalSection.h"
#include "framework/Object.h"
#include <windows.h>

class CSemaphore;
class CSingleLock;

class CSharedMemory : public CObject {
public:
    typedef void (*InitFunction)(CSharedMemory* block, void* context);

    // Opens the block, creating it (zeroed, size written at offset 4) when it does not exist yet. The
    // initialisation function runs in every process that constructs the object, with the lock released.
    CSharedMemory(const char* blockName, DWORD blockSize, InitFunction init = nullptr, void* context = nullptr,
                  SECURITY_ATTRIBUTES* attributes = nullptr);
    ~CSharedMemory() override;

    BOOL AddItem(const char* name, DWORD size);
    BOOL WriteItem(const char* name, const void* data, DWORD length);
    BOOL ReadItem(const char* name, void* buffer, DWORD* length);   // buffer null: only the size
    BOOL HasItem(const char* name);

    BOOL IsReady() const { return ready; }
    BOOL IsCreated() const { return created; }
    DWORD GetLastError() const { return lastError; }
    DWORD GetSize() const { return size; }

    // How long an operation waits for another process's lock before it fails with ERROR_TIMEOUT.
    static constexpr DWORD lockTimeout = 500;

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCSharedMemory;

private:
    BOOL Fail(DWORD error);
    BOOL SetUpSecurity(SECURITY_ATTRIBUTES* supplied);
    BOOL BuildDefaultAttributes();
    BOOL CopyAttributes(SECURITY_ATTRIBUTES* supplied);
    SECURITY_ATTRIBUTES* Attributes() { return secure ? &securityAttributes : nullptr; }
    class Access;
    DWORD AcquireLock(CSingleLock* block);
    DWORD FindItem(const WCHAR* name, DWORD* offset);
    void Announce(const char* name, const char* suffix);

    char* blockName;
    DWORD lastError;
    CSemaphore* lock;
    DWORD created;
    DWORD ready;
    DWORD size;
    BYTE* view;
    HANDLE mapping;
    DWORD secure;
    SECURITY_DESCRIPTOR descriptor;
    SECURITY_ATTRIBUTES securityAttributes;
    PSID interactiveSid;
    PSID systemSid;
    PACL acl;
    PSID serviceSid;
    // The threads of a process that share the object (the tray's main and pad threads, every thread a
    // per-process hook runs on) take turns here before they wait for the block's lock.
    CCriticalSection threadGuard;
};
