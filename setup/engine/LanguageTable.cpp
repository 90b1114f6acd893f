#include "setup/engine/LanguageTable.h"
#include "setup/engine/SetupState.h"

const LanguageRow languageTable[languageCount] = {
    {"chs", "Chinese (Simplified)"},
    {"cht", "Chinese (Traditional)"},
    {"CSY", "Czech"},
    {"DAN", "Danish"},
    {"deu", "Deutsch"},
    {"nld", "Dutch"},
    {"enu", "English"},
    {"FIN", "Finnish"},
    {"fra", "French"},
    {"ELL", "Greek"},
    {"HUN", "Hungarian"},
    {"ita", "Italian"},
    {"jpn", "Japanese"},
    {"kor", "Korean"},
    {"NOR", "Norwegian"},
    {"PLK", "Polish"},
    {"PTG", "Portuguese"},
    {"RUS", "Russian"},
    {"esp", "Spanish(Traditional Sort)"},
    {"SVE", "Swedish"},
};

namespace {

struct LangIdRow {
    LANGID id;
    int index;
};

constexpr LangIdRow langIdTable[] = {
    {2052, 0},
    {1028, 1}, {3076, 1}, {4100, 1},
    {1029, 2},
    {1030, 3},
    {1031, 4}, {2055, 4}, {3079, 4},
    {1043, 5}, {2067, 5},
    {1035, 7},
    {1036, 8}, {2060, 8}, {3084, 8}, {4108, 8},
    {1032, 9},
    {1038, 10},
    {1040, 11}, {2064, 11},
    {1041, 12},
    {1042, 13}, {2066, 13},
    {2068, 14},
    {1045, 15},
    {1046, 16}, {2070, 16},
    {1049, 17},
    {1034, 18}, {2058, 18}, {3082, 18},
    {1053, 19}, {2077, 19},
};

}

const char* LanguageExtension(int index)
{
    if (index < 0 || index >= languageCount)
        index = defaultLanguageIndex;
    return languageTable[index].extension;
}

int LanguageIndexForLangId(LANGID id, int current)
{
    for (const LangIdRow& row : langIdTable) {
        if (row.id == id)
            return row.index;
    }
    return current;
}

void PickSystemLanguage()
{
    g_setup.languageIndex = LanguageIndexForLangId(GetSystemDefaultLangID(), g_setup.languageIndex);
}
