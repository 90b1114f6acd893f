// Declarative message maps: a static table per window class that names, for each message, command or
// registered message, the member function that handles it, and points at the base class's table.
//
// A derived class declares, inside its class body:
//
//     protected:
//         const MessageMap* GetMessageMap() const override { return &messageMap; }
//         static const MessageEntry messageEntries[];
//         static const MessageMap messageMap;
//
// and defines both in its .cpp, the entries in the order they are to be checked:
//
//     const MessageEntry CMainFrame::messageEntries[] = {
//         OnMessage(WM_CREATE, &CMainFrame::OnCreate),
//         OnTimer(&CMainFrame::OnWatchdogTimer),
//         OnCommand(ID_APP_EXIT, &CMainFrame::OnExit),
//         OnRegistered(&openQuimbelMessage, &CMainFrame::OnOpenPad),
//     };
//
// Messages with a typed entry (paint, print-client, erase, timer, control colour, mouse, draw item,
// commands) reach their handler cracked; OnMessage and OnRegistered pass wParam and lParam as they are.
// A handler must not be named like an entry (a member named OnTimer would hide the entry OnTimer).
//     const MessageMap CMainFrame::messageMap = MakeMessageMap(&CFrameWnd::messageMap, messageEntries);
//
// The base map pointer is the only chaining: a message not found in a table is looked up in its base's
// table, and one found nowhere goes to the window's default procedure. A handler that wants the default
// processing as well calls CWnd::Default().
#pragma once
#include <windows.h>
#include <stddef.h>

class CWnd;

// The handler types. The framework cracks the message once and calls the handler with what it means, so
// no handler casts wParam or lParam itself.
typedef LRESULT (CWnd::*MessageHandler)(WPARAM wParam, LPARAM lParam);   // any message, raw
typedef void (CWnd::*CommandHandler)();                                  // WM_COMMAND, result 0
typedef void (CWnd::*CommandIdHandler)(UINT id, UINT code);              // WM_COMMAND, result 0
typedef void (CWnd::*PaintHandler)(HDC dc);          // WM_PAINT (inside BeginPaint/EndPaint), WM_PRINTCLIENT
typedef BOOL (CWnd::*EraseHandler)(HDC dc);          // WM_ERASEBKGND: TRUE when the background is drawn
typedef void (CWnd::*TimerHandler)(UINT_PTR id);     // WM_TIMER, result 0
typedef HBRUSH (CWnd::*ColourHandler)(HDC dc, HWND control);    // WM_CTLCOLOR..., the brush is the result
typedef void (CWnd::*MouseHandler)(UINT keys, POINT point);      // client-area mouse messages, result 0
typedef void (CWnd::*DrawItemHandler)(const DRAWITEMSTRUCT* item);   // WM_DRAWITEM, result TRUE

enum MessageEntryKind {
    entryMessage,       // a fixed message number
    entryRegistered,    // a message number known only at run time (RegisterWindowMessage)
    entryCommand,       // WM_COMMAND from a menu, accelerator or control with one id
    entryCommandRange,  // WM_COMMAND with an id in [id, lastId]
};

// Which member of HandlerPointer an entry holds.
enum HandlerSignature : unsigned char {
    signatureRaw,
    signatureCommand,
    signatureCommandId,
    signaturePaint,
    signatureErase,
    signatureTimer,
    signatureColour,
    signatureMouse,
    signatureDrawItem,
};

// One handler of any of the types above; the entry's signature says which.
union HandlerPointer {
    HandlerPointer(MessageHandler handler) : raw(handler) {}
    HandlerPointer(CommandHandler handler) : command(handler) {}
    HandlerPointer(CommandIdHandler handler) : commandId(handler) {}
    HandlerPointer(PaintHandler handler) : paint(handler) {}
    HandlerPointer(EraseHandler handler) : erase(handler) {}
    HandlerPointer(TimerHandler handler) : timer(handler) {}
    HandlerPointer(ColourHandler handler) : colour(handler) {}
    HandlerPointer(MouseHandler handler) : mouse(handler) {}
    HandlerPointer(DrawItemHandler handler) : drawItem(handler) {}

    MessageHandler raw;
    CommandHandler command;
    CommandIdHandler commandId;
    PaintHandler paint;
    EraseHandler erase;
    TimerHandler timer;
    ColourHandler colour;
    MouseHandler mouse;
    DrawItemHandler drawItem;
};

// Any notification code: the command entry matches whatever HIWORD(wParam) holds.
constexpr UINT anyNotifyCode = 0xFFFFFFFFu;

