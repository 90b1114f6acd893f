// uninst00.exe [LOG]: the stand-in for the uninstaller the installer ships. Reads the uninstall log (by
// default "uninst00.log" beside the program) and undoes the install: shortcut files, the group folder when
// empty, the uninstall key, the Run value, the installed files, the destination folder when empty. Prints
// what it removed and what it could not. The log is checked before anything is removed, and what it may
// touch does not come from its own say-so: the destination is the folder the log lies in (the log must
// name it), a group folder counts only inside the user's Start-menu programs folder, and an uninstall key
// only under the system's uninstall key and only when it uninstalls with this destination's uninstaller.
// A record without its zero, of an unknown type or over-long, and whatever lies outside those places (the
// system-folder copy aside), is reported and left. Exit code 0 when everything was removed from a sound
// log, 1 otherwise (also for a log that names no destination: nothing is removed), 2 when the log cannot
// be read.
#include "setup/install/InstallNames.h"
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

constexpr size_t largestLog = 1 << 20;

struct LogRecord {
    unsigned char type;
    std::string text;
};

struct UninstallPlan {
    std::vector<LogRecord> records;   // the sound records, in log order
    bool sound = true;                // false when any record was reported
};

int g_failures = 0;

void Removed(const char* what, const std::string& name)
{
    printf("removed %s: %s\n", what, name.c_str());
}

void NotRemoved(const char* what, const std::string& name, const char* reason)
{
    printf("not removed %s: %s (%s)\n", what, name.c_str(), reason);
    ++g_failures;
}

void NotRemovedError(const char* what, const std::string& name, DWORD error)
{
    char reason[64];
    snprintf(reason, sizeof(reason), "error %lu", static_cast<unsigned long>(error));
    NotRemoved(what, name, reason);
}

bool KnownType(unsigned char type)
{
    return type >= logUninstallKey && type <= logInstalledFile;
}

bool ReadLog(const char* path, std::string& bytes)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    bool read = false;
    if (size != INVALID_FILE_SIZE && size <= largestLog) {
        bytes.resize(size);
        DWORD got = 0;
        read = size == 0 || (ReadFile(file, &bytes[0], size, &got, nullptr) && got == size);
    }
    CloseHandle(file);
    return read;
}

UninstallPlan ParseLog(const std::string& bytes)
{
    UninstallPlan plan;
    size_t at = 0;
    while (at < bytes.size()) {
        unsigned char type = static_cast<unsigned char>(bytes[at]);
        size_t end = bytes.find('\0', at + 1);
        if (end == std::string::npos) {
            printf("malformed log: the record at offset %lu has no terminating zero; it and the rest are "
                   "ignored\n", static_cast<unsigned long>(at));
            plan.sound = false;
            break;
        }
        std::string text = bytes.substr(at + 1, end - at - 1);
        if (!KnownType(type)) {
            printf("malformed log: the record at offset %lu has the unknown type %u; ignored\n",
                   static_cast<unsigned long>(at), type);
            plan.sound = false;
        } else if (text.size() >= MAX_PATH) {
            printf("malformed log: the record at offset %lu is longer than a path; ignored\n",
                   static_cast<unsigned long>(at));
            plan.sound = false;
        } else {
            plan.records.push_back(LogRecord{type, text});
        }
        at = end + 1;
    }
    return plan;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

bool IsDriveRoot(const std::string& folder)
{
    return folder.size() == 3 && folder[1] == ':' && folder[2] == '\\';
}

// A folder a file may be removed from: an absolute path ("X:\..." or "\\server\share\...") without a
// closing backslash, or a drive's root ("X:\").
bool UsableFolder(const std::string& folder)
{
    bool drive = folder.size() > 3 && folder[1] == ':' && folder[2] == '\\';
    bool network = folder.size() > 2 && folder[0] == '\\' && folder[1] == '\\';
    return IsDriveRoot(folder) || ((drive || network) && folder.find('/') == std::string::npos &&
                                   folder[folder.size() - 1] != '\\');
}

// path is folder\name..., and name... cannot lead out of the folder.
bool InsideFolder(const std::string& path, const std::string& folder)
{
    if (!UsableFolder(folder))
        return false;
    size_t prefix = IsDriveRoot(folder) ? 2 : folder.size();   // "X:" of "X:\"
    if (path.size() <= prefix + 1 || path[prefix] != '\\' || !EqualNoCase(path.substr(0, prefix), folder.substr(0, prefix)))
        return false;
    std::string rest = path.substr(prefix + 1);
    if (rest.find_first_of("/:") != std::string::npos)
        return false;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t stop = rest.find('\\', start);
        std::string part = rest.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        if (stop == std::string::npos)
            break;
        start = stop + 1;
    }
    return true;
}

