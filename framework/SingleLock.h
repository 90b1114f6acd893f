// Holds one synchronisation object for a scope: acquired on request, released by Unlock or at the end
// of the lock's life.
#pragma once
#include "framework/SyncObject.h"

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE);
    ~CSingleLock();

    BOOL Lock(DWORD timeout = INFINITE);   // FALSE when the wait failed or timed out
    BOOL Unlock();
    BOOL IsLocked() const { return acquired; }

private:
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    CSyncObject* object;
    BOOL acquired;
};
