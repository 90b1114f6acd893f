// CWnd: a C++ object bound to one window. Messages go through the class's message map chain
// (framework/MessageMap.h) and then to the window's default procedure.
//
// Binding: the object is found from the handle through a window property (CWnd::propertyName), so
// GWLP_USERDATA and DWLP_USER stay free for dialogs and controls. Every window the framework drives is
// subclassed with CWnd's own procedure; the procedure it replaced is the default procedure of that window
// (DefWindowProc for the framework's own classes, the dialog manager's for dialogs, the control's for
// subclassed controls).
//
// Ways to bind:
//  - CreateEx: creates a window (usually of a class made by RegisterFrameworkClass) bound from its very
//    first message (WM_GETMINMAXINFO / WM_NCCREATE) on.
//  - SubclassWindow / SubclassDlgItem: an existing window, e.g. a dialog's control.
//  - HookWindowCreate(this) ... UnhookWindowCreate(): binds the next window created on this thread to the
//    object, from its first message on; a dialog class uses this around CreateDialog / DialogBox so that
//    its map also sees WM_CREATE.
//
// A derived class declares its map as framework/MessageMap.h shows and chains to its base's messageMap.
#pragma once
#include "framework/Object.h"
#include "framework/MessageMap.h"
#include <windows.h>

class CWnd : public CObject {
public:
    CWnd();
    // Destroys a window the object created and still holds; a subclassed window is given back instead.
    ~CWnd() override;

    HWND hwnd;   // null when no window is bound

    HWND GetSafeHwnd() const { return hwnd; }
    operator HWND() const { return hwnd; }

    // The object bound to a window, or null.
    static CWnd* FromHandle(HWND window);

    // Registers (once per distinct set of values) a window class whose procedure is the framework's and
    // returns its name; null on failure.
    static const char* RegisterFrameworkClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                              HICON icon = nullptr);

    // FALSE when the window could not be created; PostNcDestroy has then run (through WM_NCDESTROY when the
    // window got as far as its first message), so a self-deleting object is gone.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menu, void* createParam = nullptr);
    // CreateEx for a child control: its rectangle in the parent's client area and its control id.
    BOOL CreateControl(DWORD exStyle, const char* className, const char* text, DWORD style, const RECT& rect,
                       HWND parent, UINT id);
    BOOL DestroyWindow();

    // Binds an existing window: PreSubclassWindow runs first, then the window's procedure is replaced.
    // Fails when the window is already bound to an object or this object already has a window.
    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Gives the window its previous procedure back and unbinds it; returns the handle.
    HWND UnsubclassWindow();

    // Binds the next window created on the calling thread to wnd (see above); TRUE when set. Pairs nest (a
    // window's WM_CREATE may create and bind another), but not while the previous one is still waiting for
    // its window.
    static BOOL HookWindowCreate(CWnd* wnd);
    // Ends the innermost binding; FALSE when no window was bound to it.
    static BOOL UnhookWindowCreate();

    // The message being handled on this thread (hwnd, message, wParam, lParam); valid inside a handler.
    static const MSG* GetCurrentMessage();
    // Default processing of the current message.
    LRESULT Default();

    // Every message of the window: a parent's WM_CTLCOLOR* and WM_DRAWITEM about a bound child first to
    // that child's own map (framework/Reflection.h), then the map chain, then DefaultWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called by the message loop for messages of this thread before they are dispatched; TRUE when the
    // message was used up (accelerators, dialog navigation).
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Thin wrappers over the window calls the framework's users need most.
    BOOL ShowWindow(int showCommand) { return ::ShowWindow(hwnd, showCommand); }
    BOOL UpdateWindow() { return ::UpdateWindow(hwnd); }
    BOOL IsWindow() const { return hwnd && ::IsWindow(hwnd); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessage(hwnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::PostMessage(hwnd, message, wParam, lParam);
    }
    BOOL SetWindowText(const char* text) { return ::SetWindowText(hwnd, text); }
    int GetWindowText(char* text, int size) const { return ::GetWindowText(hwnd, text, size); }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE)
    {
        return ::MoveWindow(hwnd, x, y, width, height, repaint);
    }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags)
    {
        return ::SetWindowPos(hwnd, insertAfter, x, y, width, height, flags);
    }
    BOOL GetClientRect(RECT* rect) const { return ::GetClientRect(hwnd, rect); }
    BOOL GetWindowRect(RECT* rect) const { return ::GetWindowRect(hwnd, rect); }
    BOOL ScreenToClient(POINT* point) const { return ::ScreenToClient(hwnd, point); }
    BOOL ClientToScreen(POINT* point) const { return ::ClientToScreen(hwnd, point); }
    BOOL Invalidate(BOOL erase = TRUE) { return ::InvalidateRect(hwnd, nullptr, erase); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(hwnd, enable); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(hwnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(hwnd, id); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(hwnd, id); }
    HWND GetParent() const { return ::GetParent(hwnd); }
    HWND SetFocus() { return ::SetFocus(hwnd); }
    int SetWindowRgn(HRGN region, BOOL redraw) { return ::SetWindowRgn(hwnd, region, redraw); }
    BOOL CloseWindow() { return ::CloseWindow(hwnd); }

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCWnd;

    // The property that holds the bound object.
    static constexpr char propertyName[] = "Ferrowin.CWnd";

protected:
    virtual const MessageMap* GetMessageMap() const { return &messageMap; }
    static const MessageMap messageMap;   // empty; the root of every chain

    // Processing of messages no map entry took: the replaced window procedure, or DefWindowProc.
    virtual LRESULT DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs as a window is bound by SubclassWindow or HookWindowCreate: hwnd is set, the window procedure
    // not yet replaced (with HookWindowCreate the window has had no message yet).
    virtual void PreSubclassWindow() {}
    // Runs after the window's last message (WM_NCDESTROY), hwnd already null; frames delete themselves here.
    virtual void PostNcDestroy() {}

    // Looks the message up in the map chain and calls its handler; FALSE when no entry matched.
    BOOL DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    WNDPROC previousProc;   // the procedure CWnd's replaced, or null for DefWindowProc

private:
    static LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL Bind(HWND window);
    void Unbind();

    BOOL ownsWindow;        // created through CreateEx (destroyed with the object)
    friend struct WindowCreateHook;
};