std::string SystemCopyPath()
{
    char windows[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windows, sizeof(windows));
    if (length == 0 || length >= sizeof(windows))
        return std::string();
    return std::string(windows) + "\\" + systemFolderName + "\\" + systemCopyName;
}

// The same folder, with or without a closing backslash.
bool SameFolder(std::string a, std::string b)
{
    if (!IsDriveRoot(a) && !a.empty() && a[a.size() - 1] == '\\')
        a.erase(a.size() - 1);
    if (!IsDriveRoot(b) && !b.empty() && b[b.size() - 1] == '\\')
        b.erase(b.size() - 1);
    return EqualNoCase(a, b);
}

// The user's Start-menu programs folder, the only place a group folder may be; empty when unknown.
std::string ProgramsFolder()
{
    char folder[MAX_PATH] = "";
    DWORD size = sizeof(folder) - 1;
    DWORD type = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, shellFoldersKeyPath, 0, KEY_QUERY_VALUE, &key))
        return std::string();
    LONG read = RegQueryValueExA(key, programsValueName, nullptr, &type, reinterpret_cast<BYTE*>(folder), &size);
    RegCloseKey(key);
    if (read || type != REG_SZ)
        return std::string();
    return std::string(folder, strnlen(folder, size));
}

class CUninstaller {
public:
    // destination: the folder the log lies in.
    CUninstaller(const UninstallPlan& plan, const std::string& destination)
        : records(plan.records), destination(destination), namesDestination(false)
    {
        std::string programs = ProgramsFolder();
        for (const LogRecord& record : records) {
            if (record.type == logInstallDir && SameFolder(record.text, destination))
                namesDestination = true;
            else if (record.type == logInstallDir)
                NotRemoved("destination folder", record.text, "not the folder of the log");
            else if (record.type == logGroupFolder && !programs.empty() && InsideFolder(record.text, programs))
                groupFolders.push_back(record.text);
            else if (record.type == logGroupFolder)
                NotRemoved("group folder", record.text, "not in the Start-menu programs folder");
        }
    }

    void Run()
    {
        if (!namesDestination) {
            printf("the log does not name its folder %s as the destination: nothing removed\n", destination.c_str());
            ++g_failures;
            return;
        }
        RemoveFiles(logShortcut, "shortcut");
        RemoveGroupFolders();
        RemoveUninstallKey();
        RemoveRunValue();
        RemoveFiles(logInstalledFile, "file");
        RemoveFolder("destination folder", destination);
    }

private:
    bool Allowed(const std::string& path) const
    {
        if (InsideFolder(path, destination))
            return true;
        for (const std::string& folder : groupFolders)
            if (InsideFolder(path, folder))
                return true;
        return false;
    }

    void RemoveFiles(unsigned char type, const char* what)
    {
        std::string systemCopy = SystemCopyPath();
        for (auto record = records.rbegin(); record != records.rend(); ++record) {
            if (record->type != type)
                continue;
            bool systemFile = type == logInstalledFile && !systemCopy.empty() && EqualNoCase(record->text, systemCopy);
            if (!systemFile && !Allowed(record->text)) {
                NotRemoved(what, record->text, "outside the destination and group folders");
                continue;
            }
            // Files installed from read-only media by an older installer may still be read-only.
            DWORD attributes = GetFileAttributesA(record->text.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
                SetFileAttributesA(record->text.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
            if (DeleteFileA(record->text.c_str()))
                Removed(what, record->text);
            else
                NotRemovedError(what, record->text, GetLastError());
        }
    }

    void RemoveFolder(const char* what, const std::string& folder)
    {
        if (IsDriveRoot(folder))
            printf("kept %s: %s (a drive's root)\n", what, folder.c_str());
        else if (!UsableFolder(folder))
            NotRemoved(what, folder, "not a folder that can be removed");
        else if (RemoveDirectoryA(folder.c_str()))
            Removed(what, folder);
        else if (GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES)
            NotRemoved(what, folder, "not empty");
        else
            NotRemovedError(what, folder, GetLastError());
    }

    void RemoveGroupFolders()
    {
        for (auto folder = groupFolders.rbegin(); folder != groupFolders.rend(); ++folder)
            RemoveFolder("group folder", *folder);
    }

    // The key goes only when it uninstalls this destination: another product's key named in a log stays.
    bool UninstallsHere(const std::string& key) const
    {
        HKEY opened;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &opened))
            return false;
        char command[MAX_PATH] = "";
        DWORD size = sizeof(command) - 1;
        DWORD type = 0;
        LONG read = RegQueryValueExA(opened, "UninstallString", nullptr, &type, reinterpret_cast<BYTE*>(command), &size);
        RegCloseKey(opened);
        return !read && type == REG_SZ && InsideFolder(std::string(command, strnlen(command, size)), destination);
    }

