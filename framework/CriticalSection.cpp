#include "framework/CriticalSection.h"

const CRuntimeClass CCriticalSection::classCCriticalSection = {"CCriticalSection", sizeof(CCriticalSection),
                                                               nullptr, &CSyncObject::classCSyncObject};

const CRuntimeClass* CCriticalSection::GetRuntimeClass() const { return &classCCriticalSection; }

CCriticalSection::CCriticalSection()
{
    InitializeCriticalSection(&section);
}

CCriticalSection::~CCriticalSection()
{
    DeleteCriticalSection(&section);
}

BOOL CCriticalSection::Lock(DWORD)
{
    EnterCriticalSection(&section);
    return TRUE;
}

BOOL CCriticalSection::Unlock()
{
    LeaveCriticalSection(&section);
    return TRUE;
}
