#include "tests/support/RegistryScratch.h"
#include <stdio.h>
#include <string.h>
#include "shared/InstallFolder.h"

std::string ScratchKeyName(const char* what)
{
    char name[96];
    snprintf(name, sizeof(name), "%s\\%s%lu", scratchRoot, what, GetCurrentProcessId());
    return name;
}

void DeleteKeyTree(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char name[256];
        DWORD size = sizeof(name);
        while (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            DeleteKeyTree(root, path + "\\" + name);
            size = sizeof(name);
        }
        RegCloseKey(key);
    }
    RegDeleteKeyA(root, path.c_str());
}

SavedRegistryValue::SavedRegistryValue(HKEY root, const char* key, const char* name, const char* ownKey)
    : root(root), key(key), ownKey(ownKey ? ownKey : key), name(name)
{
    HKEY handle;
    if (RegOpenKeyExA(root, this->ownKey.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return;
    hadOwnKey = true;
    RegCloseKey(handle);
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return;
    hadKey = true;
    DWORD size = 0;
    if (RegQueryValueExA(handle, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        previous.assign(size + 1, '\0');   // room for a terminator the stored text may lack
        hadValue = RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(&previous[0]), &size) ==
                   ERROR_SUCCESS;
        previous.resize(hadValue && (type == REG_SZ || type == REG_EXPAND_SZ) ? strlen(previous.c_str()) : size);
    }
    RegCloseKey(handle);
}

SavedRegistryValue::~SavedRegistryValue()
{
    if (!hadOwnKey || !hadKey) {
        DeleteKeyTree(root, hadOwnKey ? key : ownKey);
        return;
    }
    HKEY handle;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return;
    if (hadValue)
        RegSetValueExA(handle, name, 0, type, reinterpret_cast<const BYTE*>(previous.c_str()),
                       static_cast<DWORD>(previous.size() + (type == REG_SZ || type == REG_EXPAND_SZ)));
    else
        RegDeleteValueA(handle, name);
    RegCloseKey(handle);
}

bool SavedRegistryValue::Set(const std::string& text)
{
    HKEY handle;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

void SavedRegistryValue::RemoveKey()
{
    RegDeleteKeyA(root, key.c_str());
}

InstallFolderValue::InstallFolderValue() : SavedRegistryValue(HKEY_LOCAL_MACHINE, productKey, installFolderValue) {}
