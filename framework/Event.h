// An event object, optionally named so that several processes share it.
#pragma once
#include "framework/SyncObject.h"

class CEvent : public CSyncObject {
public:
    // Creates the event, or opens it when the name exists already (the flags are then ignored).
    CEvent(BOOL initiallySignalled = FALSE, BOOL manualReset = FALSE, const char* name = nullptr,
           SECURITY_ATTRIBUTES* attributes = nullptr);

    BOOL SetEvent();
    BOOL ResetEvent();
    BOOL PulseEvent();
    BOOL Unlock() override { return TRUE; }

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCEvent;
};
