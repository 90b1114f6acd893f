// Text appended to a fixed buffer, refused whole when it does not fit (a cut path would name another file).
#pragma once
#include <stddef.h>
#include <windows.h>

// FALSE, with text emptied, when text, tail and the terminating zero do not fit into textSize bytes.
BOOL AppendText(char* text, size_t textSize, const char* tail);
