// Paths of the files the installer reads from its source folder. Each is built into a MAX_PATH buffer and
// refused (FALSE, path empty) when it does not fit.
#pragma once
#include <stddef.h>
#include <windows.h>

constexpr const char* scriptFileName = "setupm.ini";
constexpr const char* languageFolderName = "is-00001";
constexpr const char* languageFileBase = "setuplan";
constexpr const char* readmeFileBase = "readme";

// sourceDir\setupm.ini
BOOL ScriptPath(char* path, size_t pathSize);
// sourceDir\is-00001\<base>.<extension>, e.g. the language file or the read-me of a language.
BOOL LanguageFolderPath(char* path, size_t pathSize, const char* base, const char* extension);
