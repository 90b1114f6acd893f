// An installation source and destination in a scratch folder, the install run's values over them, and the
// registry roots of this process redirected to scratch keys, for the install run's tests.
#pragma once
#include "tests/support/ScratchFolder.h"
#include "setup/install/InstallInputs.h"
#include <windows.h>
#include <string>
#include <vector>

// HKEY_CURRENT_USER (and unless machineToo is false, HKEY_LOCAL_MACHINE) of this process redirected to
// keys of their own; the user's Start-menu programs folder set to programsFolder.
class RegistryOverride {
public:
    explicit RegistryOverride(const std::string& programsFolder, bool machineToo = true);
    ~RegistryOverride();

private:
    HKEY machine = nullptr;
    HKEY user = nullptr;
};

// The user's Start-menu programs folder pointed at a folder for the object's life, for other processes too
// (the real HKEY_CURRENT_USER value).
class ProgramsFolder {
public:
    explicit ProgramsFolder(const std::string& folder);
    ~ProgramsFolder();

private:
    HKEY key = nullptr;
    char previous[MAX_PATH] = "";
    bool hadValue = false;
};

// Value type and data of HKEY_LOCAL_MACHINE\key value; type 0 when missing.
struct RegistryValue {
    DWORD type = 0;
    std::string data;
};
RegistryValue ReadMachineValue(const char* key, const char* value);

struct LogRecordBytes {
    unsigned char type;
    std::string text;
};
// The log's bytes for the records, in order.
std::string LogBytes(const std::vector<LogRecordBytes>& records);
// The records of a complete run, in order: the copied files (names in the destination) with the system
// copy after the last main file when one is given, the uninstaller's texts and log, the destination, the
// Run value, the shortcuts (names in the group), the group and the uninstall key.
std::vector<LogRecordBytes> CompleteRunLog(const std::string& destination, const std::vector<std::string>& files,
                                           const std::string& systemCopy, const std::vector<std::string>& shortcuts,
                                           const std::string& group, const std::string& uninstallKey);
std::string ReadFileBytes(const std::string& path);
bool Exists(const std::string& path);

// The shortcut read back through the shell's link object.
struct ShortcutFields {
    bool loaded = false;
    std::string target, workingDir, iconPath, description;
    int iconIndex = -1;
};
ShortcutFields ReadShortcut(const std::string& path);

class InstallFixture {
public:
    // icons: the [Icons] entries, keys "1", "2", ... unless the entry itself is "key=value".
    explicit InstallFixture(const char* tag, const std::vector<std::string>& icons = defaultIcons());
    static std::vector<std::string> defaultIcons();

    // The four steps as the progress dialog runs them, the worker on its thread; the log closed at the end.
    void RunAll();

    ScratchFolder scratch;
    std::string source, destination, programs, group;
    InstallValues values;
    SetupState state;

    static constexpr const char* product = "Ferrowin Test Keyboard";
    static constexpr const char* titleMain = "FerrowinTestMain";
    static constexpr const char* captionBar = "Ferrowin Test Setup";
    static constexpr const char* productKey = "FerrowinTestKey";
    static constexpr const char* groupName = "Ferrowin Test Group";
    static constexpr const char* shortcutText = "Keyboard %s %d";
};
