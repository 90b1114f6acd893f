// The twenty languages of the wizard: the extension of each one's language file and its name in the
// language list, and the system language identifiers that pick a row.
#pragma once
#include <windows.h>

struct LanguageRow {
    const char* extension;
    const char* name;
};

constexpr int languageCount = 20;
extern const LanguageRow languageTable[languageCount];

// The extension of a row; the default row's for an index outside the table.
const char* LanguageExtension(int index);

// The row a system language identifier picks, or current for an identifier the table does not list.
int LanguageIndexForLangId(LANGID id, int current);

// languageIndex from GetSystemDefaultLangID (an unlisted language keeps it).
void PickSystemLanguage();
