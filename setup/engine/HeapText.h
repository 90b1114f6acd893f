// Private heap copies of texts read from the install script and the language file.
#pragma once
#include <stddef.h>

// A copy of length bytes of text plus a terminating zero; null when it cannot be allocated.
char* CopyHeapText(const char* text, size_t length);
// Frees a copy (null is allowed) and sets the pointer to null.
void FreeHeapText(char*& text);
