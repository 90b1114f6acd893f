#include "tests/support/RegistryScratch.h"
#include <stdio.h>
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

InstallFolderValue::InstallFolderValue()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, productKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    hadKey = true;
    char value[1024];
    DWORD size = sizeof(value) - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, installFolderValue, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
        value[size] = '\0';
        hadValue = true;
        previous = value;
    }
    RegCloseKey(key);
}

InstallFolderValue::~InstallFolderValue()
{
    if (!hadKey) {
        RemoveKey();
        return;
    }
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, productKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (hadValue)
        RegSetValueExA(key, installFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous.c_str()),
                       static_cast<DWORD>(previous.size() + 1));
    else
        RegDeleteValueA(key, installFolderValue);
    RegCloseKey(key);
}

bool InstallFolderValue::Set(const std::string& folder)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, productKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(key, installFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                                 static_cast<DWORD>(folder.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void InstallFolderValue::RemoveKey()
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, productKey);
}
