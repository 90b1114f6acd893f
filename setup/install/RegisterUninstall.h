// Step 4 of the install run: the entry of the system's add/remove programs list (its key logged) and the
// product's folder and names for the other programs of the suite.
#pragma once
#include "setup/install/InstallInputs.h"

void RegisterUninstall(const InstallValues& values, SetupState& state);
