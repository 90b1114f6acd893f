#include "SettingsFolder.h"
#include <stdio.h>
#include <vector>

namespace {

const char settingsKey[] = "Software\\Ferrowin";

}

SettingsFolder::SettingsFolder()
{
    char temp[MAX_PATH];
    if (!GetTempPathA(sizeof(temp), temp))
        return;
    char name[MAX_PATH];
    snprintf(name, sizeof(name), "%sferrowin-velda-%lu", temp, GetCurrentProcessId());
    folder = name;
    CreateDirectoryA(folder.c_str(), nullptr);

    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, settingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    char value[1024];
    DWORD size = sizeof(value) - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, "AppPath", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        value[size] = '\0';
        hadValue = true;
        previous = value;
    }
    RegCloseKey(key);
    ready = PointRegistry();
}

SettingsFolder::~SettingsFolder()
{
    RemoveFile();
    RemoveDirectoryA(folder.c_str());
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, settingsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    if (hadValue)
        RegSetValueExA(key, "AppPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(previous.c_str()),
                       static_cast<DWORD>(previous.size() + 1));
    else
        RegDeleteValueA(key, "AppPath");
    RegCloseKey(key);
}

bool SettingsFolder::PointRegistry(bool trailingBackslash)
{
    std::string value = folder + (trailingBackslash ? "\\" : "");
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, settingsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(key, "AppPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool SettingsFolder::WriteFile(BYTE button1, BYTE button2, DWORD length)
{
    std::vector<BYTE> bytes(length, 0);
    if (length > 1128)
        bytes[1128] = button1;
    if (length > 1132)
        bytes[1132] = button2;
    HANDLE file = CreateFileA((folder + "\\VELDA.DAT").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bytes.data(), length, &written, nullptr);
    CloseHandle(file);
    return ok && written == length;
}

bool SettingsFolder::SetByte(DWORD offset, BYTE value)
{
    HANDLE file = CreateFileA((folder + "\\VELDA.DAT").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = SetFilePointer(file, offset, nullptr, FILE_BEGIN) == offset &&
              ::WriteFile(file, &value, 1, &written, nullptr);
    CloseHandle(file);
    return ok && written == 1;
}

void SettingsFolder::RemoveFile()
{
    DeleteFileA((folder + "\\VELDA.DAT").c_str());
}
