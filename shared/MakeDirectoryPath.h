// Creates a folder with every missing parent.
#pragma once
#include <windows.h>

// Creates the folder named by path with every missing parent; with pathNamesFile the last component is a
// file name and only the folders above it are made. TRUE when the folder exists afterwards.
BOOL MakeDirectoryPath(const char* path, bool pathNamesFile);
