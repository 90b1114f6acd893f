// Registry state that a test sets up and takes away again: scratch keys of its own process, and values
// (the product's installation folder among them) changed for the life of an object.
#pragma once
#include <windows.h>
#include <string>

// "Software\FerrowinTest\<what><process id>": a key no other test program uses.
std::string ScratchKeyName(const char* what);
// The root of the scratch keys, removed once it is empty.
constexpr const char* scratchRoot = "Software\\FerrowinTest";
// Removes a key with all its subkeys.
void DeleteKeyTree(HKEY root, const std::string& path);

// One registry value as the test sets it. When the object ends, the value that was there comes back (or
// its absence); the value's key and `ownKey` (the key or one of its parents) go if they did not exist.
class SavedRegistryValue {
public:
    SavedRegistryValue(HKEY root, const char* key, const char* name, const char* ownKey = nullptr);
    ~SavedRegistryValue();
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

    bool Set(const std::string& text);
    // Takes the value's key away, as on a machine that never had it.
    void RemoveKey();
    // The text that comes back; a test may mend what an interrupted run left there.
    std::string previous;
    bool hadValue = false;

private:
    HKEY root;
    std::string key, ownKey;
    const char* name;
    bool hadOwnKey = false;
    bool hadKey = false;
    DWORD type = REG_SZ;
};

// HKEY_LOCAL_MACHINE "Software\Ferrowin" "AppPath".
class InstallFolderValue : public SavedRegistryValue {
public:
    InstallFolderValue();
};
