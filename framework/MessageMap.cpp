#include "framework/MessageMap.h"
#include "framework/PaintDC.h"
#include "framework/Wnd.h"

static BOOL EntryMatches(const MessageEntry& entry, UINT message, WPARAM wParam)
{
    switch (entry.kind) {
    case entryMessage:
        return entry.message == message;
    case entryRegistered:
        // A registration that failed leaves 0, which is no message anybody sends.
        return entry.registered && *entry.registered != 0 && *entry.registered == message;
    case entryCommand:
    case entryCommandRange: {
        if (message != WM_COMMAND)
            return FALSE;
        UINT id = LOWORD(wParam);
        if (id < entry.message || id > entry.lastId)
            return FALSE;
        return entry.notifyCode == anyNotifyCode || entry.notifyCode == HIWORD(wParam);
    }
    }
    return FALSE;
}

const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam)
{
    for (; map; map = map->base)
        for (size_t i = 0; i < map->count; i++)
            if (EntryMatches(map->entries[i], message, wParam))
                return &map->entries[i];
    return nullptr;
}

LRESULT CallMessageEntry(CWnd* window, const MessageEntry& entry, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HandlerPointer& handler = entry.handler;
    switch (entry.signature) {
    case signatureRaw:
        return (window->*handler.raw)(wParam, lParam);
    case signatureCommand:
        (window->*handler.command)();
        return 0;
    case signatureCommandId:
        (window->*handler.commandId)(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case signaturePaint:
        if (message == WM_PAINT) {
            CPaintDC dc(window->hwnd);
            if (dc)
                (window->*handler.paint)(dc);
        } else {
            (window->*handler.paint)(reinterpret_cast<HDC>(wParam));
        }
        return 0;
    case signatureErase:
        return (window->*handler.erase)(reinterpret_cast<HDC>(wParam));
    case signatureTimer:
        (window->*handler.timer)(static_cast<UINT_PTR>(wParam));
        return 0;
    case signatureColour:
        return reinterpret_cast<LRESULT>((window->*handler.colour)(reinterpret_cast<HDC>(wParam),
                                                                    reinterpret_cast<HWND>(lParam)));
    case signatureMouse: {
        // Signed: a captured mouse reports points left of or above the window.
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        (window->*handler.mouse)(static_cast<UINT>(wParam), point);
        return 0;
    }
    case signatureDrawItem:
        (window->*handler.drawItem)(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return 0;
}
