#include "framework/SyncObject.h"

const CRuntimeClass CSyncObject::classCSyncObject = {"CSyncObject", sizeof(CSyncObject), nullptr,
                                                     &CObject::classCObject};

const CRuntimeClass* CSyncObject::GetRuntimeClass() const { return &classCSyncObject; }

CSyncObject::~CSyncObject()
{
    if (handle)
        CloseHandle(handle);
}

void CSyncObject::Attach(HANDLE created)
{
    handle = created;
    createError = created ? 0 : ::GetLastError();
}

BOOL CSyncObject::Lock(DWORD timeout)
{
    return handle && WaitForSingleObject(handle, timeout) == WAIT_OBJECT_0;
}
