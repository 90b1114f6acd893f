// CBitmap: an owned bitmap, made for a device context or loaded from the resource module.
#pragma once
#include "framework/GdiObject.h"
#include <windows.h>

class CBitmap : public CGdiObject {
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(handle); }

    // Each replaces (and deletes) a bitmap held before; FALSE when no bitmap was made.
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height)
    {
        return Attach(::CreateCompatibleBitmap(dc, width, height));
    }
    BOOL LoadBitmap(UINT resourceId);
    // The bitmap resource of module, with LoadImage's flags.
    BOOL Load(HINSTANCE module, UINT resourceId, UINT flags)
    {
        return Attach(LoadImageA(module, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, flags));
    }
};
