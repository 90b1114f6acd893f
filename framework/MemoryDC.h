// CMemoryDC: an off-screen device context compatible with another, deleted at the end of the object.
#pragma once
#include <windows.h>

class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}
    ~CMemoryDC()
    {
        if (dc)
            DeleteDC(dc);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    operator HDC() const { return dc; }

    HDC dc;   // null when none could be made
};
