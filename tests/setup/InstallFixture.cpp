#include "InstallFixture.h"
#include "MessagePump.h"
#include "setup/install/CopyWorker.h"
#include "setup/install/CreateShortcuts.h"
#include "setup/install/InstallNames.h"
#include "setup/install/RegisterProduct.h"
#include "setup/install/RegisterUninstall.h"
#include "setup/install/UninstallLog.h"
#include <shlobj.h>
#include <stdio.h>

namespace {

constexpr const char* overrideKey = "Software\\FerrowinInstallTest";

HKEY CreateKey(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

}

RegistryOverride::RegistryOverride(const std::string& programsFolder, bool machineToo)
{
    std::string base = std::string(overrideKey) + "\\" + std::to_string(GetCurrentProcessId());
    machine = CreateKey(HKEY_CURRENT_USER, base + "\\machine");
    user = CreateKey(HKEY_CURRENT_USER, base + "\\user");
    HKEY folders = CreateKey(user, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    RegSetValueExA(folders, "Programs", 0, REG_SZ, reinterpret_cast<const BYTE*>(programsFolder.c_str()),
                   static_cast<DWORD>(programsFolder.size() + 1));
    RegCloseKey(folders);
    if (machineToo)
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine);
    RegOverridePredefKey(HKEY_CURRENT_USER, user);
}

RegistryOverride::~RegistryOverride()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(machine);
    RegCloseKey(user);
    RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(overrideKey) + "\\" + std::to_string(GetCurrentProcessId())).c_str());
}

ProgramsFolder::ProgramsFolder(const std::string& folder)
{
    RegCreateKeyExA(HKEY_CURRENT_USER, shellFoldersKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    DWORD size = sizeof(previous);
    hadValue = !RegQueryValueExA(key, programsValueName, nullptr, nullptr, reinterpret_cast<BYTE*>(previous), &size);
    RegSetValueExA(key, programsValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>(folder.size() + 1));
}

ProgramsFolder::~ProgramsFolder()
{
    if (hadValue)
        RegSetValueExA(key, programsValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous),
                       static_cast<DWORD>(strlen(previous) + 1));
    else
        RegDeleteValueA(key, programsValueName);
    RegCloseKey(key);
}

RegistryValue ReadMachineValue(const char* keyPath, const char* name)
{
    RegistryValue value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key))
        return value;
    char data[1024];
    DWORD size = sizeof(data);
    if (!RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size))
        value.data.assign(data, size);
    else
        value.type = 0;
    RegCloseKey(key);
    return value;
}

std::string LogBytes(const std::vector<LogRecordBytes>& records)
{
    std::string bytes;
    for (const LogRecordBytes& record : records) {
        bytes += static_cast<char>(record.type);
        bytes += record.text;
        bytes += '\0';
    }
    return bytes;
}

std::vector<LogRecordBytes> CompleteRunLog(const std::string& destination, const std::vector<std::string>& files,
                                           const std::string& systemCopy, const std::vector<std::string>& shortcuts,
                                           const std::string& group, const std::string& uninstallKey)
{
    std::vector<LogRecordBytes> records;
    for (const std::string& name : files) {
        records.push_back({logInstalledFile, destination + "\\" + name});
        if (!systemCopy.empty() && name == mainFiles[11])
            records.push_back({logInstalledFile, systemCopy});
    }
    for (const char* name : {uninstallerTextInstalled, uninstallLogName})
        records.push_back({logInstalledFile, destination + "\\" + name});
    records.push_back({logInstallDir, destination});
    records.push_back({logRunValue, runValueName});
    for (const std::string& name : shortcuts)
        records.push_back({logShortcut, group + "\\" + name + ".lnk"});
    records.push_back({logGroupFolder, group});
    records.push_back({logUninstallKey, uninstallKey});
    return records;
}

std::string ReadFileBytes(const std::string& path)
{
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return "<missing>";
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.append(buffer, got);
    fclose(file);
    return bytes;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ShortcutFields ReadShortcut(const std::string& path)
{
    ShortcutFields fields;
    HRESULT com = CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    WCHAR widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(widePath, STGM_READ))) {
        char text[MAX_PATH];
        fields.loaded = true;
        if (SUCCEEDED(link->GetPath(text, sizeof(text), nullptr, SLGP_RAWPATH)))
            fields.target = text;
        if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof(text))))
            fields.workingDir = text;
        if (SUCCEEDED(link->GetIconLocation(text, sizeof(text), &fields.iconIndex)))
            fields.iconPath = text;
        if (SUCCEEDED(link->GetDescription(text, sizeof(text))))
            fields.description = text;
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    if (SUCCEEDED(com))
        CoUninitialize();
    return fields;
}

std::vector<std::string> InstallFixture::defaultIcons()
{
    return {"OSTREL.EXE,Keyboard Application", "Orvel.mk,Keyboard Help,BRUNE.hmt"};
}

InstallFixture::InstallFixture(const char* tag, const std::vector<std::string>& icons)
    : scratch(tag), values(), state()
{
    source = scratch.Path() + "\\source";
    destination = scratch.Path() + "\\dest\\Ferrowin\\Keyboard";
    programs = scratch.Path() + "\\Programs";
    group = programs + "\\" + groupName;
    std::string script = "[Manufacture]\r\nManufacture=Ferrowin Test\r\n[Product]\r\nVER=1.2.3.4\r\n"
                         "[Applications]\r\nMain=OSTREL.EXE\r\nIniFile=SETTING.INI\r\nDllFile=VORRIN.DLL\r\n";
    if (!icons.empty()) {
        script += "[Icons]\r\n";
        for (size_t n = 0; n < icons.size(); ++n)
            script += (icons[n].find('=') != std::string::npos ? icons[n] : std::to_string(n + 1) + "=" + icons[n]) + "\r\n";
    }
    scratch.Write("source\\setupm.ini", script);
    for (const char* name : mainFiles)
        scratch.Write(std::string("source\\") + name, std::string("bytes of ") + name + std::string(1, '\0') + "\xff\r\n");
    for (const char* name : languageFiles)
        scratch.Write(std::string("source\\enu\\") + name, std::string("English ") + name);
    scratch.Write("source\\is-00001\\uninst.enu", "[Strings]\r\nTitle=Uninstall\r\n");
    scratch.Write("source\\uninst00.exe", "uninstaller stand-in");
    CreateDirectoryA(programs.c_str(), nullptr);
    // Windows has a "system" folder beside "system32" (Wine's 64-bit prefix does not make one).
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof(windows));
    CreateDirectoryA((std::string(windows) + "\\system").c_str(), nullptr);

    values.sourceDir = source.c_str();
    values.installDir = destination.c_str();
    values.languageExt = "enu";
    values.product = product;
    values.productKey = productKey;
    values.titleMain = titleMain;
    values.captionBar = captionBar;
    values.targetFolder = groupName;
    values.shortcutText = shortcutText;
}

void InstallFixture::RunAll()
{
    CopyWorkerJob job{&values, &state};
    HANDLE worker = StartCopyWorker(&job);
    PumpUntil([this] { return state.workerBusy == 0; }, 20000);
    if (worker) {
        WaitForSingleObject(worker, 20000);
        CloseHandle(worker);
    }
    RegisterProduct(values, state);
    CreateShortcuts(values, state);
    RegisterUninstall(values, state);
    CloseUninstallLog(state);
}
