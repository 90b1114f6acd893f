// Step 3 of the install run: the Start-menu program group and one shortcut per entry "target,name[,icon]"
// of the install script's [Icons] section (keys "1", "2", ... up to the first missing one), each logged,
// then the group folder logged.
#pragma once
#include <stddef.h>
#include "setup/install/InstallInputs.h"

void CreateShortcuts(const InstallValues& values, SetupState& state);

// The shortcut name as shown: a name with a "%" gets text (null: nothing) in place of its first "%s";
// every other character, "%" included, stays as it stands. FALSE, with name empty, when the result does
// not fit into nameSize bytes.
BOOL FillShortcutName(char* name, size_t nameSize, const char* raw, const char* text);
