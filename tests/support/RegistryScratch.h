// Registry state that a test sets up and takes away again: scratch keys of its own process, and the
// product's installation folder pointed somewhere for the life of an object.
#pragma once
#include <windows.h>
#include <string>

// "Software\FerrowinTest\<what><process id>": a key no other test program uses.
std::string ScratchKeyName(const char* what);
// The root of the scratch keys, removed once it is empty.
constexpr const char* scratchRoot = "Software\\FerrowinTest";
// Removes a key with all its subkeys.
void DeleteKeyTree(HKEY root, const std::string& path);

// HKEY_LOCAL_MACHINE "Software\Ferrowin" "AppPath" as the test sets it; when the object ends the value
// that was there comes back (or its absence), and a product key that did not exist is removed again.
class InstallFolderValue {
public:
    InstallFolderValue();
    ~InstallFolderValue();
    InstallFolderValue(const InstallFolderValue&) = delete;
    InstallFolderValue& operator=(const InstallFolderValue&) = delete;

    bool Set(const std::string& folder);
    // Takes the product key away, as on a machine the product was never installed on.
    void RemoveKey();

private:
    bool hadKey = false;
    bool hadValue = false;
    std::string previous;
};
