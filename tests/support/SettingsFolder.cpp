#include "tests/support/SettingsFolder.h"
#include <stdio.h>
#include <vector>

SettingsFolder::SettingsFolder()
{
    char temp[MAX_PATH];
    if (!GetTempPathA(sizeof(temp), temp))
        return;
    char name[MAX_PATH];
    snprintf(name, sizeof(name), "%sferrowin-velda-%lu", temp, GetCurrentProcessId());
    folder = name;
    CreateDirectoryA(folder.c_str(), nullptr);
    ready = PointRegistry();
}

SettingsFolder::~SettingsFolder()
{
    RemoveFile();
    RemoveDirectoryA(folder.c_str());
}

bool SettingsFolder::PointRegistry(bool trailingBackslash)
{
    return installFolder.Set(folder + (trailingBackslash ? "\\" : ""));
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
