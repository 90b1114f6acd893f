#include "framework/SingleLock.h"

CSingleLock::CSingleLock(CSyncObject* object, BOOL initialLock) : object(object), acquired(FALSE)
{
    if (initialLock)
        Lock();
}

CSingleLock::~CSingleLock()
{
    Unlock();
}

BOOL CSingleLock::Lock(DWORD timeout)
{
    if (!acquired)
        acquired = object->Lock(timeout);
    return acquired;
}

BOOL CSingleLock::Unlock()
{
    if (!acquired)
        return TRUE;
    acquired = FALSE;
    return object->Unlock();
}
