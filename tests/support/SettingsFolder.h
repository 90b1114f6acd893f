// The mouse hook's button-settings file "VELDA.DAT" in a scratch folder that the registry names, for the
// hook tests and the hook benchmark.
#pragma once
#include <windows.h>
#include <string>
#include "tests/support/RegistryScratch.h"

// HKLM "Software\Ferrowin" "AppPath" pointed at a scratch folder for the life of the object; the value
// that was there before (or its absence) comes back afterwards.
class SettingsFolder {
public:
    SettingsFolder();
    ~SettingsFolder();
    bool Ready() const { return ready; }
    // Writes "VELDA.DAT" of the given length, zero but for the two setting bytes.
    bool WriteFile(BYTE button1, BYTE button2, DWORD length = 2048);
    bool SetByte(DWORD offset, BYTE value);
    void RemoveFile();
    // Points "AppPath" at the folder, optionally with a trailing backslash.
    bool PointRegistry(bool trailingBackslash = false);
    const std::string& Folder() const { return folder; }

private:
    InstallFolderValue installFolder;
    bool ready = false;
    std::string folder;
};
