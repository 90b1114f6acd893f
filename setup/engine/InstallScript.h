// The install script "setupm.ini" of the source folder: the product's names, folders and titles, held as
// private copies for the length of a DOINSTALL call, and the default destination folder formed from them.
#pragma once
#include <windows.h>

enum ScriptKey {
    scriptManufacture,          // [Manufacture] Manufacture
    scriptProduct,              // [Product] Product: backdrop title, welcome page, product registry names
    scriptVersion,              // [Product] Version
    scriptProductKey,           // [Product] Key
    scriptTargetDir,            // [Target] Dir: default destination sub-folder
    scriptTargetFolder,         // [Target] Folder: Start-menu program folder
    scriptDisplayName,          // [Display Name] Name: fills the destination and finish texts
    scriptCaptionBar,           // [Title] CaptionBar
    scriptTitleMain,            // [Title] Main
    scriptUninstallDisplayName, // [Uninstall] DisplayName
    scriptUninstallKey,         // [Uninstall] Key
    scriptKeyCount
};

// Longest value kept: the read buffer holds 260 bytes with the terminating zero.
constexpr DWORD scriptValueBufferSize = MAX_PATH;

// Reads every value (a missing key or file gives an empty value, a longer one is cut to 259 characters),
// then sets installDir to the default destination.
void ReadInstallScript();
void FreeInstallScript();

// The value, or an empty text when it was never read.
const char* ScriptValue(ScriptKey key);
// Replaces a value (the program-folder page replaces [Target] Folder); FALSE when no copy can be made.
BOOL SetScriptValue(ScriptKey key, const char* text);

// installDir = (Program Files folder, or installDir\[Product] Key when the system's key cannot be opened)
// \[Target] Dir. A result that does not fit leaves installDir empty.
void SetDefaultInstallDir();
