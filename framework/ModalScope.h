// CModalScope: the steps around a modal loop. On construction: find the owner (the given parent, else the
// application's main window when it is this thread's, else the active window), take its top-level window and disable it, and bind
// the next window created on this thread to the dialog object. On destruction: end the binding if still
// open and enable the top-level window again.
#pragma once
#include <windows.h>

class CWnd;

class CModalScope {
public:
    CModalScope(CWnd* dialog, HWND parent);
    ~CModalScope();
    CModalScope(const CModalScope&) = delete;
    CModalScope& operator=(const CModalScope&) = delete;

    // The window to own the modal window (top-level), or null.
    HWND Owner() const { return owner; }
    // Ends the binding of the next window early (a dialog does so once its own window is bound).
    void EndBinding();
    // The post-modal step ahead of the scope's end (once): the binding ends, the owner is enabled again.
    void Restore();

private:
    HWND owner;
    HWND disabledTop;   // the window this scope disabled, or null
    BOOL binding;
};
