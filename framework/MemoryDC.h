// CMemoryDC: an off-screen device context compatible with another, deleted at the end of the object. A
// bitmap selected through it is selected out again before the context goes.
#pragma once
#include <windows.h>

class CMemoryDC {
public:
    CMemoryDC() : dc(nullptr), original(nullptr) {}
    explicit CMemoryDC(HDC compatibleWith) : CMemoryDC() { Create(compatibleWith); }
    ~CMemoryDC() { Delete(); }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    // Replaces a context held before; FALSE when none could be made.
    BOOL Create(HDC compatibleWith)
    {
        Delete();
        dc = CreateCompatibleDC(compatibleWith);
        return dc != nullptr;
    }
    // Selects bitmap into the context; the context's own bitmap goes back in before it is deleted.
    BOOL SelectBitmap(HBITMAP bitmap)
    {
        HGDIOBJ previous = dc && bitmap ? SelectObject(dc, bitmap) : nullptr;
        if (!previous || previous == HGDI_ERROR)
            return FALSE;
        if (!original)
            original = previous;
        return TRUE;
    }
    void Delete()
    {
        if (dc) {
            if (original)
                SelectObject(dc, original);
            DeleteDC(dc);
        }
        dc = nullptr;
        original = nullptr;
    }

    operator HDC() const { return dc; }

private:
    HDC dc;            // null when none could be made
    HGDIOBJ original;  // the context's own bitmap while another is selected
};
