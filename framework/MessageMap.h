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
//         OnCommand(ID_APP_EXIT, &CMainFrame::OnExit),
//         OnRegistered(&openQuimbelMessage, &CMainFrame::OnOpenPad),
//     };
//     const MessageMap CMainFrame::messageMap = MakeMessageMap(&CFrameWnd::messageMap, messageEntries);
//
// The base map pointer is the only chaining: a message not found in a table is looked up in its base's
// table, and one found nowhere goes to the window's default procedure. A handler that wants the default
// processing as well calls CWnd::Default().
#pragma once
#include <windows.h>
#include <stddef.h>

class CWnd;

// The uniform handler: the message's wParam and lParam in, the message's result out.
typedef LRESULT (CWnd::*MessageHandler)(WPARAM wParam, LPARAM lParam);
// A command handler that needs neither parameter; WM_COMMAND then returns 0.
typedef void (CWnd::*CommandHandler)();

enum MessageEntryKind {
    entryMessage,       // a fixed message number
    entryRegistered,    // a message number known only at run time (RegisterWindowMessage)
    entryCommand,       // WM_COMMAND from a menu, accelerator or control with one id
    entryCommandRange,  // WM_COMMAND with an id in [id, lastId]
};

// Any notification code: the command entry matches whatever HIWORD(wParam) holds.
constexpr UINT anyNotifyCode = 0xFFFFFFFFu;

struct MessageEntry {
    MessageEntryKind kind;
    UINT message;              // entryMessage: the message; commands: the (first) command or control id
    UINT lastId;               // entryCommandRange: the last id; otherwise equal to message
    UINT notifyCode;           // commands: HIWORD(wParam) to match, or anyNotifyCode
    const UINT* registered;    // entryRegistered: where the registered number is stored at run time
    MessageHandler handler;    // one of handler and command is set
    CommandHandler command;
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

// Derived-class member pointers converted to the base handler types. The conversion is a static_cast, so
// T must derive from CWnd without virtual inheritance.
template <class T>
MessageHandler ToHandler(LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return static_cast<MessageHandler>(handler);
}

template <class T>
CommandHandler ToCommand(void (T::*handler)())
{
    return static_cast<CommandHandler>(handler);
}

template <class T>
MessageEntry OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return MessageEntry{entryMessage, message, message, anyNotifyCode, nullptr, ToHandler(handler), nullptr};
}

template <class T>
MessageEntry OnRegistered(const UINT* message, LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return MessageEntry{entryRegistered, 0, 0, anyNotifyCode, message, ToHandler(handler), nullptr};
}

template <class T>
MessageEntry OnCommand(UINT id, void (T::*handler)())
{
    return MessageEntry{entryCommand, id, id, anyNotifyCode, nullptr, nullptr, ToCommand(handler)};
}

template <class T>
MessageEntry OnCommand(UINT id, UINT notifyCode, void (T::*handler)())
{
    return MessageEntry{entryCommand, id, id, notifyCode, nullptr, nullptr, ToCommand(handler)};
}

// A command handler that sees WM_COMMAND's wParam (id and code) and lParam (the control).
template <class T>
MessageEntry OnCommand(UINT id, LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return MessageEntry{entryCommand, id, id, anyNotifyCode, nullptr, ToHandler(handler), nullptr};
}

template <class T>
MessageEntry OnCommandRange(UINT firstId, UINT lastId, LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return MessageEntry{entryCommandRange, firstId, lastId, anyNotifyCode, nullptr, ToHandler(handler), nullptr};
}

// The entry of map (or of its bases) that handles the message, or null.
const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam);