    void RemoveUninstallKey()
    {
        std::string base = std::string(uninstallKeyBase) + "\\";
        for (auto record = records.rbegin(); record != records.rend(); ++record) {
            if (record->type != logUninstallKey)
                continue;
            std::string name = "HKEY_LOCAL_MACHINE\\" + record->text;
            if (record->text.size() <= base.size() || !EqualNoCase(record->text.substr(0, base.size()), base) ||
                record->text.find('\\', base.size()) != std::string::npos)
                NotRemoved("registry key", name, "not an uninstall entry");
            else if (!UninstallsHere(record->text))
                NotRemoved("registry key", name, "it does not uninstall this destination");
            else if (LONG result = RegDeleteKeyA(HKEY_LOCAL_MACHINE, record->text.c_str()))
                NotRemovedError("registry key", name, static_cast<DWORD>(result));
            else
                Removed("registry key", name);
        }
    }

    // Only a Run value that starts a program of the destination folder is removed: the log names the
    // value, and another program's start must not go with this one.
    void RemoveRunValue()
    {
        for (auto record = records.rbegin(); record != records.rend(); ++record) {
            if (record->type != logRunValue)
                continue;
            std::string name = std::string("HKEY_LOCAL_MACHINE\\") + runKeyPath + " " + record->text;
            HKEY key;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKeyPath, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key)) {
                NotRemoved("registry value", name, "no Run key");
                continue;
            }
            char data[MAX_PATH] = "";
            DWORD size = sizeof(data) - 1;
            DWORD type = 0;
            LONG read = RegQueryValueExA(key, record->text.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                                         &size);
            if (read == ERROR_FILE_NOT_FOUND)
                NotRemoved("registry value", name, "not there");
            else if (read || type != REG_SZ || !Allowed(std::string(data, strnlen(data, size))))
                NotRemoved("registry value", name, "it starts a program outside the destination folder");
            else if (LONG result = RegDeleteValueA(key, record->text.c_str()))
                NotRemovedError("registry value", name, static_cast<DWORD>(result));
            else
                Removed("registry value", name);
            RegCloseKey(key);
        }
    }

    const std::vector<LogRecord>& records;
    std::string destination;
    bool namesDestination;
    std::vector<std::string> groupFolders;
};

// The folder of the log's full path: "X:\\" for a log at a drive's root.
std::string FolderOf(const std::string& logPath)
{
    char full[MAX_PATH];
    char* name = nullptr;
    DWORD length = GetFullPathNameA(logPath.c_str(), sizeof(full), full, &name);
    if (length == 0 || length >= sizeof(full) || !name || name == full)
        return std::string();
    std::string folder(full, name - full);
    if (!IsDriveRoot(folder) && folder.size() > 1)
        folder.erase(folder.size() - 1);
    return folder;
}

std::string DefaultLogPath()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    if (length == 0 || length >= sizeof(path))
        return std::string();
    char* slash = strrchr(path, '\\');
    if (!slash)
        return std::string();
    return std::string(path, slash + 1) + uninstallLogName;
}

}

int main(int argc, char** argv)
{
    std::string logPath = argc > 1 ? argv[1] : DefaultLogPath();
    std::string bytes;
    if (logPath.empty() || !ReadLog(logPath.c_str(), bytes)) {
        printf("cannot read the uninstall log %s\n", logPath.c_str());
        return 2;
    }
    UninstallPlan plan = ParseLog(bytes);
    CUninstaller(plan, FolderOf(logPath)).Run();
    fflush(stdout);
    return plan.sound && g_failures == 0 ? 0 : 1;
}
