// A critical section as a sync object, so that CSingleLock holds it like the cross-process ones. For the
// threads of one process; it is made with its owner. Lock waits as long as it takes whatever time-out is
// given: a timed try (TryEnterCriticalSection) does not exist on Windows 95.
#pragma once
#include "framework/SyncObject.h"
#include <windows.h>

class CCriticalSection : public CSyncObject {
public:
    CCriticalSection();
    ~CCriticalSection() override;

    BOOL Lock(DWORD timeout = INFINITE) override;
    BOOL Unlock() override;

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCCriticalSection;

private:
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    CRITICAL_SECTION section;
};
