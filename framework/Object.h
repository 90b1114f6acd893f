// Root class of the application layer and its run-time class records: the class name, the base class
// and, for dynamically creatable classes, a factory.
#pragma once
#include <windows.h>
#include <new>

class CObject;

struct CRuntimeClass {
    const char* className;
    int objectSize;
    CObject* (*createObject)();        // null when the class cannot be created dynamically
    const CRuntimeClass* baseClass;    // null for CObject

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() {}
    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// The factory stored in a creatable class's record: CRuntimeClass{..., &CreateObjectOf<CMainFrame>, ...}.
template <class T>
CObject* CreateObjectOf() { return new (std::nothrow) T; }
