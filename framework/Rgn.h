// CRgn: an owned region. A window that takes it as its shape (SetWindowRgn) frees it from then on; the
// object then only remembers which region it was.
#pragma once
#include "framework/GdiObject.h"
#include <windows.h>

class CRgn : public CGdiObject {
public:
    CRgn() : given(nullptr) {}
    operator HRGN() const { return static_cast<HRGN>(handle); }

    // Replaces (and deletes) a region held before and forgets one given away; FALSE for null.
    BOOL Attach(HRGN region)
    {
        given = nullptr;
        return CGdiObject::Attach(region);
    }
    // Makes the region window's shape; on success the window owns it.
    BOOL GiveToWindow(HWND window, BOOL redraw)
    {
        HRGN region = *this;
        if (!region || !window || !SetWindowRgn(window, region, redraw))
            return FALSE;
        Detach();
        given = region;
        return TRUE;
    }
    // The region this object holds, or the one it gave to a window (which may have freed it since).
    HRGN Region() const { return handle ? static_cast<HRGN>(handle) : given; }
    // Deletes a region still held and forgets one given away.
    void Reset()
    {
        DeleteObject();
        given = nullptr;
    }

private:
    HRGN given;
};
