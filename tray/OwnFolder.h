// Finding the program's own folder from its command line, when the command line really names this program.
#pragma once
#include <windows.h>
#include <stddef.h>

// The folder part of commandLine (a leading double quote dropped, cut at the last backslash) when the name
// after that backslash, up to its first dot, equals moduleBase ignoring case. FALSE (folder untouched)
// when there is no backslash or dot, the names differ, or the text does not fit in folderSize.
BOOL OwnFolderFromCommandLine(const char* commandLine, const char* moduleBase, char* folder, size_t folderSize);

// This executable's file name without folder and extension.
BOOL OwnModuleBase(char* base, size_t baseSize);

// Makes the program's own folder the current directory when the command line names it; TRUE when changed.
BOOL EnterOwnFolder();
