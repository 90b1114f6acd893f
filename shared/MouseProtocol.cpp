#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include <new>

namespace {

struct InitialItem {
    const char* name;
    DWORD size;
};

// In this order: the first process to open the block fixes where each item lies.
constexpr InitialItem initialItems[] = {
    {itemMousePosition, 8},
    {itemMouseOwner, 4},
    {itemRoundMap, 4},
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
    return new (std::nothrow) CSharedMemory(mouseStateBlock, mouseStateBlockSize, InitMouseStateBlock);
}
