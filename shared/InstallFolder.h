// The installation folder of the product: HKEY_LOCAL_MACHINE "Software\Ferrowin" value "AppPath", written
// by the installer and read by the tray application and the mouse hook library.
#pragma once
#include <stddef.h>
#include <windows.h>

constexpr const char* productKey = "Software\\Ferrowin";
constexpr const char* installFolderValue = "AppPath";

// Copies the folder into folder (room for folderSize bytes, at least 255); TRUE when the key and value
// exist. A missing key or value leaves folder empty.
BOOL ReadInstallFolder(char* folder, size_t folderSize);
