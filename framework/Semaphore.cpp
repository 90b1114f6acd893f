#include "framework/Semaphore.h"

const CRuntimeClass CSemaphore::classCSemaphore = {"CSemaphore", sizeof(CSemaphore), nullptr,
                                                   &CSyncObject::classCSyncObject};

const CRuntimeClass* CSemaphore::GetRuntimeClass() const { return &classCSemaphore; }

CSemaphore::CSemaphore(LONG initialCount, LONG maximumCount, const char* name,
                       SECURITY_ATTRIBUTES* attributes)
{
    Attach(CreateSemaphoreA(attributes, initialCount, maximumCount, name));
}

BOOL CSemaphore::Unlock()
{
    return Unlock(1, nullptr);
}

BOOL CSemaphore::Unlock(LONG count, LONG* previousCount)
{
    return handle && ReleaseSemaphore(handle, count, previousCount);
}
