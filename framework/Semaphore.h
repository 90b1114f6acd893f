// A counting semaphore, optionally named so that several processes share it. Used as a lock with an
// initial and maximum count of one.
#pragma once
#include "framework/SyncObject.h"

class CSemaphore : public CSyncObject {
public:
    // Creates the semaphore, or opens it when the name exists already (the counts are then ignored).
    CSemaphore(LONG initialCount = 1, LONG maximumCount = 1, const char* name = nullptr,
               SECURITY_ATTRIBUTES* attributes = nullptr);

    BOOL Unlock() override;
    BOOL Unlock(LONG count, LONG* previousCount);

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCSemaphore;
};
