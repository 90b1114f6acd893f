// CGdiObject: owns one GDI object handle and deletes it; the base of CFont, CBrush and CBitmap.
#pragma once
#include "framework/Object.h"
#include <windows.h>

class CGdiObject : public CObject {
public:
    CGdiObject() : handle(nullptr) {}
    ~CGdiObject() override { DeleteObject(); }

    HGDIOBJ GetSafeHandle() const { return handle; }
    // Takes ownership of object; a handle held before is deleted first.
    BOOL Attach(HGDIOBJ object);
    // Gives the handle up without deleting it.
    HGDIOBJ Detach();
    // Deletes the held handle, if any; TRUE when one was deleted.
    BOOL DeleteObject();

protected:
    HGDIOBJ handle;
};
