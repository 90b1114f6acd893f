// Every value is read from the source's install script with a 260-byte buffer and written back under the
// same section and key; the writes are not checked (a settings file that cannot be written is no reason
// to stop an install).
#include "setup/install/SettingsFiles.h"
#include "setup/engine/SourcePaths.h"
#include "setup/install/InstallNames.h"
#include "shared/JoinPath.h"

namespace {

struct CopiedValue {
    const char* section;
    const char* key;
};

constexpr CopiedValue mouseInfoValues[] = {
    {"Manufacture", "Manufacture"},
    {"Applications", "Main"},
    {"Applications", "IniFile"},
    {"Applications", "DllFile"},
};

// Fixed entries of section "Strings": each value is its own key name.
constexpr const char* fixedStrings[] = {"Driver_Remove_Title", "Driver_Remove_Text", "Driver_Removing_Text"};

void CopyValue(const char* script, const char* section, const char* key, const char* target,
               const char* targetSection, const char* targetKey)
{
    // A script whose path does not fit gives empty values, as a missing script does.
    char value[MAX_PATH] = "";
    if (script[0] != '\0')
        GetPrivateProfileStringA(section, key, "", value, sizeof(value), script);
    WritePrivateProfileStringA(targetSection, targetKey, value, target);
}

}

void WriteSettingsFiles(const InstallValues& values)
{
    char script[MAX_PATH];
    char mouseInfo[MAX_PATH];
    char setting[MAX_PATH];
    if (!JoinPath(script, sizeof(script), values.sourceDir, scriptFileName))
        script[0] = '\0';

    if (JoinPath(mouseInfo, sizeof(mouseInfo), values.installDir, mouseInfoFileName)) {
        for (const CopiedValue& copied : mouseInfoValues)
            CopyValue(script, copied.section, copied.key, mouseInfo, copied.section, copied.key);
        for (const char* name : fixedStrings)
            WritePrivateProfileStringA("Strings", name, name, mouseInfo);
    }

    if (JoinPath(setting, sizeof(setting), values.installDir, settingFileName)) {
        CopyValue(script, "Product", "VER", setting, "Main", "VER");
        WritePrivateProfileStringA("Product", "Key", values.productKey ? values.productKey : "", setting);
    }
}
