#include "setup/engine/UiTexts.h"
#include "setup/engine/HeapText.h"
#include "setup/engine/InstallScript.h"
#include "setup/engine/LanguageTable.h"
#include "setup/engine/SetupState.h"
#include "setup/engine/SourcePaths.h"
#include <string.h>

namespace {

struct UiTextEntry {
    const char* section;
    const char* key;
};

constexpr UiTextEntry uiTextEntries[uiTextCount] = {
    {"MSG", "1"}, {"MSG", "8"}, {"MSG", "7"}, {"MSG", "2"}, {"MSG", "4"}, {"MSG", "11"}, {"MSG", "12"},
    {"MSG", "10"}, {"MSG", "13"}, {"MSG", "20"}, {"MSG", "21"}, {"MSG", "22"}, {"MSG", "23"},
    {"MSG", "24"}, {"MSG", "25"}, {"MSG", "301"}, {"MSG", "302"}, {"MSG", "303"}, {"MSG", "304"},
    {"MSG", "306"},
    {"DLG", "P1T"}, {"DLG", "P11"}, {"DLG", "P12"}, {"DLG", "P13"}, {"DLG", "P14"}, {"DLG", "P15"},
    {"DLG", "P16"},
    {"DLG", "P2T"}, {"DLG", "P21"},
    {"DLG", "P3T"}, {"DLG", "P31"}, {"DLG", "P32"}, {"DLG", "P33"},
    {"DLG", "P4T"}, {"DLG", "P41"}, {"DLG", "P42"}, {"DLG", "P43"},
    {"DLG", "P5T"}, {"DLG", "P51"},
    {"DLG", "P7T"}, {"DLG", "P71"}, {"DLG", "TORRIK3"}, {"DLG", "TORRIK5"},
    {"DLG", "PFT"}, {"DLG", "PF1"}, {"DLG", "PF2"}, {"DLG", "PF3"}, {"DLG", "PF4"}, {"DLG", "PF5"},
};

constexpr int noPlace = -1;

char* g_uiTexts[uiTextCount];
// Where the display name goes in "P31" and "PF1": the offset of the "%s" the first "%P" became. Kept
// beside the text so the text itself is never used as a format.
int g_displayNamePlace[uiTextCount];

bool HasDisplayNamePlace(int id)
{
    return id == dlgP31 || id == dlgPF1;
}

}

void FreeUiTexts()
{
    for (int id = 0; id < uiTextCount; ++id) {
        FreeHeapText(g_uiTexts[id]);
        g_displayNamePlace[id] = noPlace;
    }
}

BOOL LoadUiTexts()
{
    FreeUiTexts();
    char path[MAX_PATH];
    // Without a path the profile functions would read win.ini: every text stays absent.
    if (!LanguageFolderPath(path, sizeof(path), languageFileBase, g_setup.languageExt))
        return TRUE;
    for (int id = 0; id < uiTextCount; ++id) {
        char text[uiTextBufferSize];
        DWORD length = GetPrivateProfileStringA(uiTextEntries[id].section, uiTextEntries[id].key, "", text,
                                                sizeof(text), path);
        if (length == 0)
            continue;
        if (length >= sizeof(text))
            length = sizeof(text) - 1;
        g_uiTexts[id] = CopyHeapText(text, length);
        if (g_uiTexts[id] && HasDisplayNamePlace(id)) {
            char* place = strstr(g_uiTexts[id], "%P");
            if (place) {
                place[1] = 's';
                g_displayNamePlace[id] = static_cast<int>(place - g_uiTexts[id]);
            }
        }
    }
    return TRUE;
}

BOOL SelectLanguage(int row)
{
    if (row < 0 || row >= languageCount)
        return FALSE;
    g_setup.languageIndex = row;
    g_setup.languageExt = LanguageExtension(row);
    return LoadUiTexts();
}

const char* UiText(UiTextId id)
{
    if (id < 0 || id >= uiTextCount)
        return nullptr;
    return g_uiTexts[id];
}

const char* UiCaption(UiTextId id)
{
    const char* text = UiText(id);
    return text ? text : "";
}

void FillDisplayName(UiTextId id, char* text, size_t textSize)
{
    if (!text || textSize == 0)
        return;
    text[0] = '\0';
    const char* source = UiCaption(id);
    int place = UiText(id) ? g_displayNamePlace[id] : noPlace;
    size_t used = 0;
    auto append = [&](const char* part, size_t length) {
        size_t room = textSize - 1 - used;
        if (length > room)
            length = room;
        memcpy(text + used, part, length);
        used += length;
        text[used] = '\0';
    };
    if (place == noPlace) {
        append(source, strlen(source));
        return;
    }
    append(source, static_cast<size_t>(place));
    const char* name = ScriptValue(scriptDisplayName);
    append(name, strlen(name));
    const char* rest = source + place + 2;
    append(rest, strlen(rest));
}
