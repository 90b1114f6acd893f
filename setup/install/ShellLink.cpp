#include "setup/install/ShellLink.h"
#include <string.h>

namespace {

// Bytes of an item-id list with its terminating zero-length item.
size_t ItemIdListSize(LPCITEMIDLIST list)
{
    size_t size = sizeof(USHORT);
    for (const BYTE* item = reinterpret_cast<const BYTE*>(list);
         reinterpret_cast<const SHITEMID*>(item)->cb != 0; item += reinterpret_cast<const SHITEMID*>(item)->cb)
        size += reinterpret_cast<const SHITEMID*>(item)->cb;
    return size;
}

}

ShellLinkSpec::ShellLinkSpec()
    : targetPath(), itemIdList(nullptr), arguments(), description(), hotkey(0), iconPath(), iconIndex(0),
      showCommand(SW_SHOW), workingDir()
{
}

ShellLinkSpec::~ShellLinkSpec()
{
    FreeItemIdList();
}

void ShellLinkSpec::FreeItemIdList()
{
    if (!itemIdList)
        return;
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(itemIdList);
        allocator->Release();
    }
    itemIdList = nullptr;
}

BOOL ShellLinkSpec::CopyFrom(const ShellLinkSpec& other)
{
    if (&other == this)
        return TRUE;
    memcpy(targetPath, other.targetPath, sizeof(targetPath));
    memcpy(arguments, other.arguments, sizeof(arguments));
    memcpy(description, other.description, sizeof(description));
    hotkey = other.hotkey;
    memcpy(iconPath, other.iconPath, sizeof(iconPath));
    iconIndex = other.iconIndex;
    showCommand = other.showCommand;
    memcpy(workingDir, other.workingDir, sizeof(workingDir));

    FreeItemIdList();
    if (!other.itemIdList)
        return TRUE;
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator)
        return FALSE;
    size_t size = ItemIdListSize(other.itemIdList);
    void* copy = allocator->Alloc(size);
    if (copy) {
        memcpy(copy, other.itemIdList, size);
        itemIdList = static_cast<LPITEMIDLIST>(copy);
    }
    allocator->Release();
    return itemIdList != nullptr;
}
