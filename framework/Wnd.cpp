#include "framework/Wnd.h"
#include "framework/CriticalSection.h"
#include "framework/Reflection.h"
#include "framework/SingleLock.h"
#include <new>
#include <string.h>

const CRuntimeClass CWnd::classCWnd = {"CWnd", sizeof(CWnd), nullptr, &CObject::classCObject};
const CRuntimeClass* CWnd::GetRuntimeClass() const { return &classCWnd; }

const MessageMap CWnd::messageMap = {nullptr, nullptr, 0};

// Per thread: the message being handled (nested sends save and restore it) and the pending binding of
// HookWindowCreate. Kept per thread rather than per object because a handler may destroy its own object.
// Thread-local storage through TlsAlloc: compiler-managed thread variables need a runtime that the 9x
// family cannot provide. The message lives on the stack of the window procedure that handles it; the
// binding state lives on the heap only while a binding is open, so an ending thread leaves nothing behind.

// Bindings can nest: a window's WM_CREATE may create and bind further windows. Each level binds the first
// window created after it was opened.
struct WindowCreateHook {
    static constexpr int maxDepth = 8;
    HHOOK hook;
    int depth;
    CWnd* pending[maxDepth];   // null once that level's window is bound (or none yet asked for)
    BOOL bound[maxDepth];

    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);
};

// Made while the module initialises, before any thread of it can create a window, and never given back:
// a thread that outlives its owner's wait (a pad that is still closing its dialog) may be inside a window
// procedure while the process's static destructors run. So the critical section is built in storage of
// its own and never destroyed, and the record itself has nothing to destroy.
struct ThreadSlots {
    DWORD message;
    DWORD createHook;
    alignas(CCriticalSection) unsigned char classGuardStorage[sizeof(CCriticalSection)];
    CCriticalSection* classGuard;   // RegisterFrameworkClass's table is shared by every thread

    ThreadSlots()
        : message(TlsAlloc()), createHook(TlsAlloc()), classGuard(new (classGuardStorage) CCriticalSection)
    {
    }
};
static ThreadSlots g_slots;

static const MSG* ThreadMessage()
{
    static constexpr MSG none = {};
    const MSG* message = static_cast<const MSG*>(TlsGetValue(g_slots.message));
    return message ? message : &none;
}

static WindowCreateHook* ThreadCreateHook()
{
    return static_cast<WindowCreateHook*>(TlsGetValue(g_slots.createHook));
}

// The module that holds this code (the program or the library that linked the framework in): the
// allocation base of its own code is its module handle on every Windows version.
static HINSTANCE FrameworkModule()
{
    MEMORY_BASIC_INFORMATION info;
    if (!VirtualQuery(reinterpret_cast<const void*>(&FrameworkModule), &info, sizeof info))
        return nullptr;
    return static_cast<HINSTANCE>(info.AllocationBase);
}

CWnd::CWnd() : hwnd(nullptr), previousProc(nullptr), ownsWindow(FALSE) {}

CWnd::~CWnd()
{
    if (!hwnd)
        return;
    if (ownsWindow)
        ::DestroyWindow(hwnd);   // unbinds at WM_NCDESTROY
    else
        UnsubclassWindow();
}

CWnd* CWnd::FromHandle(HWND window)
{
    return window ? static_cast<CWnd*>(GetProp(window, propertyName)) : nullptr;
}

// ":" and the value in hexadecimal; room for the widest value is the caller's.
static char* AppendHex(char* at, ULONG_PTR value)
{
    static constexpr char digits[] = "0123456789abcdef";
    char reversed[2 * sizeof value];
    int count = 0;
    do {
        reversed[count++] = digits[value & 0xF];
        value >>= 4;
    } while (value);
    *at++ = ':';
    while (count)
        *at++ = reversed[--count];
    *at = '\0';
    return at;
}

// The classes RegisterFrameworkClass made. The name encodes the values, so equal requests share one class;
// names live as long as the process.
static char g_classNames[16][80];   // "Ferrowin" and four values of up to 16 digits
static int g_classNameCount = 0;

const char* CWnd::RegisterFrameworkClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{

    char name[80] = "Ferrowin";
    char* end = name + strlen(name);
    end = AppendHex(end, classStyle);
    end = AppendHex(end, reinterpret_cast<ULONG_PTR>(cursor));
    end = AppendHex(end, reinterpret_cast<ULONG_PTR>(background));
    AppendHex(end, reinterpret_cast<ULONG_PTR>(icon));

    const char* result = nullptr;
    CSingleLock lock(g_slots.classGuard, TRUE);
    for (int i = 0; i < g_classNameCount && !result; i++)
        if (strcmp(g_classNames[i], name) == 0)
            result = g_classNames[i];
    if (!result && g_classNameCount < 16) {
        WNDCLASSA windowClass = {};
        windowClass.style = classStyle;
        windowClass.lpfnWndProc = FrameworkWindowProc;
        windowClass.hInstance = FrameworkModule();
        windowClass.hCursor = cursor;
        windowClass.hbrBackground = background;
        windowClass.hIcon = icon;
        windowClass.lpszClassName = name;
        if (RegisterClassA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
            strcpy(g_classNames[g_classNameCount], name);
            result = g_classNames[g_classNameCount++];
        }
    }
    return result;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, void* createParam)
{
    if (hwnd)
        return FALSE;
    if (!HookWindowCreate(this)) {
        PostNcDestroy();
        return FALSE;
    }
    HWND window = ::CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent, menu,
                                    FrameworkModule(), createParam);
    BOOL bound = UnhookWindowCreate();
    if (!window) {
        if (!bound)
            PostNcDestroy();
        return FALSE;
    }
    ownsWindow = TRUE;
    return TRUE;
}

