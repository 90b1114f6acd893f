#include "framework/MessageMap.h"

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
