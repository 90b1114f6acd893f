// The install run: the progress dialog over the backdrop, returning when all four steps have run.
#pragma once
#include "setup/install/InstallInputs.h"

// The run's values from the setup state, the install script and the language texts.
InstallValues CurrentInstallValues();

void RunInstall();
