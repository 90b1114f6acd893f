// The wizard's texts in the chosen language: the 49 keys of sections MSG and DLG of the language file
// "is-00001\setuplan.<extension>", loaded, reloaded on a change of language and freed at the end.
#pragma once
#include <stddef.h>
#include <windows.h>

// In loading order.
enum UiTextId {
    msgBack,            // MSG "1"
    msgBrowse,          // MSG "8"
    msgClose,           // MSG "7": the Cancel button on the finish page
    msgNext,            // MSG "2"
    msgCancel,          // MSG "4"
    msgTitle,           // MSG "11": first part of the backdrop title
    msgShortcutName,    // MSG "12"
    msgBackdropCaption, // MSG "10"
    msgLanguageTitle,   // MSG "13"
    msgConfirmCaption,  // MSG "20"
    msgConfirmOk,       // MSG "21": keeps the wizard running
    msgConfirmCancel,   // MSG "22": cancels setup
    msgConfirmLine1,    // MSG "23"
    msgConfirmLine2,    // MSG "24"
    msgConfirmLine3,    // MSG "25"
    msgCopying,         // MSG "301"
    msgRegistry,        // MSG "302"
    msgUnused303,       // MSG "303"
    msgShortcuts,       // MSG "304"
    msgUninstall,       // MSG "306"
    dlgP1T, dlgP11, dlgP12, dlgP13, dlgP14, dlgP15, dlgP16,
    dlgP2T, dlgP21,
    dlgP3T, dlgP31, dlgP32, dlgP33,
    dlgP4T, dlgP41, dlgP42, dlgP43,
    dlgP5T, dlgP51,
    dlgP7T, dlgP71, dlgTorrik3, dlgTorrik5,
    dlgPFT, dlgPF1, dlgPF2, dlgPF3, dlgPF4, dlgPF5,
    uiTextCount
};

// Longest text kept: the read buffer holds 260 bytes with the terminating zero.
constexpr DWORD uiTextBufferSize = MAX_PATH;

// Frees every text, then reads each key of the language file of languageExt; a missing or empty key
// leaves its text absent. Always TRUE (a file that cannot be read gives absent texts).
BOOL LoadUiTexts();
void FreeUiTexts();

// Row n of the language list: languageIndex, languageExt, then LoadUiTexts. FALSE, with nothing changed,
// for a row outside the table (a list without a selection answers -1).
BOOL SelectLanguage(int row);

// The text, or null when it is absent.
const char* UiText(UiTextId id);
// The text as a caption: an absent one is empty.
const char* UiCaption(UiTextId id);

// The text with its display-name place (the first "%P" of "P31" and "PF1") filled with [Display Name] Name;
// every other character, "%" included, as it stands. Cut to fit textSize.
void FillDisplayName(UiTextId id, char* text, size_t textSize);
