// A file name joined to a folder ("folder\name") in a fixed buffer, without printf formatting.
#pragma once
#include <stddef.h>
#include <windows.h>

// FALSE, with path empty, when the result and its terminating zero do not fit: a cut path would name
// another file.
BOOL JoinPath(char* path, size_t pathSize, const char* folder, const char* name);
