// Base of the framework's kernel synchronisation objects: owns one handle and waits on it. A handle
// that could not be created is null; the system error is kept for the owner to report.
#pragma once
#include "framework/Object.h"

class CSyncObject : public CObject {
public:
    ~CSyncObject() override;

    HANDLE GetHandle() const { return handle; }
    BOOL IsValid() const { return handle != nullptr; }
    DWORD GetCreateError() const { return createError; }

    // TRUE when the object was signalled within the time-out (milliseconds).
    virtual BOOL Lock(DWORD timeout = INFINITE);
    virtual BOOL Unlock() = 0;

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCSyncObject;

protected:
    CSyncObject() : handle(nullptr), createError(0) {}
    // Keeps the handle, or the thread's last error when it is null.
    void Attach(HANDLE created);

    HANDLE handle;
    DWORD createError;
};
