#include "framework/GdiObject.h"

BOOL CGdiObject::Attach(HGDIOBJ object)
{
    if (object == handle)
        return object != nullptr;
    DeleteObject();
    handle = object;
    return object != nullptr;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ object = handle;
    handle = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject()
{
    if (!handle)
        return FALSE;
    BOOL deleted = ::DeleteObject(handle);
    handle = nullptr;
    return deleted;
}
