// CSelectScope: selects a GDI object into a device context and selects the previous one back at the end of
// the scope, so that the object can be deleted afterwards.
#pragma once
#include <windows.h>

class CSelectScope {
public:
    CSelectScope(HDC dc, HGDIOBJ object) : dc(dc), previous(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~CSelectScope()
    {
        if (previous && previous != HGDI_ERROR)
            SelectObject(dc, previous);
    }
    CSelectScope(const CSelectScope&) = delete;
    CSelectScope& operator=(const CSelectScope&) = delete;

    // FALSE when the object could not be selected.
    BOOL Selected() const { return previous && previous != HGDI_ERROR; }

private:
    HDC dc;
    HGDIOBJ previous;
};