BOOL CWnd::CreateControl(DWORD exStyle, const char* className, const char* text, DWORD style, const RECT& rect,
                         HWND parent, UINT id)
{
    return CreateEx(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

BOOL CWnd::DestroyWindow()
{
    return hwnd ? ::DestroyWindow(hwnd) : FALSE;
}

BOOL CWnd::Bind(HWND window)
{
    if (hwnd || !window || FromHandle(window))
        return FALSE;
    hwnd = window;
    PreSubclassWindow();
    if (!SetProp(window, propertyName, this)) {
        hwnd = nullptr;
        return FALSE;
    }
    WNDPROC old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWindowProc)));
    // A window of a framework class already runs FrameworkWindowProc: its default is DefWindowProc.
    previousProc = old == FrameworkWindowProc ? nullptr : old;
    return TRUE;
}

void CWnd::Unbind()
{
    if (!hwnd)
        return;
    RemoveProp(hwnd, propertyName);
    if (previousProc &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, GWLP_WNDPROC)) == FrameworkWindowProc)
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
    previousProc = nullptr;
    hwnd = nullptr;
    ownsWindow = FALSE;
}

BOOL CWnd::SubclassWindow(HWND window)
{
    if (!window || !::IsWindow(window))
        return FALSE;
    return Bind(window);
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!parent || !parent->hwnd)
        return FALSE;
    return SubclassWindow(::GetDlgItem(parent->hwnd, id));
}

HWND CWnd::UnsubclassWindow()
{
    HWND window = hwnd;
    Unbind();
    return window;
}

LRESULT CALLBACK WindowCreateHook::Procedure(int code, WPARAM wParam, LPARAM lParam)
{
    WindowCreateHook* createHook = ThreadCreateHook();
    if (!createHook)
        return CallNextHookEx(nullptr, code, wParam, lParam);
    HHOOK hook = createHook->hook;
    int level = createHook->depth - 1;
    if (code == HCBT_CREATEWND && level >= 0 && createHook->pending[level]) {
        CWnd* wnd = createHook->pending[level];
        createHook->pending[level] = nullptr;
        createHook->bound[level] = wnd->Bind(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

BOOL CWnd::HookWindowCreate(CWnd* wnd)
{
    if (!wnd)
        return FALSE;
    WindowCreateHook* createHook = ThreadCreateHook();
    if (!createHook) {
        createHook = static_cast<WindowCreateHook*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *createHook));
        if (!createHook)
            return FALSE;
        createHook->hook = SetWindowsHookEx(WH_CBT, WindowCreateHook::Procedure, nullptr, GetCurrentThreadId());
        if (!createHook->hook || !TlsSetValue(g_slots.createHook, createHook)) {
            if (createHook->hook)
                UnhookWindowsHookEx(createHook->hook);
            HeapFree(GetProcessHeap(), 0, createHook);
            return FALSE;
        }
    }
    int depth = createHook->depth;
    if (depth == WindowCreateHook::maxDepth || (depth > 0 && createHook->pending[depth - 1]))
        return FALSE;
    createHook->pending[depth] = wnd;
    createHook->bound[depth] = FALSE;
    createHook->depth = depth + 1;
    return TRUE;
}

BOOL CWnd::UnhookWindowCreate()
{
    WindowCreateHook* createHook = ThreadCreateHook();
    if (!createHook || createHook->depth == 0)
        return FALSE;
    int level = --createHook->depth;
    BOOL bound = createHook->bound[level];
    createHook->pending[level] = nullptr;
    createHook->bound[level] = FALSE;
    if (createHook->depth == 0) {
        UnhookWindowsHookEx(createHook->hook);
        TlsSetValue(g_slots.createHook, nullptr);
        HeapFree(GetProcessHeap(), 0, createHook);
    }
    return bound;
}

const MSG* CWnd::GetCurrentMessage()
{
    return ThreadMessage();
}

LRESULT CWnd::Default()
{
    const MSG* message = ThreadMessage();
    return DefaultWindowProc(message->message, message->wParam, message->lParam);
}

LRESULT CWnd::DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (previousProc)
        return CallWindowProc(previousProc, hwnd, message, wParam, lParam);
    return ::DefWindowProc(hwnd, message, wParam, lParam);
}

BOOL CWnd::DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const MessageEntry* entry = FindMessageEntry(GetMessageMap(), message, wParam);
    if (!entry)
        return FALSE;
    *result = CallMessageEntry(this, *entry, message, wParam, lParam);
    return TRUE;
}

namespace {

BOOL CALLBACK PassSysColorChange(HWND window, LPARAM)
{
    ::SendMessage(window, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The system tells top-level windows only of a colour change: a top-level window of the framework
    // passes it to every window inside it, so controls that keep colours of their own follow.
    if (message == WM_SYSCOLORCHANGE && !(::GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD))
        ::EnumChildWindows(hwnd, PassSysColorChange, 0);
    LRESULT result = 0;
    if (ReflectToChild(hwnd, message, wParam, lParam, &result))
        return result;
    if (DispatchToMap(message, wParam, lParam, &result))
        return result;
    return DefaultWindowProc(message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CALLBACK CWnd::FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandle(window);
    if (!wnd || wnd->hwnd != window)
        return ::DefWindowProc(window, message, wParam, lParam);

    MSG current = {window, message, wParam, lParam, 0, {0, 0}};
    void* outer = TlsGetValue(g_slots.message);
    TlsSetValue(g_slots.message, &current);
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    TlsSetValue(g_slots.message, outer);

    // The object may be gone after PostNcDestroy; nothing touches it afterwards.
    if (message == WM_NCDESTROY && wnd->hwnd == window) {
        wnd->Unbind();
        wnd->PostNcDestroy();
    }
    return result;
}
