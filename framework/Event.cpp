#include "framework/Event.h"

const CRuntimeClass CEvent::classCEvent = {"CEvent", sizeof(CEvent), nullptr, &CSyncObject::classCSyncObject};

const CRuntimeClass* CEvent::GetRuntimeClass() const { return &classCEvent; }

CEvent::CEvent(BOOL initiallySignalled, BOOL manualReset, const char* name, SECURITY_ATTRIBUTES* attributes)
{
    Attach(CreateEventA(attributes, manualReset, initiallySignalled, name));
}

BOOL CEvent::SetEvent() { return handle && ::SetEvent(handle); }

BOOL CEvent::ResetEvent() { return handle && ::ResetEvent(handle); }

BOOL CEvent::PulseEvent() { return handle && ::PulseEvent(handle); }
