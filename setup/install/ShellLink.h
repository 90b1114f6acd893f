// The description of one shell shortcut: what it starts, with which arguments, folder, icon and window
// state. An item-id list, when set, is used instead of the target path and belongs to the record.
#pragma once
#include <windows.h>
#include <shlobj.h>

struct ShellLinkSpec {
    ShellLinkSpec();
    ~ShellLinkSpec();
    ShellLinkSpec(const ShellLinkSpec&) = delete;
    ShellLinkSpec& operator=(const ShellLinkSpec&) = delete;

    // Copies every field; the item-id list is copied with the shell's allocator. FALSE (the list left
    // unset) when that copy cannot be made.
    BOOL CopyFrom(const ShellLinkSpec& other);
    // Frees the item-id list with the shell's allocator.
    void FreeItemIdList();

    char targetPath[MAX_PATH];
    LPITEMIDLIST itemIdList;
    char arguments[MAX_PATH];
    char description[MAX_PATH];
    WORD hotkey;
    char iconPath[MAX_PATH];
    int iconIndex;
    int showCommand;
    char workingDir[MAX_PATH];
};
