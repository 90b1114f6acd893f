// Names the install run writes and the uninstaller reads back: the uninstall log's file and record types,
// and the registry keys and values the run makes.
#pragma once

constexpr const char* uninstallLogName = "uninst00.log";
constexpr const char* uninstallerName = "uninst00.exe";

// Record types of the uninstall log: one type byte, the text, a zero byte.
constexpr unsigned char logInstalledFile = 255;   // full path of a copied file
constexpr unsigned char logInstallDir = 254;      // the destination folder
constexpr unsigned char logRunValue = 253;        // name of the value under the Run key
constexpr unsigned char logGroupFolder = 252;     // the Start-menu program group folder
constexpr unsigned char logShortcut = 251;        // full path of a shortcut file
constexpr unsigned char logUninstallKey = 250;    // the uninstall key's path under HKEY_LOCAL_MACHINE

// Registry, all under HKEY_LOCAL_MACHINE.
constexpr const char* runKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* runValueName = "QXRT63KB";
constexpr const char* runProgramName = "Ostrel.exe";
constexpr const char* keyboardProductKey = "Software\\T63Keyboard";
constexpr const char* installCountKeyBase = "SOFTWARE\\ZERUVIZIRE";
constexpr const char* installCountValue = "INSTALLCOUNT";
constexpr const char* uninstallKeyBase = "Software\\Microsoft\\windows\\CurrentVersion\\Uninstall";

// The Start-menu programs folder of the user (HKEY_CURRENT_USER).
constexpr const char* shellFoldersKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* programsValueName = "Programs";

// The file the system-folder copy goes to, under the Windows folder.
constexpr const char* systemFolderName = "system";
constexpr const char* systemCopyName = "HESKAR.VXD";
// The uninstaller's texts, "uninst.<language>" in the language folder, installed as "uninst.un2".
constexpr const char* uninstallerTextBase = "uninst";
constexpr const char* uninstallerTextInstalled = "uninst.un2";
