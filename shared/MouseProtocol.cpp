#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include <new>

namespace {

struct InitialItem {
    const char* name;
    DWORD size;
};

// In this order: the first process to open the block fixes where each item lies.
const InitialItem initialItems[] = {
    {ITEM_MOUSE_POSITION, 8},
    {ITEM_MOUSE_OWNER, 4},
    {ITEM_ROUND_MAP, 4},
};

}  // namespace

void InitMouseStateBlock(CSharedMemory* block, void* context)
{
    const BYTE zero[8] = {};
    for (const InitialItem& item : initialItems) {
        if (block->HasItem(item.name))
            continue;
        // Only the process that really added the item writes its initial value: an item that another
        // process added a moment ago (183) may already carry a live value, such as an open pad's handle.
        if (block->AddItem(item.name, item.size))
            block->WriteItem(item.name, zero, item.size);
    }
}

CSharedMemory* OpenMouseStateBlock()
{
    return new (std::nothrow) CSharedMemory(MOUSE_STATE_BLOCK, MOUSE_STATE_BLOCK_SIZE, InitMouseStateBlock);
}
