#include "setup/engine/InstallScript.h"
#include "setup/engine/HeapText.h"
#include "setup/engine/SetupState.h"
#include "setup/engine/SourcePaths.h"
#include "shared/JoinPath.h"
#include "shared/RegAccess.h"
#include <string.h>

namespace {

struct ScriptEntry {
    const char* section;
    const char* key;
};

// In reading order; indexed by ScriptKey.
constexpr ScriptEntry scriptEntries[scriptKeyCount] = {
    {"Manufacture", "Manufacture"},
    {"Product", "Product"},
    {"Product", "Version"},
    {"Product", "Key"},
    {"Target", "Dir"},
    {"Target", "Folder"},
    {"Display Name", "Name"},
    {"Title", "CaptionBar"},
    {"Title", "Main"},
    {"Uninstall", "DisplayName"},
    {"Uninstall", "Key"},
};

constexpr const char* systemVersionKey = "Software\\microsoft\\windows\\currentversion";
constexpr const char* programFilesValue = "programfilesDir";

char* g_scriptValues[scriptKeyCount];

}

void ReadInstallScript()
{
    char path[MAX_PATH];
    BOOL havePath = ScriptPath(path, sizeof(path));
    for (int key = 0; key < scriptKeyCount; ++key) {
        char value[scriptValueBufferSize] = "";
        DWORD length = 0;
        // Without a path the profile functions would read win.ini: a folder too long to join reads nothing.
        if (havePath)
            length = GetPrivateProfileStringA(scriptEntries[key].section, scriptEntries[key].key, "", value,
                                              sizeof(value), path);
        if (length >= sizeof(value))
            length = sizeof(value) - 1;
        FreeHeapText(g_scriptValues[key]);
        g_scriptValues[key] = CopyHeapText(value, length);
    }
    SetDefaultInstallDir();
}

void FreeInstallScript()
{
    for (char*& value : g_scriptValues)
        FreeHeapText(value);
}

const char* ScriptValue(ScriptKey key)
{
    if (key < 0 || key >= scriptKeyCount || !g_scriptValues[key])
        return "";
    return g_scriptValues[key];
}

BOOL SetScriptValue(ScriptKey key, const char* text)
{
    if (key < 0 || key >= scriptKeyCount || !text)
        return FALSE;
    char* copy = CopyHeapText(text, strlen(text));
    if (!copy)
        return FALSE;
    FreeHeapText(g_scriptValues[key]);
    g_scriptValues[key] = copy;
    return TRUE;
}

void SetDefaultInstallDir()
{
    char start[MAX_PATH];
    JoinPath(start, sizeof(start), g_setup.installDir, ScriptValue(scriptProductKey));
    CRegAccess registry;
    registry.SelectRoot(HKEY_LOCAL_MACHINE);
    if (registry.OpenPath(systemVersionKey, FALSE))
        registry.GetString(programFilesValue, "", start);
    JoinPath(g_setup.installDir, sizeof(g_setup.installDir), start, ScriptValue(scriptTargetDir));
}