struct MessageEntry {
    MessageEntryKind kind;
    UINT message;              // entryMessage: the message; commands: the (first) command or control id
    UINT lastId;               // entryCommandRange: the last id; otherwise equal to message
    UINT notifyCode;           // commands: HIWORD(wParam) to match, or anyNotifyCode
    const UINT* registered;    // entryRegistered: where the registered number is stored at run time
    HandlerSignature signature;
    HandlerPointer handler;
};

struct MessageMap {
    const MessageMap* base;    // the base class's map, or null for CWnd's
    const MessageEntry* entries;
    size_t count;
};

template <size_t N>
MessageMap MakeMessageMap(const MessageMap* base, const MessageEntry (&entries)[N])
{
    return MessageMap{base, entries, N};
}

// Entries. Derived-class member functions are converted to CWnd's with a static_cast, so T must derive
// from CWnd without virtual inheritance.
inline MessageEntry MessageEntryOf(UINT message, HandlerSignature signature, HandlerPointer handler)
{
    return MessageEntry{entryMessage, message, message, anyNotifyCode, nullptr, signature, handler};
}

inline MessageEntry CommandEntryOf(UINT firstId, UINT lastId, UINT notifyCode, HandlerSignature signature,
                                   HandlerPointer handler)
{
    MessageEntryKind kind = firstId == lastId ? entryCommand : entryCommandRange;
    return MessageEntry{kind, firstId, lastId, notifyCode, nullptr, signature, handler};
}

template <class T>
MessageEntry OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return MessageEntryOf(message, signatureRaw, static_cast<MessageHandler>(handler));
}

template <class T>
MessageEntry OnRegistered(const UINT* message, LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return MessageEntry{entryRegistered, 0, 0, anyNotifyCode, message, signatureRaw,
                        static_cast<MessageHandler>(handler)};
}

template <class T>
MessageEntry OnPaint(void (T::*handler)(HDC))
{
    return MessageEntryOf(WM_PAINT, signaturePaint, static_cast<PaintHandler>(handler));
}

// WM_PRINTCLIENT: the same drawing into the context another program or a test gives.
template <class T>
MessageEntry OnPrintClient(void (T::*handler)(HDC))
{
    return MessageEntryOf(WM_PRINTCLIENT, signaturePaint, static_cast<PaintHandler>(handler));
}

template <class T>
MessageEntry OnEraseBackground(BOOL (T::*handler)(HDC))
{
    return MessageEntryOf(WM_ERASEBKGND, signatureErase, static_cast<EraseHandler>(handler));
}

template <class T>
MessageEntry OnTimer(void (T::*handler)(UINT_PTR))
{
    return MessageEntryOf(WM_TIMER, signatureTimer, static_cast<TimerHandler>(handler));
}

// A WM_CTLCOLOR... message, or its reflection to the control (framework/Reflection.h).
template <class T>
MessageEntry OnControlColour(UINT message, HBRUSH (T::*handler)(HDC, HWND))
{
    return MessageEntryOf(message, signatureColour, static_cast<ColourHandler>(handler));
}

template <class T>
MessageEntry OnMouse(UINT message, void (T::*handler)(UINT, POINT))
{
    return MessageEntryOf(message, signatureMouse, static_cast<MouseHandler>(handler));
}

// WM_DRAWITEM, or its reflection to the control.
template <class T>
MessageEntry OnDrawItem(UINT message, void (T::*handler)(const DRAWITEMSTRUCT*))
{
    return MessageEntryOf(message, signatureDrawItem, static_cast<DrawItemHandler>(handler));
}

template <class T>
MessageEntry OnCommand(UINT id, void (T::*handler)())
{
    return CommandEntryOf(id, id, anyNotifyCode, signatureCommand, static_cast<CommandHandler>(handler));
}

template <class T>
MessageEntry OnCommand(UINT id, UINT notifyCode, void (T::*handler)())
{
    return CommandEntryOf(id, id, notifyCode, signatureCommand, static_cast<CommandHandler>(handler));
}

// A command handler that is told the id and the notification code.
template <class T>
MessageEntry OnCommand(UINT id, void (T::*handler)(UINT, UINT))
{
    return CommandEntryOf(id, id, anyNotifyCode, signatureCommandId, static_cast<CommandIdHandler>(handler));
}

template <class T>
MessageEntry OnCommandRange(UINT firstId, UINT lastId, void (T::*handler)(UINT, UINT))
{
    return CommandEntryOf(firstId, lastId, anyNotifyCode, signatureCommandId,
                          static_cast<CommandIdHandler>(handler));
}

// Calls the entry's handler on window with the message cracked for it; the message's result.
LRESULT CallMessageEntry(CWnd* window, const MessageEntry& entry, UINT message, WPARAM wParam, LPARAM lParam);

// The entry of map (or of its bases) that handles the message, or null.
const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam);
